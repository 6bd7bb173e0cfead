#include "form2.h"

#include "inifile.h"
#include "keytable.h"
#include "namedwidgets.h"
#include "units.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

Form2::Form2(const QString& settingsPath, QWidget* parent)
    : QDialog(parent)
    , m_settingsPath(settingsPath)
{
    named::window(this, QStringLiteral("Form2"), QStringLiteral("遥控键值设置"));
    resize(units::pixelsFromTwips(4665), units::pixelsFromTwips(7725));
    buildRows();
}

void Form2::buildRows()
{
    auto* grid = new QGridLayout(this);
    auto* group = new QButtonGroup(this);
    for (const KeyFunction& f : kKeyFunctions) {
        const int r = f.n - 1;
        const QString caption = QString::fromUtf16(f.caption);
        auto* label = named::label(QStringLiteral("Label%1").arg(f.n), caption, this);
        auto* code = named::textBox(QStringLiteral("Text1(%1)").arg(r), label, this);
        auto* opt = named::control(
            new QRadioButton(this), QStringLiteral("Opt%1").arg(f.n), QStringLiteral("选择") + caption);
        group->addButton(opt, f.n);
        grid->addWidget(label, r, 0);
        grid->addWidget(code, r, 1);
        grid->addWidget(opt, r, 2);
        m_labels.at(std::size_t(r)) = label;
        m_codes.at(std::size_t(r)) = code;
        m_opts.at(std::size_t(r)) = opt;
    }
    m_received = named::control(new QLineEdit(this), QStringLiteral("Text7"), QStringLiteral("接收键值"));
    m_received->setReadOnly(true);
    grid->addWidget(m_received, 12, 0, 1, 3);
    m_save = named::button(QStringLiteral("Command1"), QStringLiteral("保存"), this);
    m_cancel = named::button(QStringLiteral("Command2"), QStringLiteral("取消"), this);
    m_save->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 13, 0, 1, 3);

    connect(m_received, &QLineEdit::textChanged, this, &Form2::Text7_Change);
    connect(m_save, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(m_cancel, &QPushButton::clicked, this, &Form2::Command2_Click);
}

// Row 1 takes the next code. The fields start with the stored codes, so
// saving after teaching one key keeps the other eleven.
void Form2::Form_Load()
{
    m_opts.front()->setChecked(true);
    showStoredCodes();
}

void Form2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        showStoredCodes();
}

void Form2::showStoredCodes()
{
    for (const KeyFunction& f : kKeyFunctions)
        m_codes.at(std::size_t(f.n - 1))
            ->setText(GetFromINI(QLatin1String(kKeySection), QLatin1String(f.settingsKey), m_settingsPath));
}

void Form2::receive(const QString& line)
{
    if (m_received->text() == line)
        Text7_Change();
    else
        m_received->setText(line);
}

void Form2::Text7_Change()
{
    if (!isVisible())
        return;
    for (std::size_t k = 0; k < m_opts.size(); ++k) {
        if (m_opts.at(k)->isChecked())
            m_codes.at(k)->setText(m_received->text());
    }
}

// Writes all twelve rows, empty ones included, and tells the truth about it:
// a failed write names the settings file and the reason instead of claiming
// success.
void Form2::Command1_Click()
{
    const QString& path = m_settingsPath;
    QString firstError;
    for (const KeyFunction& f : kKeyFunctions) {
        QString error;
        const bool ok = WritePrivateProfileString(QLatin1String(kKeySection), QLatin1String(f.settingsKey),
            m_codes.at(std::size_t(f.n - 1))->text(), path, &error);
        if (!ok && firstError.isNull())
            firstError = error.isEmpty() ? QStringLiteral("写入失败") : error;
    }
    if (!firstError.isNull()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("错误提示"),
            QStringLiteral("遥控键值保存失败！\n设置文件：%1\n原因：%2").arg(path, firstError),
            QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("成功提示"),
        QStringLiteral("遥控键值已成功保存！"), QMessageBox::Ok, this);
    box.exec();
}

void Form2::Command2_Click()
{
    reject();
}
