// Arbitrary bytes from the infrared daemon's socket, cut into reads at
// places the input chooses: the events must not depend on the cuts, every
// event must be well formed, and nothing pending may grow without bound.
#include "lircevent.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool same(const std::vector<LircEvent>& a, const std::vector<LircEvent>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].code != b[i].code || a[i].repeat != b[i].repeat || a[i].button != b[i].button
            || a[i].remote != b[i].remote)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype cut = qsizetype(data[0] % 16) + 1;

    LircEventReader whole;
    const std::vector<LircEvent> expected = whole.add(bytes);
    LircEventReader pieces;
    std::vector<LircEvent> got;
    for (qsizetype at = 0; at < bytes.size(); at += cut) {
        for (LircEvent& e : pieces.add(bytes.sliced(at, qMin(cut, bytes.size() - at))))
            got.push_back(std::move(e));
        if (pieces.pendingSize() > LircEventReader::kMaxLine)
            std::abort();
    }
    if (!same(expected, got))
        std::abort();
    for (const LircEvent& e : expected) {
        if (e.code.isEmpty() || e.button.isEmpty() || e.remote.isEmpty() || e.repeat < 0
            || e.button.contains(QLatin1Char(' ')))
            std::abort();
    }
    return 0;
}
