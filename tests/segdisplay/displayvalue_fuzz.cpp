// Arbitrary text as a sequence of display changes: each line "Name=Value"
// sets a property through its setter (when the name is one), any other line
// becomes the Value (pictures, named by file, are left out). Nothing may crash, and every painted row must
// hold one character per drawn cell.
#include "propertytext.h"
#include "segmentdisplay.h"
#include "valuetext.h"

#include "fuzzapplication.h"

#include <cstdlib>
#include <memory>

namespace {

void checkRows(const SegmentDisplay& display)
{
    if (!display.lastError().isEmpty())
        return;
    if (display.digits().LastMain.size() != drawnDigits(display.NumDigits()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureFuzzApplication("fuzz_displayvalue");

    SegmentDisplay display;
    display.giveSize(QSize(120, 40), UserControl::SizeNotice::Always);

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    // A few dozen changes per input reach every path; more only costs time.
    const QStringList lines = text.split(QLatin1Char('\n')).mid(0, 32);
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // Pictures come from files; the fuzzer keeps to values.
        if (line.startsWith(QLatin1String("Picture"), Qt::CaseInsensitive))
            continue;
        if (eq > 0 && setPropertyFromText(display, line.left(eq), line.mid(eq + 1), nullptr))
            continue;
        display.setValue(line);
        checkRows(display);
    }
    display.RepaintAll();
    checkRows(display);
    return 0;
}
