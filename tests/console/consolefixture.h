// A console window on a clean settings file, fed character by character.
#pragma once

#include "comport.h"
#include "connectionpanel.h"
#include "frmmain.h"
#include "inifile.h"
#include "ptypair.h"
#include "shelltestsupport.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class ConsoleTest : public ::testing::Test {
protected:
    // The window gets a settings file of its own and serial devices that do
    // not exist, so that probing is quick and the same on every machine.
    void SetUp() override
    {
        ASSERT_TRUE(settingsDir.isValid());
        ProgramContext context { settingsDir.filePath(QStringLiteral("tuvela.ini")), {} };
        for (int port = 1; port <= kComPortCount; ++port)
            context.devices.setPath(port, QStringLiteral("/nonexistent/tty%1").arg(port));
        window = std::make_unique<frmMain>(context, QStringLiteral(BUZZ5_WAV), nullptr);
    }
    void TearDown() override
    {
        window.reset();
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString iniPath() const { return settingsDir.filePath(QStringLiteral("tuvela.ini")); }
    void storeSetPoint(const QString& value)
    {
        ASSERT_TRUE(
            WritePrivateProfileString(QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), value, iniPath()));
    }
    QString storedSetPoint() const
    {
        return GetFromINI(QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), iniPath());
    }

    void load() { window->Form_Load(); }
    // With the set-point 30 stored: loads, makes `device` port 1 and connects.
    void loadConnectedTo(const std::string& device)
    {
        storeSetPoint(QStringLiteral("30"));
        load();
        window->port().devices().setPath(1, QString::fromStdString(device));
        c().panel->cmdConnect()->click();
    }

    // Each character as one receive event.
    void feed(const QString& text)
    {
        for (const QChar c : text)
            window->receiveChunk(QString(c));
    }

    // A reading line from the board on `pty`, and the wait until the console
    // took it (each reading must differ from the one before).
    void boardSends(PtyPair& pty, const QString& value)
    {
        ASSERT_TRUE(pty.write((value + QStringLiteral("X\r\n")).toStdString()));
        ASSERT_TRUE(waitUntil([&] {
            return c().txtBarcode->text() == value && window->RxBuffer().isEmpty();
        })) << value.toStdString();
    }

    // Escape typed into the shown, active window, at whichever control holds
    // the focus (`focus`, when given).
    void typeEscape(QWidget* focus = nullptr)
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        if (focus)
            focus->setFocus();
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key_Escape);
    }

    const frmMainControls& c() const { return window->controls(); }
    QString status() const { return c().panel->lblStatus()->text(); }

    QTemporaryDir settingsDir;
    std::unique_ptr<frmMain> window;
};
