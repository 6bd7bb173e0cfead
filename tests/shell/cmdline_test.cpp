// The command line both programs share.
#include "cmdline.h"

#include <gtest/gtest.h>

namespace {

struct Outcome {
    bool ok;
    bool help;
    QString message;
    ComDevices devices;
};

Outcome parse(const QStringList& args)
{
    Outcome o { false, false, {}, {} };
    o.ok = parseProgramOptions(
        QStringList { "/usr/bin/prog" } + args, "Test program.", &o.devices, &o.message, &o.help);
    return o;
}

TEST(CommandLine, PortDevicesHelpAndMistakes)
{
    const QString before1 = ComDevices().path(1);
    const Outcome set = parse({ "--com2", "/dev/ttyUSB0", "--com4=/dev/ttyACM0" });
    EXPECT_TRUE(set.ok);
    EXPECT_EQ(set.devices.path(1), before1);
    EXPECT_EQ(set.devices.path(2), "/dev/ttyUSB0");
    EXPECT_EQ(set.devices.path(4), "/dev/ttyACM0");

    const Outcome help = parse({ "--help" });
    EXPECT_FALSE(help.ok);
    EXPECT_TRUE(help.help);
    EXPECT_TRUE(help.message.startsWith("Usage: prog")) << help.message.toStdString();
    EXPECT_TRUE(help.message.contains("--com3 PATH"));

    for (const QStringList& bad :
        { QStringList { "--bogus" }, QStringList { "--com1" }, QStringList { "extra" } }) {
        const Outcome o = parse(bad);
        EXPECT_FALSE(o.ok) << bad.join(' ').toStdString();
        EXPECT_FALSE(o.help);
        EXPECT_TRUE(o.message.contains("Usage:"));
    }
}

} // namespace
