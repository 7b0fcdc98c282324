#pragma once
#include <array>
#include <span>
#include <vector>

#include "models/CLayerView.h"
#include "platform/base/WinTypes.h"

// What a scene's mapping layer says, laid out for the colouring loops: for every object id
// its pixels as horizontal segments grouped by row, and for every pixel its packed texture
// coordinate. Built once when the mapping layer loads, so a fill visits exactly the
// object's pixels, in the order they lie in memory, instead of testing every pixel of the
// picture, and reads two bytes a pixel instead of three; and for every pixel its footprint
// level, how coarse a swatch level keeps patterns from shimmering there: from the scene's
// footprint layer when it has one, else estimated from the mapping layer itself.
class CRegionIndex {
  public:
    // Columns [left, right) of one row that belong to the object.
    struct Segment {
        int left;
        int right;
    };

    // `footprint`, when valid and the mapping's size, holds each pixel's texture step as the
    // renderer measured it (one byte a pixel).
    void Build(const CLayerView& mapping, const CLayerView& footprint = {});
    void Clear();
    bool IsBuilt() const { return m_built; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The segments of object `id` in row y (0 = top), left to right; empty when none.
    std::span<const Segment> Row(int id, int y) const;
    // Whether object `id` covers every pixel, leaving the picture no objects to colour apart.
    bool CoversAll(int id) const;
    // Texture coordinates of row y (0 = top), one per pixel: v × 256 + u, where u is the
    // mapping pixel's red byte and v its green byte. The caller keeps y inside the index.
    const WORD* CoordinateRow(int y) const {
        return m_coordinates.data() + static_cast<std::ptrdiff_t>(y) * m_width;
    }
    // The coarsest footprint level of any pixel; 0 before the index is built.
    int MaxLevel() const { return m_maxLevel; }
    // Footprint level of pixel (x, y) (0 = top), 0 outside the index.
    int LevelAt(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
        return LevelRow(y)[x];
    }
    // Footprint levels of row y (0 = top), one per pixel; the caller keeps y inside the index.
    const BYTE* LevelRow(int y) const {
        return m_levels.data() + static_cast<std::ptrdiff_t>(y) * m_width;
    }

  private:
    struct Object {
        std::vector<int> rowStart;  // height + 1 offsets into segments
        std::vector<Segment> segments;
    };
    struct PendingSegment {
        int y;
        Segment columns;
    };
    using PendingSegments = std::array<std::vector<PendingSegment>, 256>;

    void ScanRow(const CLayerView& mapping, const CLayerView& footprint, int y,
                 PendingSegments& pending);
    void Group(int id, const std::vector<PendingSegment>& pending);

    bool m_built = false;
    int m_width = 0;
    int m_height = 0;
    int m_maxLevel = 0;
    std::array<Object, 256> m_objects;
    std::vector<WORD> m_coordinates;
    std::vector<BYTE> m_levels;
};
