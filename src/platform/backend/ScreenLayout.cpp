#include "platform/backend/ScreenLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Floor division that also rounds negative quotients down (points left of the display).
int FloorDiv(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --q;
    return static_cast<int>(q);
}

// The source index under the centre of output pixel `o` when `source` pixels span `dest`.
int SourceUnder(int o, int source, int dest) {
    return FloorDiv((2 * static_cast<std::int64_t>(o) + 1) * source,
                    2 * static_cast<std::int64_t>(dest));
}

}  // namespace

double ScreenLayout::ChooseScale(CSize output, CSize content) {
    if (content.cx <= 0 || content.cy <= 0 || output.cx <= 0 || output.cy <= 0) return 1.0;
    const int whole = std::min(output.cx / content.cx, output.cy / content.cy);
    if (whole >= 1) {
        const int unused = std::min(output.cx - content.cx * whole, output.cy - content.cy * whole);
        if (unused * 4 <= std::min(output.cx, output.cy)) return whole;
    }
    return std::min(static_cast<double>(output.cx) / content.cx,
                    static_cast<double>(output.cy) / content.cy);
}

ScreenLayout::ScreenLayout(CSize output, CSize display)
    : m_output(output), m_display(display), m_scale(ChooseScale(output, display)) {
    const int w =
        std::clamp(static_cast<int>(std::lround(display.cx * m_scale)), 1, std::max(output.cx, 1));
    const int h =
        std::clamp(static_cast<int>(std::lround(display.cy * m_scale)), 1, std::max(output.cy, 1));
    m_dest = CRect(CPoint((output.cx - w) / 2, (output.cy - h) / 2), CSize(w, h));
}

bool ScreenLayout::IsWholeScale() const {
    return m_dest.Width() % std::max(m_display.cx, 1) == 0 &&
           m_dest.Width() / std::max(m_display.cx, 1) ==
               m_dest.Height() / std::max(m_display.cy, 1) &&
           m_dest.Height() % std::max(m_display.cy, 1) == 0;
}

CPoint ScreenLayout::ToDisplay(CPoint output) const {
    if (m_dest.IsRectEmpty()) return output;
    return CPoint(SourceUnder(output.x - m_dest.left, m_display.cx, m_dest.Width()),
                  SourceUnder(output.y - m_dest.top, m_display.cy, m_dest.Height()));
}

CPoint ScreenLayout::ToOutput(CPoint display) const {
    if (m_display.cx <= 0 || m_display.cy <= 0) return display;
    const auto centre = [](int d, int source, int dest) {
        return FloorDiv((2 * static_cast<std::int64_t>(d) + 1) * dest,
                        2 * static_cast<std::int64_t>(source));
    };
    return CPoint(m_dest.left + centre(display.x, m_display.cx, m_dest.Width()),
                  m_dest.top + centre(display.y, m_display.cy, m_dest.Height()));
}
