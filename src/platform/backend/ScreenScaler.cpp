#include "platform/backend/ScreenScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Blends two pixels channel by channel: two channels at a time in one 32-bit word.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t redBlue =
        (((a & 0x00FF00FFU) * keep + (b & 0x00FF00FFU) * weight) >> 8) & 0x00FF00FFU;
    const std::uint32_t alphaGreen =
        ((((a >> 8) & 0x00FF00FFU) * keep + ((b >> 8) & 0x00FF00FFU) * weight)) & 0xFF00FF00U;
    return redBlue | alphaGreen;
}

// Blends two whole rows byte by byte with one weight; simple enough for the compiler to
// turn into vector instructions.
void BlendRows(const std::uint8_t* __restrict a, const std::uint8_t* __restrict b,
               std::uint8_t* __restrict out, std::size_t bytes, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<std::uint8_t>((a[i] * keep + b[i] * weight) >> 8);
}

}  // namespace

std::vector<ScreenScaler::Tap> ScreenScaler::MakeTaps(int source, int dest) {
    std::vector<Tap> taps(static_cast<std::size_t>(std::max(dest, 0)));
    if (source <= 0 || dest <= 0) return taps;
    // The whole factor at or above the scale: the nearest-neighbour enlargement.
    const int factor = std::max(1, (dest + source - 1) / source);
    const double enlarged = static_cast<double>(source) * factor;
    const int last = source * factor - 1;
    for (int o = 0; o < dest; ++o) {
        // The output pixel's centre on the enlarged source, sampled linearly.
        const double position = (o + 0.5) * enlarged / dest - 0.5;
        const double floorPosition = std::floor(position);
        const int left = std::clamp(static_cast<int>(floorPosition), 0, last);
        const int right = std::clamp(static_cast<int>(floorPosition) + 1, 0, last);
        Tap& tap = taps[static_cast<std::size_t>(o)];
        tap.first = left / factor;
        tap.second = right / factor;
        tap.weight =
            tap.first == tap.second
                ? 0
                : static_cast<std::uint32_t>(std::lround((position - floorPosition) * 256));
        if (tap.weight == 0) tap.second = tap.first;
        if (tap.weight >= 256) {
            tap.first = tap.second;
            tap.weight = 0;
        }
    }
    return taps;
}

void ScreenScaler::Configure(CSize source, CSize dest) {
    m_source = source;
    m_dest = dest;
    m_columns = MakeTaps(source.cx, dest.cx);
    m_rows = MakeTaps(source.cy, dest.cy);
    for (auto& cache : m_rowCache) cache.assign(static_cast<std::size_t>(std::max(dest.cx, 0)), 0);
    m_cachedRow[0] = m_cachedRow[1] = -1;
}

// Taps are ordered: both their source indices never decrease along the output.
int ScreenScaler::FirstTapReaching(const std::vector<Tap>& taps, int sourceIndex) {
    const auto it = std::partition_point(taps.begin(), taps.end(), [&](const Tap& t) {
        return std::max(t.first, t.second) < sourceIndex;
    });
    return static_cast<int>(it - taps.begin());
}

int ScreenScaler::FirstTapBeyond(const std::vector<Tap>& taps, int sourceIndex) {
    const auto it = std::partition_point(taps.begin(), taps.end(), [&](const Tap& t) {
        return std::min(t.first, t.second) < sourceIndex;
    });
    return static_cast<int>(it - taps.begin());
}

CRect ScreenScaler::AffectedOutput(const CRect& changed) const {
    CRect inside;
    if (!inside.IntersectRect(changed, CRect(0, 0, m_source.cx, m_source.cy))) return CRect();
    const CRect out(FirstTapReaching(m_columns, inside.left), FirstTapReaching(m_rows, inside.top),
                    FirstTapBeyond(m_columns, inside.right), FirstTapBeyond(m_rows, inside.bottom));
    return out.IsRectEmpty() ? CRect() : out;
}

const std::uint32_t* ScreenScaler::ScaledRow(const std::uint8_t* source, int sourceStride, int row,
                                             int left, int right, int slot) {
    std::uint32_t* out = m_rowCache[slot].data();
    if (m_cachedRow[slot] == row) return out;
    m_cachedRow[slot] = row;
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(
        source + static_cast<std::ptrdiff_t>(row) * sourceStride);
    for (int x = left; x < right; ++x) {
        const Tap& tap = m_columns[static_cast<std::size_t>(x)];
        const std::uint32_t a = pixels[tap.first];
        out[x] = tap.weight == 0 ? a : Blend(a, pixels[tap.second], tap.weight);
    }
    return out;
}

void ScreenScaler::Scale(const std::uint8_t* source, int sourceStride, std::uint8_t* target,
                         int targetStride, const CRect& out) {
    CRect area;
    if (!area.IntersectRect(out, CRect(0, 0, m_dest.cx, m_dest.cy))) return;
    // The row cache holds only the columns of this rectangle.
    m_cachedRow[0] = m_cachedRow[1] = -1;
    const auto bytes = static_cast<std::size_t>(area.Width()) * 4;
    for (int y = area.top; y < area.bottom; ++y) {
        const Tap& tap = m_rows[static_cast<std::size_t>(y)];
        std::uint8_t* dest = target + static_cast<std::ptrdiff_t>(y) * targetStride + area.left * 4;
        const std::uint32_t* first =
            ScaledRow(source, sourceStride, tap.first, area.left, area.right, tap.first & 1);
        if (tap.weight == 0) {
            std::memcpy(dest, first + area.left, bytes);
            continue;
        }
        const std::uint32_t* second =
            ScaledRow(source, sourceStride, tap.second, area.left, area.right, tap.second & 1);
        BlendRows(reinterpret_cast<const std::uint8_t*>(first + area.left),
                  reinterpret_cast<const std::uint8_t*>(second + area.left), dest, bytes,
                  tap.weight);
    }
}
