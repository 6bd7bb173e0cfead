// A console window on a clean settings file, fed character by character.
#pragma once

#include "comport.h"
#include "connectionpanel.h"
#include "frmmain.h"
#include "inifile.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeSettings();
        window = std::make_unique<frmMain>(QStringLiteral(BUZZ5_WAV), nullptr);
    }
    void TearDown() override
    {
        window.reset();
        removeSettings();
    }

    static QString iniPath() { return settingsPath(); }
    static void removeSettings()
    {
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(iniPath());
    }
    static void storeSetPoint(const QString& value)
    {
        ASSERT_TRUE(WritePrivateProfileString(QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), value, iniPath()));
    }
    static QString storedSetPoint() { return GetFromINI(QStringLiteral("TEMP"), QStringLiteral("SETTEMP"), iniPath()); }

    // The load step without probing real serial devices.
    void load()
    {
        for (int port = 1; port <= 4; ++port)
            ComPort::setDevicePath(port, QStringLiteral("/nonexistent/tty%1").arg(port));
        window->Form_Load();
    }

    // Each character as one receive event.
    void feed(const QString& text)
    {
        for (const QChar c : text)
            window->receiveChunk(QString(c));
    }

    const frmMainControls& c() const { return window->controls(); }
    QString status() const { return c().panel->lblStatus()->text(); }

    std::unique_ptr<frmMain> window;
};
