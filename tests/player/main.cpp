#include "playertestsupport.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Playback must advance without a sound device; keep the tests off any
    // real one too.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("remoteplayer")); // as the program names itself
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    playertest::useAbsentPorts();
    return RUN_ALL_TESTS();
}
