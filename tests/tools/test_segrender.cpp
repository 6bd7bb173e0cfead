// segrender with a stored instance: the console's display, loaded from its
// bag and given the value 25, reproduces the reference render; bags that
// cannot be read are refused with the file named.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSegrender = QStringLiteral(TUVELA_BINARY_DIR "/tools/segrender/segrender");
const QString kData = QStringLiteral(TUVELA_TEST_DATA);

struct Outcome {
    int exitCode;
    QString err;
};

Outcome segrender(const QStringList& args)
{
    QProcess p;
    p.start(kSegrender, args);
    if (!p.waitForFinished(60000))
        return { -1, QStringLiteral("did not finish") };
    return { p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()) };
}

TEST(Segrender, StoredConsoleDisplayMatchesTheReferenceRender)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("console.png");
    const Outcome run = segrender({ "--size", "94x77", "--bag", kData + "/host/bags/console-mo.json", "--set",
        "Value=25", "--out", out });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage got(out);
    const QImage want(kData + "/segdisplay/renders/console-25.png");
    ASSERT_EQ(got.size(), want.size());
    int differing = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const QRgb w = want.pixel(x, y), g = got.pixel(x, y);
            // The reference marks pixels outside the window shape magenta.
            const bool outside = (w & 0xFFFFFF) == 0xFF00FF;
            differing += outside ? qAlpha(g) != 0 : (qAlpha(g) != 255 || (g & 0xFFFFFF) != (w & 0xFFFFFF));
        }
    EXPECT_EQ(differing, 0);
}

TEST(Segrender, UnreadableBagIsRefusedWithItsPath)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.json");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"numdigits\": ");
    f.close();
    for (const QString& bag : { broken, dir.filePath("missing.json") }) {
        const Outcome run = segrender({ "--size", "94x77", "--bag", bag, "--out", dir.filePath("x.png") });
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(bag)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
    }
}

} // namespace
