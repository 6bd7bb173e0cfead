// The command line both programs share.
#include "cmdline.h"
#include "qtoptions.h"

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
    EXPECT_TRUE(help.message.contains("--version"));

    const Outcome version = parse({ "--com1", "/dev/ttyS0", "--version" });
    EXPECT_FALSE(version.ok);
    EXPECT_TRUE(version.help);
    EXPECT_TRUE(version.message.startsWith("prog ")) << version.message.toStdString();
    EXPECT_FALSE(version.message.contains("Usage:"));

    for (const QStringList& bad :
        { QStringList { "--bogus" }, QStringList { "--com1" }, QStringList { "extra" } }) {
        const Outcome o = parse(bad);
        EXPECT_FALSE(o.ok) << bad.join(' ').toStdString();
        EXPECT_FALSE(o.help);
        EXPECT_TRUE(o.message.contains("Usage:"));
    }
}

TEST(CommandLine, QtOptionsPassConnectAndLogAreOurs)
{
    const QStringList qtOptions { "-platform", "offscreen", "--style", "Fusion", "-geometry", "640x480+0+0",
        "-stylesheet=a.qss", "-reverse", "-qwindowtitle", "x" };
    const QStringList ours { "--com1", "/tmp/board", "--connect", "--log", "/tmp/readings.csv" };
    EXPECT_EQ(withoutQtOptions(QStringList { "prog" } + qtOptions + ours), QStringList { "prog" } + ours);
    EXPECT_EQ(withoutQtOptions({ "prog", "--platformx" }), (QStringList { "prog", "--platformx" }));

    QString message;
    bool help = false;
    const ProgramSyntax console { "Console.", { { "log", "FILE", "Append every reading." } } };
    const auto options
        = parseProgramOptions(QStringList { "prog" } + qtOptions + ours, console, &message, &help);
    ASSERT_TRUE(options) << message.toStdString();
    EXPECT_EQ(options->com, (PortPaths { "/tmp/board", "", "", "" }));
    EXPECT_TRUE(options->connect);
    EXPECT_EQ(options->value("log"), "/tmp/readings.csv");

    EXPECT_FALSE(
        parseProgramOptions({ "prog", "-platform", "offscreen", "--help" }, console, &message, &help));
    EXPECT_TRUE(help) << "--help after a Qt option";
    EXPECT_TRUE(message.contains("--log FILE") && message.contains("[PORTS]") && message.contains("by-id"));
    EXPECT_FALSE(parseProgramOptions({ "prog", "--lirc", "/run/lirc/lircd" }, console, &message, &help))
        << "the console takes no remote keys";
    const ProgramSyntax player { "Player.", { { "lirc", "SOCKET", "Keys from the LIRC daemon." } } };
    EXPECT_FALSE(parseProgramOptions({ "prog", "--log", "x" }, player, &message, &help))
        << "the player keeps no log";
    EXPECT_TRUE(parseProgramOptions({ "prog", "--connect" }, player, &message, &help));
    const auto lirc = parseProgramOptions({ "prog", "--lirc", "/run/lirc/lircd" }, player, &message, &help);
    ASSERT_TRUE(lirc) << message.toStdString();
    EXPECT_EQ(lirc->value("lirc"), "/run/lirc/lircd");
}

} // namespace
