// Arbitrary bytes as a display instance's stored properties: loading never
// crashes, and what the instance then writes loads back to the same entries.
#include "displaybag.h"
#include "fuzzapplication.h"
#include "segmentdisplay.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication("fuzz_displaybag");

    const PropertyBag bag
        = PropertyBag::fromDocument(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    SegmentDisplay display;
    display.resize(94, 77);
    display.ReadProperties(bag);
    PropertyBag first;
    display.WriteProperties(first);

    // Loading has already made odd segment sizes even, so what was written
    // loads back to exactly the same entries.
    SegmentDisplay again;
    again.resize(94, 77);
    again.ReadProperties(first);
    PropertyBag second;
    again.WriteProperties(second);
    if (!(second == first))
        std::abort();
    return 0;
}
