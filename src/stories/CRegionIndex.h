#pragma once
#include <array>
#include <span>
#include <vector>

#include "stories/CLayerView.h"

// Where each object of a scene lies: for every object id of the mapping layer, its pixels
// as vertical runs grouped by column. Built once when the mapping layer loads, so a fill
// visits exactly the object's pixels instead of testing every pixel of the picture.
class CRegionIndex {
  public:
    // Rows [top, bottom) of one column that belong to the object.
    struct Run {
        int top;
        int bottom;
    };

    void Build(const CLayerView& mapping);
    void Clear();
    bool IsBuilt() const { return m_built; }
    int Width() const { return m_width; }
    // The runs of object `id` in column x, top to bottom; empty when none.
    std::span<const Run> Column(int id, int x) const;

  private:
    struct Object {
        std::vector<int> columnStart;  // width + 1 offsets into runs
        std::vector<Run> runs;
    };
    struct PendingRun {
        int x;
        Run rows;
    };

    void Close(std::array<std::vector<PendingRun>, 256>& pending, int id, int x, int top,
               int bottom) const;
    void Group(int id, const std::vector<PendingRun>& pending);

    bool m_built = false;
    int m_width = 0;
    std::array<Object, 256> m_objects;
};
