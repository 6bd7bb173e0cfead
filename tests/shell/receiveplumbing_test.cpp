// What both windows share to receive: the device table, the error object and
// the step skipped on failure (the receive adapter is tested with ComPort).
#include "comdevices.h"
#include "comerror.h"
#include "comreceiver.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ComDevicesTable, DefaultsAndNumbersOutsideTheRange)
{
    ComDevices devices;
    EXPECT_EQ(devices.path(1), "/dev/ttyS0");
    EXPECT_EQ(devices.path(4), "/dev/ttyS3");
    devices.setPath(3, "/dev/ttyUSB0");
    devices.setDescription(3, "USB 串口");
    devices.setPath(0, "/dev/wrong");
    devices.setPath(5, "/dev/wrong");
    devices.setDescription(5, "wrong");
    EXPECT_EQ(devices.path(3), "/dev/ttyUSB0");
    EXPECT_EQ(devices.description(3), "USB 串口");
    EXPECT_EQ(devices.path(2), "/dev/ttyS1");
    for (const int outside : { 0, 5, -1 }) {
        EXPECT_TRUE(devices.path(outside).isEmpty()) << outside;
        EXPECT_TRUE(devices.description(outside).isEmpty()) << outside;
    }
}

TEST(ComErrorObject, IsAStandardExceptionCarryingItsText)
{
    const ComError plain = comerr::make(comerr::kPortNotOpen);
    const std::exception& asStandard = plain;
    EXPECT_EQ(QString::fromUtf8(asStandard.what()), comerr::text(comerr::kPortNotOpen));
    const ComError detailed = comerr::make(comerr::kOtherFailure, "I/O error");
    EXPECT_EQ(detailed.number, comerr::kOtherFailure);
    EXPECT_EQ(detailed.text, comerr::text(comerr::kOtherFailure) + "：I/O error");
    EXPECT_STREQ(detailed.what(), detailed.text.toUtf8().constData());
}

// A step's own error ends only that step; anything else is a fault and
// surfaces.
TEST(GuardedStep, EndsFailedStepsAndLetsFaultsThrough)
{
    struct Case {
        const char* name;
        std::function<void()> step;
        bool completes;
    };
    const Case cases[] = {
        { "completes", [] {}, true },
        { "port error", [] { throw comerr::make(comerr::kPortNotOpen); }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(runOrSkip<ComError>(c.step), c.completes) << c.name;
    EXPECT_THROW(runOrSkip<ComError>([] { throw std::out_of_range("a bug"); }), std::out_of_range);
    EXPECT_THROW(runOrSkip<ComError>([] { throw 42; }), int);
}

} // namespace
