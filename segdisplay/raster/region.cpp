#include "region.h"

#include "regionbuilder.h"

#include <algorithm>
#include <climits>

namespace segraster {

namespace {

    bool applyOp(CombineOp op, bool a, bool b)
    {
        switch (op) {
        case CombineOp::And:
            return a && b;
        case CombineOp::Or:
            return a || b;
        case CombineOp::Diff:
            return a && !b;
        case CombineOp::Xor:
            return a != b;
        }
        return false;
    }

    // Next boundary of a span list: the start of span i when outside, its end when inside.
    int nextEdge(std::span<const Span> s, std::size_t i, bool inside)
    {
        if (i >= s.size())
            return INT_MAX;
        return inside ? s[i].x1 : s[i].x0;
    }

    // One row of a combination: sweeps the boundaries of both span lists and
    // hands each resulting span, left to right, to emit(x0, x1).
    template <typename Emit>
    void sweepRow(std::span<const Span> a, std::span<const Span> b, CombineOp op, Emit&& emit)
    {
        std::size_t i = 0, j = 0;
        bool inA = false, inB = false, inResult = false;
        int start = 0;
        for (;;) {
            const int na = nextEdge(a, i, inA);
            const int nb = nextEdge(b, j, inB);
            const int x = std::min(na, nb);
            if (x == INT_MAX)
                break;
            if (na == x) {
                i += inA ? 1 : 0;
                inA = !inA;
            }
            if (nb == x) {
                j += inB ? 1 : 0;
                inB = !inB;
            }
            const bool r = applyOp(op, inA, inB);
            if (r && !inResult)
                start = x;
            else if (!r && inResult)
                emit(start, x);
            inResult = r;
        }
    }

    void combineRow(std::span<const Span> a, std::span<const Span> b, CombineOp op, RegionBuilder& out)
    {
        sweepRow(a, b, op, [&out](int x0, int x1) { out.addSpan(x0, x1); });
    }

    // Pixels whose left and right neighbours both lie in the row: each span
    // shrunk by one at both ends, plus every one-pixel gap between two spans.
    void erodeRow(std::span<const Span> row, std::vector<Span>& out)
    {
        out.clear();
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (row[k].x1 - row[k].x0 > 2)
                out.push_back({ row[k].x0 + 1, row[k].x1 - 1 });
            if (k + 1 < row.size() && row[k + 1].x0 == row[k].x1 + 1)
                out.push_back({ row[k].x1, row[k].x1 + 1 });
        }
    }

    void copyRow(const Region::Row& row, RegionBuilder& out)
    {
        out.beginRow(row.y);
        for (const Span& s : row.spans)
            out.addSpan(s.x0, s.x1);
        out.endRow();
    }

} // namespace

Region Region::fromRect(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    left = clampCoord(left);
    right = clampCoord(right);
    top = clampCoord(top);
    bottom = clampCoord(bottom);
    RegionBuilder out;
    if (left < right) {
        for (int y = top; y < bottom; ++y) {
            out.beginRow(y);
            out.addSpan(left, right);
            out.endRow();
        }
    }
    return out.take();
}

Region Region::fromRowList(const std::vector<std::vector<int>>& rows)
{
    std::vector<std::vector<int>> sorted = rows;
    std::erase_if(sorted, [](const std::vector<int>& r) { return r.empty(); });
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a[0] < b[0]; });
    Region result;
    for (const std::vector<int>& r : sorted) {
        RegionBuilder one;
        std::vector<Span> spans;
        for (std::size_t i = 1; i + 1 < r.size(); i += 2)
            spans.push_back({ clampCoord(r[i]), clampCoord(r[i + 1]) });
        std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
        one.beginRow(clampCoord(r[0]));
        for (const Span& s : spans)
            one.addSpan(s.x0, s.x1);
        one.endRow();
        result = result.united(one.take());
    }
    return result;
}

Region Region::combine(const Region& a, const Region& b, CombineOp op)
{
    RegionBuilder out;
    int i = 0, j = 0;
    const bool keepOnlyA = op != CombineOp::And;
    const bool keepOnlyB = op == CombineOp::Or || op == CombineOp::Xor;
    while (i < a.rowCount() || j < b.rowCount()) {
        const int ya = i < a.rowCount() ? a.m_rows[i].y : INT_MAX;
        const int yb = j < b.rowCount() ? b.m_rows[j].y : INT_MAX;
        if (ya < yb) {
            if (keepOnlyA)
                copyRow(a.row(i), out);
            ++i;
        } else if (yb < ya) {
            if (keepOnlyB)
                copyRow(b.row(j), out);
            ++j;
        } else {
            out.beginRow(ya);
            combineRow(a.row(i).spans, b.row(j).spans, op, out);
            out.endRow();
            ++i;
            ++j;
        }
    }
    return out.take();
}

void Region::offset(int dx, int dy)
{
    if (isEmpty() || (dx == 0 && dy == 0))
        return;
    const Rect box = boundingRect();
    const long long l = (long long)box.left + dx, r = (long long)box.right + dx;
    const long long t = (long long)box.top + dy, b = (long long)box.bottom + dy;
    if (l >= -kCoordLimit && r <= kCoordLimit && t >= -kCoordLimit && b <= kCoordLimit) {
        for (RowIndex& row : m_rows)
            row.y += dy;
        for (Span& s : m_spans) {
            s.x0 += dx;
            s.x1 += dx;
        }
        return;
    }
    // Pixels pushed beyond the coordinate limit are dropped.
    RegionBuilder out;
    for (int i = 0; i < rowCount(); ++i) {
        const long long y = (long long)m_rows[i].y + dy;
        if (y < -kCoordLimit || y >= kCoordLimit)
            continue;
        out.beginRow(static_cast<int>(y));
        for (const Span& s : row(i).spans)
            out.addSpan(clampCoord((long long)s.x0 + dx), clampCoord((long long)s.x1 + dx));
        out.endRow();
    }
    *this = out.take();
}

Region Region::translated(int dx, int dy) const
{
    Region r = *this;
    r.offset(dx, dy);
    return r;
}

bool Region::contains(int x, int y) const
{
    auto it
        = std::lower_bound(m_rows.begin(), m_rows.end(), y, [](const RowIndex& r, int v) { return r.y < v; });
    if (it == m_rows.end() || it->y != y)
        return false;
    const Span* first = m_spans.data() + it->first;
    const Span* last = first + it->count;
    const Span* s = std::upper_bound(first, last, x, [](int v, const Span& sp) { return v < sp.x0; });
    return s != first && x < (s - 1)->x1;
}

Rect Region::boundingRect() const
{
    if (isEmpty())
        return {};
    Rect r { INT_MAX, m_rows.front().y, INT_MIN, m_rows.back().y + 1 };
    for (const RowIndex& row : m_rows) {
        r.left = std::min(r.left, m_spans[row.first].x0);
        r.right = std::max(r.right, m_spans[row.first + row.count - 1].x1);
    }
    return r;
}

std::int64_t Region::pixelCount() const
{
    std::int64_t n = 0;
    for (const Span& s : m_spans)
        n += s.x1 - s.x0;
    return n;
}

Region Region::frame1px() const
{
    // A pixel stays out of the frame only when all four diagonal neighbours
    // are in: both the row above and the row below hold x - 1 and x + 1.
    RegionBuilder out;
    std::vector<Span> above, below, inner;
    for (int i = 0; i < rowCount(); ++i) {
        const Row r = row(i);
        out.beginRow(r.y);
        const bool closed
            = i > 0 && i + 1 < rowCount() && m_rows[i - 1].y == r.y - 1 && m_rows[i + 1].y == r.y + 1;
        if (!closed) {
            for (const Span& s : r.spans)
                out.addSpan(s.x0, s.x1);
        } else {
            erodeRow(row(i - 1).spans, above);
            erodeRow(row(i + 1).spans, below);
            inner.clear();
            sweepRow(above, below, CombineOp::And, [&inner](int x0, int x1) { inner.push_back({ x0, x1 }); });
            combineRow(r.spans, inner, CombineOp::Diff, out);
        }
        out.endRow();
    }
    return out.take();
}

Region::Row Region::row(int i) const
{
    const RowIndex& r = m_rows[static_cast<std::size_t>(i)];
    return { r.y, std::span<const Span>(m_spans.data() + r.first, r.count) };
}

std::vector<std::vector<int>> Region::toRowList() const
{
    std::vector<std::vector<int>> out;
    for (int i = 0; i < rowCount(); ++i) {
        const Row r = row(i);
        std::vector<int> line { r.y };
        for (const Span& s : r.spans) {
            line.push_back(s.x0);
            line.push_back(s.x1);
        }
        out.push_back(std::move(line));
    }
    return out;
}

bool operator==(const Region& a, const Region& b)
{
    if (a.rowCount() != b.rowCount() || a.m_spans.size() != b.m_spans.size())
        return false;
    for (int i = 0; i < a.rowCount(); ++i) {
        const Region::Row ra = a.row(i), rb = b.row(i);
        if (ra.y != rb.y || !std::equal(ra.spans.begin(), ra.spans.end(), rb.spans.begin(), rb.spans.end()))
            return false;
    }
    return true;
}

} // namespace segraster
