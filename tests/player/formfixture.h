// A media folder and a fresh settings file around each window test.
#pragma once

#include "form1.h"
#include "form2.h"
#include "playertestsupport.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class FormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        playertest::removeSettingsFile();
        ASSERT_TRUE(tmp.isValid());
        root = QDir::cleanPath(tmp.path());
        QDir d(root);
        for (const char* sub : { "sub1", "sub2", "sub3", "drive2" })
            ASSERT_TRUE(d.mkdir(QLatin1String(sub)));
        playertest::writeWav(path("a.wav"), 1500);
        playertest::writeWav(path("b.wav"), 1500);
        playertest::writeWav(path("c.WAV"), 1500);
        playertest::writeWav(path("sub1/d.wav"), 500);
        QFile notes(path("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(root);
    }

    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(oldCurrent);
        playertest::removeSettingsFile();
    }

    QString path(const char* relative) const { return root + QLatin1Char('/') + QLatin1String(relative); }

    // codes[i] is taught for function i + 1; the rest stay untaught.
    Form1& open(const QStringList& codes = {})
    {
        playertest::writeKeyCodes(codes);
        form = loadWindow<Form1>(playertest::context());
        return *form;
    }

    // Every function taught with the code "Kn".
    static QStringList taught()
    {
        QStringList codes;
        for (int n = 1; n <= 12; ++n)
            codes << QStringLiteral("K%1").arg(n);
        return codes;
    }

    // The receiver's line, one character per receive event.
    void key(const QString& code)
    {
        for (QChar c : code + QStringLiteral("\r\n"))
            form->receive(QString(c));
    }

    QTemporaryDir tmp;
    QString root;
    QString oldCurrent;
    std::unique_ptr<Form1> form;
};
