#include "setpointstore.h"

#include "inifile.h"
#include "statusline.h"

#include <QMessageBox>
#include <QWidget>

namespace {

const QString kFault = QStringLiteral("store");

} // namespace

SetPointStore::SetPointStore(
    QWidget& window, const QString& title, StatusLine& status, const QString& iniPath)
    : m_window(window)
    , m_title(title)
    , m_status(status)
    , m_iniPath(iniPath)
{
}

void SetPointStore::save(const QString& value)
{
    if (value.isEmpty())
        return;
    QString reason;
    if (!WritePrivateProfileString(
            QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), value, m_iniPath, &reason)) {
        report(reason);
        return;
    }
    m_lastFailure.clear();
    m_status.clear(kFault);
    emit saved(value);
}

void SetPointStore::report(const QString& reason)
{
    const QString message = QStringLiteral("报警设定温度未能保存到设置文件 %1：%2").arg(m_iniPath, reason);
    m_status.raise(kFault, message);
    if (message == m_lastFailure)
        return;
    m_lastFailure = message;
    m_queuedMessage = message;
    QMetaObject::invokeMethod(this, &SetPointStore::showQueuedMessage, Qt::QueuedConnection);
}

void SetPointStore::showQueuedMessage()
{
    const QString message = std::exchange(m_queuedMessage, QString());
    if (!message.isEmpty())
        QMessageBox::warning(&m_window, m_title, message);
}
