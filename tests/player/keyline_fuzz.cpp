// Arbitrary bytes from the serial line, one character per receive event:
// framing and dispatch must hold their invariants whatever arrives.
#include "keytable.h"
#include "lineframer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KeyTable table;
    table.setCode(5, QStringLiteral("A"));
    table.setCode(6, QStringLiteral("A"));
    table.setCode(7, QStringLiteral("a1"));
    LineFramer buffer;
    QString sinceLine; // every character since the last complete line
    for (size_t i = 0; i < size; ++i) {
        sinceLine += QChar(char16_t(data[i]));
        const std::optional<QString> line = buffer.add(QString(QChar(char16_t(data[i]))));
        if (buffer.pending().size() > LineFramer::kMaxPending)
            std::abort();
        if (!line) {
            if (buffer.pending() != sinceLine.right(LineFramer::kMaxPending))
                std::abort();
            continue;
        }
        // The line is the newest of what came before CR LF, as much as the
        // buffer keeps, and the next line starts empty.
        if (!sinceLine.endsWith(QStringLiteral("\r\n")) || !buffer.pending().isEmpty())
            std::abort();
        const QString before = sinceLine.chopped(2);
        if (line->size() != qMin(before.size(), LineFramer::kMaxPending - 1) || !before.endsWith(*line))
            std::abort();
        for (int n : table.matches(*line)) {
            if (table.code(n) != *line)
                std::abort();
        }
        sinceLine.clear();
    }
    return 0;
}
