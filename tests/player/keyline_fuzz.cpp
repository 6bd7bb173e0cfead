// Arbitrary bytes from the serial line, one character per receive event:
// framing and dispatch must hold their invariants whatever arrives.
#include "keytable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    KeyTable table;
    table.setCode(5, QStringLiteral("A"));
    table.setCode(6, QStringLiteral("A"));
    table.setCode(7, QStringLiteral("a1"));
    KeyLineBuffer buffer;
    for (size_t i = 0; i < size; ++i) {
        QString line;
        const bool complete = buffer.append(QString(QChar(char16_t(data[i]))), line);
        if (buffer.pending().size() > KeyLineBuffer::kMaxPending + 2)
            std::abort();
        if (!complete)
            continue;
        // The line is what came before CR LF, never longer than the buffer.
        if (buffer.pending() != line + QStringLiteral("\r\n"))
            std::abort();
        for (int n : table.matches(line)) {
            if (table.code(n) != line)
                std::abort();
        }
        buffer.clear();
    }
    return 0;
}
