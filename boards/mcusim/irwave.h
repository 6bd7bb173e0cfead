// Infrared waveforms as the receiver reports them: pulse lengths in
// microseconds, alternately mark (carrier on, receiver output low) and space,
// starting with a mark.
#pragma once

#include <cstdint>
#include <vector>

namespace mcusim {

using Pulses = std::vector<std::uint32_t>;

// A whole NEC frame for `code`, its most significant bit sent first, every
// length scaled by `percent` (100 = nominal) to try a decoder's tolerance.
Pulses necFrame(std::uint32_t code, int percent = 100);

// The repeat frame a remote sends while a key is held.
Pulses necRepeat(int percent = 100);

} // namespace mcusim
