#include "painting/CColourFloodFill.h"

#include <algorithm>
#include <cstdlib>

#include "models/CGlimImage.h"

namespace {

// Blue, green and red of a canvas pixel.
struct Colour {
    int channel[3];
};

Colour ColourAt(const CLayerView& canvas, int x, int y) {
    const BYTE* pixel = canvas.At(x, y);
    return {{pixel[0], pixel[1], pixel[2]}};
}

// The largest difference of one channel.
int ChannelDistance(const Colour& a, const Colour& b) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(a.channel[c] - b.channel[c]));
    return largest;
}

// The patch of 4-connected pixels within the tolerance of the seed's colour, traced span by
// span: each span is widened to its full run along its row, and every run of matching
// pixels in the rows above and below queues one pixel, so memory grows with the number of
// runs, not of pixels.
class Flood {
  public:
    Flood(const CLayerView& canvas, CPoint seed, int tolerance)
        : m_canvas(canvas),
          m_seed(ColourAt(canvas, seed.x, seed.y)),
          m_tolerance(tolerance),
          m_inside(static_cast<std::size_t>(canvas.Width()) * canvas.Height(), 0),
          m_bounds(seed.x, seed.y, seed.x + 1, seed.y + 1) {
        m_pending.push_back(seed);
    }

    void Run() {
        while (!m_pending.empty()) {
            const CPoint start = m_pending.back();
            m_pending.pop_back();
            if (!IsInside(start.x, start.y)) FillSpan(start);
        }
    }

    bool IsInside(int x, int y) const {
        return m_canvas.Contains(x, y) && m_inside[Index(x, y)] != 0;
    }
    const Colour& SeedColour() const { return m_seed; }
    const CRect& Bounds() const { return m_bounds; }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_canvas.Width()) +
               static_cast<std::size_t>(x);
    }
    bool Joins(int x, int y) const {
        return m_inside[Index(x, y)] == 0 &&
               ChannelDistance(ColourAt(m_canvas, x, y), m_seed) <= m_tolerance;
    }

    void FillSpan(CPoint start) {
        int left = start.x;
        int right = start.x;
        while (left > 0 && Joins(left - 1, start.y)) --left;
        while (right + 1 < m_canvas.Width() && Joins(right + 1, start.y)) ++right;
        for (int x = left; x <= right; ++x) m_inside[Index(x, start.y)] = 1;
        m_bounds.UnionRect(m_bounds, CRect(left, start.y, right + 1, start.y + 1));
        if (start.y > 0) QueueRuns(left, right, start.y - 1);
        if (start.y + 1 < m_canvas.Height()) QueueRuns(left, right, start.y + 1);
    }

    void QueueRuns(int left, int right, int y) {
        for (int x = left; x <= right; ++x) {
            if (!Joins(x, y)) continue;
            m_pending.push_back(CPoint(x, y));
            while (x + 1 <= right && Joins(x + 1, y)) ++x;
        }
    }

    const CLayerView& m_canvas;
    Colour m_seed;
    int m_tolerance;
    std::vector<BYTE> m_inside;
    std::vector<CPoint> m_pending;
    CRect m_bounds;
};

// How far to look around a fringe pixel for the pure colour it was mixed with, and how many
// rings of pixels around the patch a soft edge may span.
constexpr int kFringeReach = 2;
constexpr int kFringeRings = 2;

// How much of `pixel` is `seed` when it is a mix of `seed` and `other`, and how far it lies
// from that mix (the largest channel difference); a share below 0 or above 1 is clamped.
struct Mix {
    float share = 0.0f;
    int miss = 0;
};

Mix MixOf(const Colour& pixel, const Colour& seed, const Colour& other) {
    long along = 0;
    long span = 0;
    for (int c = 0; c < 3; ++c) {
        const int toSeed = seed.channel[c] - other.channel[c];
        along += static_cast<long>(pixel.channel[c] - other.channel[c]) * toSeed;
        span += static_cast<long>(toSeed) * toSeed;
    }
    Mix mix;
    if (span == 0) return mix;
    mix.share = std::clamp(static_cast<float>(along) / static_cast<float>(span), 0.0f, 1.0f);
    for (int c = 0; c < 3; ++c) {
        const float mixed = static_cast<float>(other.channel[c]) +
                            mix.share * static_cast<float>(seed.channel[c] - other.channel[c]);
        const int miss = std::abs(static_cast<int>(mixed + 0.5f) - pixel.channel[c]);
        mix.miss = std::max(mix.miss, miss);
    }
    return mix;
}

// The share of the seed's colour in pixel (x, y) just outside the patch. Of the pixels
// near it outside the patch, the one furthest from the seed's colour that still explains
// the pixel as a mix of the two is taken as the stroke's own colour; the pixel itself
// explains itself with no share at all, so a stroke's solid pixels are left alone.
float FringeShare(const CLayerView& canvas, const Flood& flood, int x, int y, int tolerance) {
    const Colour pixel = ColourAt(canvas, x, y);
    const Colour& seed = flood.SeedColour();
    int furthest = -1;
    float share = 0.0f;
    for (int dy = -kFringeReach; dy <= kFringeReach; ++dy) {
        for (int dx = -kFringeReach; dx <= kFringeReach; ++dx) {
            if (!canvas.Contains(x + dx, y + dy) || flood.IsInside(x + dx, y + dy)) continue;
            const Colour other = ColourAt(canvas, x + dx, y + dy);
            const int distance = ChannelDistance(other, seed);
            if (distance <= furthest || distance <= tolerance) continue;
            const Mix mix = MixOf(pixel, seed, other);
            if (mix.miss > tolerance) continue;
            furthest = distance;
            share = mix.share;
        }
    }
    return share;
}

// The soft fringe around the patch, ring by ring: the first ring borders the patch along a
// side, each later ring borders the ring before it. A pixel joins when it is too different
// to have joined the patch, is partly the patch's colour, and no more so than the pixel it
// borders: a fringe fades away from the patch, so a pixel of the patch's own colour beyond
// a line (reached only across corners, or past a thin stroke) is left as it is.
class FringeTracer {
  public:
    FringeTracer(const CLayerView& canvas, const Flood& flood, int tolerance,
                 CColourFloodFill::Coverage& coverage)
        : m_canvas(canvas),
          m_flood(flood),
          m_tolerance(tolerance),
          m_coverage(coverage),
          m_ring(coverage.strength.size(), 0) {}

    void Run() {
        MarkPatch();
        for (BYTE ring = 1; ring <= kFringeRings; ++ring) AddRing(ring);
    }

  private:
    static constexpr BYTE kPatch = 0xFF;

    std::size_t Cell(int x, int y) const {
        const CRect& b = m_coverage.bounds;
        return static_cast<std::size_t>(x - b.left) * static_cast<std::size_t>(b.Height()) +
               static_cast<std::size_t>(y - b.top);
    }

    void MarkPatch() {
        const CRect& b = m_coverage.bounds;
        for (int x = b.left; x < b.right; ++x) {
            for (int y = b.top; y < b.bottom; ++y) {
                if (!m_flood.IsInside(x, y)) continue;
                m_coverage.strength[Cell(x, y)] = 1.0f;
                m_ring[Cell(x, y)] = kPatch;
            }
        }
    }

    // The strongest of the side neighbours that belong to ring `previous` (or the patch).
    float Bordering(int x, int y, BYTE previous) const {
        const CRect& b = m_coverage.bounds;
        float strongest = 0.0f;
        const CPoint sides[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const CPoint& side : sides) {
            if (!b.PtInRect(side) || m_ring[Cell(side.x, side.y)] != previous) continue;
            strongest = std::max(strongest, m_coverage.strength[Cell(side.x, side.y)]);
        }
        return strongest;
    }

    void AddRing(BYTE ring) {
        const BYTE previous = ring == 1 ? kPatch : static_cast<BYTE>(ring - 1);
        const CRect& b = m_coverage.bounds;
        for (int x = b.left; x < b.right; ++x) {
            for (int y = b.top; y < b.bottom; ++y) {
                if (m_ring[Cell(x, y)] != 0) continue;
                const float limit = Bordering(x, y, previous);
                if (limit == 0.0f ||
                    ChannelDistance(ColourAt(m_canvas, x, y), m_flood.SeedColour()) <= m_tolerance)
                    continue;
                const float share = FringeShare(m_canvas, m_flood, x, y, m_tolerance);
                if (share == 0.0f || share > limit) continue;
                m_coverage.strength[Cell(x, y)] = share;
                m_ring[Cell(x, y)] = ring;
            }
        }
    }

    const CLayerView& m_canvas;
    const Flood& m_flood;
    int m_tolerance;
    CColourFloodFill::Coverage& m_coverage;
    std::vector<BYTE> m_ring;  // per cell: 0 untouched, kPatch, or the fringe ring it is in
};

}  // namespace

float CColourFloodFill::Coverage::At(int x, int y) const {
    if (!bounds.PtInRect(CPoint(x, y))) return 0.0f;
    const std::size_t column = static_cast<std::size_t>(x - bounds.left);
    return strength[column * static_cast<std::size_t>(bounds.Height()) +
                    static_cast<std::size_t>(y - bounds.top)];
}

CColourFloodFill::Coverage CColourFloodFill::Trace(const CLayerView& canvas, CPoint seed,
                                                   int tolerance) {
    Coverage coverage;
    if (!canvas.IsValid() || !canvas.Contains(seed.x, seed.y)) return coverage;
    Flood flood(canvas, seed, tolerance);
    flood.Run();
    // The patch and the rings of fringe pixels around it.
    const CRect& patch = flood.Bounds();
    const CRect grown(patch.left - kFringeRings, patch.top - kFringeRings,
                      patch.right + kFringeRings, patch.bottom + kFringeRings);
    coverage.bounds.IntersectRect(grown, CRect(0, 0, canvas.Width(), canvas.Height()));
    coverage.strength.assign(
        static_cast<std::size_t>(coverage.bounds.Width()) * coverage.bounds.Height(), 0.0f);
    FringeTracer(canvas, flood, tolerance, coverage).Run();
    return coverage;
}

bool CColourFloodFill::Fill(CGlimImage& picture, CPoint seed, const Swatch& swatch) {
    const Coverage coverage = Trace(picture.ViewCanvas(), seed);
    if (coverage.IsEmpty()) return false;
    const CRect& b = coverage.bounds;
    return picture.StampMask(b.left, b.top, coverage.strength.data(), b.Width(), b.Height(),
                             &swatch, -1) > 0;
}
