#include "playertestsupport.h"

#include "inifile.h"
#include "keytable.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <cmath>

namespace playertest {

void writeWav(const QString& path, int milliseconds, int sampleRate)
{
    const quint32 samples = quint32(qint64(sampleRate) * milliseconds / 1000);
    const quint32 dataBytes = samples * 2;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(8000 * std::sin(2 * M_PI * 440 * i / sampleRate));
}

ProgramContext& context()
{
    static QTemporaryDir folder;
    static ProgramContext context { folder.filePath(QStringLiteral("tuvela.ini")), {} };
    return context;
}

void removeSettingsFile()
{
    const QString path = context().settingsPath;
    QFile::remove(path);
    QDir(path).removeRecursively();
}

void writeKeyCodes(const QStringList& codes)
{
    const QString path = context().settingsPath;
    for (int i = 0; i < codes.size(); ++i)
        WritePrivateProfileString(QLatin1String(kKeySection),
            QLatin1String(kKeyFunctions.at(std::size_t(i)).settingsKey), codes.at(i), path);
}

void useAbsentPorts()
{
    for (int port = 1; port <= kComPortCount; ++port)
        context().devices.setPath(port, QStringLiteral("/nonexistent/tty%1").arg(port));
}

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handler)
    : m_handler(std::move(handler))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start(5);
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_last)
        return;
    m_last = modal;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box) {
        titles.append(box->windowTitle());
        texts.append(box->text());
    }
    if (m_handler)
        m_handler(modal);
    else if (box)
        box->done(QMessageBox::Ok);
}

} // namespace playertest
