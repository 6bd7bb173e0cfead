#include "heldkey.h"

#include "nec.h"
#include "optiontable.h"

namespace irboard {
namespace {

    constexpr std::chrono::microseconds kFramePeriod { IR_FRAME_PERIOD_US };

    // A key frame of the usual kind: an address and a command byte, each
    // followed by its inverse, so sixteen bits are ones and sixteen zeros.
    constexpr std::chrono::microseconds kKeyFrame { NEC_LEADER_MARK_US + NEC_LEADER_SPACE_US
        + NEC_BITS / 2 * (NEC_BIT_MARK_US + NEC_ZERO_SPACE_US)
        + NEC_BITS / 2 * (NEC_BIT_MARK_US + NEC_ONE_SPACE_US) + NEC_BIT_MARK_US };

    constexpr std::chrono::microseconds kRepeatFrame { NEC_LEADER_MARK_US + NEC_REPEAT_SPACE_US
        + NEC_BIT_MARK_US };

    // The first repeat line after the key's own line: the rest of the period
    // the key frame began, then the repeat frame itself.
    constexpr std::chrono::microseconds kFirstRepeat = kFramePeriod - kKeyFrame + kRepeatFrame;

} // namespace

KeyLine parseKeyLine(const std::string& line)
{
    const std::size_t star = line.rfind('*');
    int ms = 0;
    if (star == std::string::npos || star == 0
        || line.find_first_not_of("0123456789", star + 1) != std::string::npos
        || !boardio::parseInt(line.substr(star + 1), ms))
        return { line, 0 };
    return { line.substr(0, star), ms };
}

std::chrono::microseconds repeatDue(int n)
{
    return kFirstRepeat + n * kFramePeriod;
}

int repeatCount(int holdMs)
{
    const std::chrono::microseconds hold = std::chrono::milliseconds(holdMs);
    return hold < kFirstRepeat ? 0 : int((hold - kFirstRepeat) / kFramePeriod) + 1;
}

} // namespace irboard
