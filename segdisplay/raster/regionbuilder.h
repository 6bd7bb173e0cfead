// Internal: assembles a Region row by row. Rows must come in ascending y and
// the spans of a row in ascending x0; touching or overlapping spans are merged
// and empty rows are dropped, so every Region stays in its canonical form.
#pragma once

#include "region.h"

#include <algorithm>

namespace segraster {

class RegionBuilder {
public:
    void beginRow(int y) { m_row = { y, static_cast<std::uint32_t>(m_out.m_spans.size()), 0 }; }

    void addSpan(int x0, int x1)
    {
        if (x1 <= x0)
            return;
        if (m_row.count > 0) {
            Span& last = m_out.m_spans.back();
            if (x0 <= last.x1) {
                last.x1 = std::max(last.x1, x1);
                return;
            }
        }
        m_out.m_spans.push_back({ x0, x1 });
        ++m_row.count;
    }

    void endRow()
    {
        if (m_row.count > 0)
            m_out.m_rows.push_back(m_row);
    }

    Region take() { return std::move(m_out); }

private:
    Region m_out;
    Region::RowIndex m_row;
};

// Clamps a 64-bit coordinate into the range a region keeps.
inline int clampCoord(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

} // namespace segraster
