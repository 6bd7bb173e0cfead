// The segrender tool end to end: its PNG holds the reference pixels inside
// the window shape and fully transparent pixels outside it, for new instances
// and for a stored one loaded from its bag; what it cannot use is refused.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int runSegrender(const QStringList& args, QString* errors = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(SEGRENDER_PATH), args);
    if (!process.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST(Segrender, WritesTheReferencePixelsWithATransparentOutside)
{
    struct Case {
        const char* reference;
        QStringList args;
    };
    const Case cases[] = {
        { "sep-comma-decimal.png",
            { "--size", "403x31", "--set", "DecimalSeparator=0", "--set", "Value=-12.5" } },
        { "grad-90-mid.png",
            { "--size", "160x90", "--set", "NumDigits=6", "--set", "BackAngle=90", "--set",
                "BackMiddleOut=True", "--set", "BackColor1=0x0000FF", "--set", "BackColor2=0xFF8000" } },
        // The console's display, loaded from its stored entries, then given 25.
        { "console-25.png",
            { "--size", "94x77", "--bag", TUVELA_TEST_DATA "/host/bags/console-mo.json", "--set",
                "Value=25" } },
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString out = dir.filePath(QStringLiteral("out.png"));
        ASSERT_EQ(runSegrender(c.args + QStringList { QStringLiteral("--out"), out }), 0) << c.reference;
        const QImage got(out);
        const QImage want(
            QStringLiteral(TUVELA_TEST_DATA "/segdisplay/renders/") + QString::fromLatin1(c.reference));
        ASSERT_EQ(got.size(), want.size());
        int wrong = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) {
                const QRgb w = want.pixel(x, y), g = got.pixel(x, y);
                const bool outside = (w & 0xFFFFFF) == 0xFF00FF;
                wrong += outside ? qAlpha(g) != 0 : (qAlpha(g) != 255 || (g & 0xFFFFFF) != (w & 0xFFFFFF));
            }
        EXPECT_EQ(wrong, 0) << c.reference;
    }
}

TEST(Segrender, CurvedCornersComeOutTransparent)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("curved.png"));
    ASSERT_EQ(runSegrender({ "--size", "100x40", "--set", "CurveTopLeft=12", "--out", out }), 0);
    const QImage got(out);
    EXPECT_EQ(qAlpha(got.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(got.pixel(99, 0)), 255);
}

TEST(Segrender, RefusesWhatItCannotUse)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    QString errors;
    EXPECT_NE(runSegrender({ "--size", "0x5", "--out", out }, &errors), 0);
    EXPECT_NE(runSegrender({ "--size", "10x5", "--set", "NoSuch=1", "--out", out }, &errors), 0);
    EXPECT_TRUE(errors.contains(QStringLiteral("NoSuch")));
    EXPECT_NE(runSegrender({ "--size", "10x5", "--set", "NumDigits=many", "--out", out }, &errors), 0);
    EXPECT_NE(runSegrender({ "--size", "10x5" }, &errors), 0);
    EXPECT_FALSE(QFile::exists(out));
}

TEST(Segrender, UnreadableBagIsRefusedWithItsPath)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.json"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"numdigits\": ");
    f.close();
    const QString out = dir.filePath(QStringLiteral("x.png"));
    for (const QString& bag : { broken, dir.filePath(QStringLiteral("missing.json")) }) {
        QString errors;
        EXPECT_EQ(runSegrender({ "--size", "94x77", "--bag", bag, "--out", out }, &errors), 2);
        EXPECT_TRUE(errors.contains(bag)) << errors.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
