// Arbitrary bytes as a display instance's stored properties: loading never
// crashes, and what the instance then writes loads back to the same entries.
#include "displaybag.h"
#include "segmentdisplay.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_displaybag";
    static char* argv[] = { name, nullptr };
    static const auto app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();

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
