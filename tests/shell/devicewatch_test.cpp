// The device watch's fingerprint moves with adapters, by-id links and watched
// paths, and with nothing else.
#include "devicewatch.h"
#include "ptypair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DeviceWatch, FingerprintFollowsAdaptersLinksAndWatchedPaths)
{
    QTemporaryDir dev;
    QDir(dev.path()).mkdir("by-id");
    const QString link = dev.filePath("board");
    PtyPair first, second;
    const auto look = [&] { return deviceFingerprint({ link }, dev.path(), dev.filePath("by-id")); };
    const auto touch = [&](const QString& name) { QFile(dev.filePath(name)).open(QIODevice::WriteOnly); };

    QByteArray before = look();
    struct Step {
        const char* what;
        std::function<void()> change;
        bool moves;
    };
    const Step steps[] = {
        { "an unrelated node", [&] { touch("ttyS5"); }, false },
        { "an adapter node", [&] { touch("ttyUSB0"); }, true },
        { "an ACM node", [&] { touch("ttyACM3"); }, true },
        { "a by-id link", [&] { touch("by-id/usb-x"); }, true },
        { "the watched link appears", [&] { QFile::link(QString::fromStdString(first.slavePath()), link); },
            true },
        { "the same again", [] {}, false },
        { "the watched link leads elsewhere",
            [&] {
                QFile::remove(link);
                QFile::link(QString::fromStdString(second.slavePath()), link);
            },
            true },
        { "the adapter goes", [&] { QFile::remove(dev.filePath("ttyUSB0")); }, true },
        { "the watched link goes", [&] { QFile::remove(link); }, true },
    };
    for (const Step& s : steps) {
        s.change();
        const QByteArray now = look();
        EXPECT_EQ(now != before, s.moves) << s.what;
        before = now;
    }
}

} // namespace
