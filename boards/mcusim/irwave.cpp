#include "irwave.h"

#include "nec.h"

namespace mcusim {

namespace {

    std::uint32_t scaled(int microseconds, int percent)
    {
        return static_cast<std::uint32_t>(microseconds * percent / 100);
    }

} // namespace

Pulses necFrame(std::uint32_t code, int percent)
{
    Pulses pulses { scaled(NEC_LEADER_MARK_US, percent), scaled(NEC_LEADER_SPACE_US, percent) };
    for (int bit = NEC_BITS - 1; bit >= 0; --bit) {
        const bool one = (code >> bit) & 1u;
        pulses.push_back(scaled(NEC_BIT_MARK_US, percent));
        pulses.push_back(scaled(one ? NEC_ONE_SPACE_US : NEC_ZERO_SPACE_US, percent));
    }
    pulses.push_back(scaled(NEC_BIT_MARK_US, percent));
    return pulses;
}

Pulses necRepeat(int percent)
{
    return { scaled(NEC_LEADER_MARK_US, percent), scaled(NEC_REPEAT_SPACE_US, percent),
        scaled(NEC_BIT_MARK_US, percent) };
}

} // namespace mcusim
