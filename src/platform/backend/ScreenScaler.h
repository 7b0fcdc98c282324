#pragma once
#include <cstdint>
#include <vector>

#include "platform/base/CRect.h"
#include "platform/base/CSize.h"

// Scales 32-bit pixels (blue, green, red, x in memory) from the display onto the output,
// one rectangle at a time, so a small change costs a small copy.
//
// The filter keeps edges sharp at any scale: the source is first enlarged by the whole
// factor at or above the scale with nearest-neighbour sampling, then brought down to the
// output size linearly. At a whole-number scale that is exact pixel repetition; at 1.6
// each output pixel blends at most two neighbouring source pixels, only where an edge of
// the enlarged source falls inside it.
class ScreenScaler {
  public:
    void Configure(CSize source, CSize dest);
    CSize Source() const { return m_source; }
    CSize Dest() const { return m_dest; }

    // The output pixels (in destination coordinates) whose colour depends on any source
    // pixel of `changed`; empty when `changed` is.
    CRect AffectedOutput(const CRect& changed) const;

    // Writes the output rectangle `out` (destination coordinates, inside the destination)
    // from `source` (rows `sourceStride` bytes apart) to `target`, which points at the
    // destination's (0, 0) with rows `targetStride` bytes apart.
    void Scale(const std::uint8_t* source, int sourceStride, std::uint8_t* target, int targetStride,
               const CRect& out);

  private:
    // An output column or row: a blend of source pixels `first` and `second`, `weight`
    // 256ths of the second.
    struct Tap {
        int first = 0;
        int second = 0;
        std::uint32_t weight = 0;
    };
    static std::vector<Tap> MakeTaps(int source, int dest);
    static int FirstTapReaching(const std::vector<Tap>& taps, int sourceIndex);
    static int FirstTapBeyond(const std::vector<Tap>& taps, int sourceIndex);
    // The horizontally scaled columns [left, right) of a source row, cached per row.
    const std::uint32_t* ScaledRow(const std::uint8_t* source, int sourceStride, int row, int left,
                                   int right, int slot);

    CSize m_source;
    CSize m_dest;
    std::vector<Tap> m_columns;
    std::vector<Tap> m_rows;
    std::vector<std::uint32_t> m_rowCache[2];
    int m_cachedRow[2] = {-1, -1};
};
