// Colour translation of colour references, a control-host service both
// controls use before they draw.
//
// An RGB reference 0x00BBGGRR passes through (so does the palette-relative
// form 0x02BBGGRR, there being no palette); other values with the top bit
// clear fail. A reference with the top bit set names a
// system colour by its low byte's index (0x80000012 is index 18, button text):
// indices 0..30 resolve through the running application's Qt palette where a
// palette role matches, and through the classic default scheme otherwise (and
// whenever no QGuiApplication exists). Any other reference (an unknown index,
// or stray bits between the top bit and the index) fails and gives -1.
#pragma once

#include <cstdint>

namespace colours {

// Returns 0x00BBGGRR, or -1 when the reference cannot be translated.
std::int32_t TranslateColour(std::uint32_t colourRef);

// The classic default of a system colour index, 0x00BBGGRR, or -1 when the
// index is unknown. Pure table, no palette.
std::int32_t ClassicSystemColour(int index);

} // namespace colours
