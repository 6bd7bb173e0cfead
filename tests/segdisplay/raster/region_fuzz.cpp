// Fuzz target over polygon vertex lists, ellipse and rectangle boxes and the
// region operations: nothing may crash or allocate without bound, every
// result must stay canonical, and combinations must agree with point tests.
#include "region.h"
#include "shapes.h"
#include "surface.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace segraster;

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool empty() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // Mostly small coordinates; one marked 0xA5 is scaled to the extremes
    // (rare, because a huge shape costs a full-height scan).
    int coord()
    {
        const auto v = static_cast<std::int8_t>(byte());
        return byte() == 0xA5 ? v * (1 << 23) : v;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkCanonical(const Region& r)
{
    int lastY = 0;
    for (int i = 0; i < r.rowCount(); ++i) {
        const Region::Row row = r.row(i);
        check(i == 0 || row.y > lastY);
        check(!row.spans.empty() && row.y >= -kCoordLimit && row.y < kCoordLimit);
        lastY = row.y;
        for (std::size_t k = 0; k < row.spans.size(); ++k) {
            check(row.spans[k].x0 < row.spans[k].x1);
            check(row.spans[k].x0 >= -kCoordLimit && row.spans[k].x1 <= kCoordLimit);
            check(k == 0 || row.spans[k].x0 > row.spans[k - 1].x1);
        }
    }
}

Region readShape(Reader& in)
{
    switch (in.byte() % 5) {
    case 0: {
        std::vector<Point> v(in.byte() % 24);
        for (Point& p : v)
            p = { in.coord(), in.coord() };
        return Region::fromPolygon(v);
    }
    case 1:
        return Region::fromEllipse(in.coord(), in.coord(), in.coord(), in.coord());
    case 2:
        return Region::fromRect(in.coord(), in.coord(), in.coord(), in.coord());
    case 3:
        return MakeRoundedRegion(
            in.coord(), in.coord(), in.coord(), in.coord(), in.coord(), in.coord(), in.coord(), in.coord());
    default:
        return MakeSegmentShape(in.byte() % 10, in.coord(), in.coord());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    const Region a = readShape(in);
    const Region b = readShape(in);
    checkCanonical(a);
    checkCanonical(b);
    const Region both = a.intersected(b), either = a.united(b), diff = a.subtracted(b), odd = a.xored(b);
    for (const Region* r : { &both, &either, &diff, &odd })
        checkCanonical(*r);
    for (int i = 0; i < 16 && !in.empty(); ++i) {
        const int x = static_cast<std::int8_t>(in.byte()), y = static_cast<std::int8_t>(in.byte());
        const bool inA = a.contains(x, y), inB = b.contains(x, y);
        check(both.contains(x, y) == (inA && inB));
        check(either.contains(x, y) == (inA || inB));
        check(diff.contains(x, y) == (inA && !inB));
        check(odd.contains(x, y) == (inA != inB));
    }
    const Region frame = a.frame1px();
    checkCanonical(frame);
    check(frame.subtracted(a).isEmpty());

    Surface s(64, 48);
    const int dx = in.coord(), dy = in.coord();
    s.fill(a, 0x0000FF, dx, dy);
    s.frame(b, 0x00FF00, dx, dy);
    Surface copy(32, 32);
    copy.copyInRegion(s, odd, dx, dy);
    return 0;
}
