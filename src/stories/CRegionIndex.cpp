#include "stories/CRegionIndex.h"

void CRegionIndex::Clear() {
    for (Object& object : m_objects) {
        object.columnStart = {};
        object.runs = {};
    }
    m_width = 0;
    m_built = false;
}

void CRegionIndex::Close(std::array<std::vector<PendingRun>, 256>& pending, int id, int x, int top,
                         int bottom) const {
    pending[id].push_back({x, {top, bottom}});
}

// Walks the mapping layer row by row (the order it lies in memory) keeping one open run per
// column, then groups each object's runs by column.
void CRegionIndex::Build(const CLayerView& mapping) {
    Clear();
    if (!mapping.IsValid()) return;
    const int width = mapping.Width();
    const int height = mapping.Height();
    const int step = mapping.BytesPerPixel();
    std::vector<int> openId(width, -1);
    std::vector<int> openTop(width, 0);
    std::array<std::vector<PendingRun>, 256> pending;
    for (int y = 0; y < height; ++y) {
        const BYTE* pixel = mapping.Row(y);
        for (int x = 0; x < width; ++x, pixel += step) {
            const int id = pixel[0];
            if (id == openId[x]) continue;
            if (openId[x] >= 0) Close(pending, openId[x], x, openTop[x], y);
            openId[x] = id;
            openTop[x] = y;
        }
    }
    for (int x = 0; x < width; ++x)
        if (openId[x] >= 0) Close(pending, openId[x], x, openTop[x], height);
    m_width = width;
    for (int id = 0; id < 256; ++id) Group(id, pending[id]);
    m_built = true;
}

// Counting sort by column; runs of one column keep their top-to-bottom order.
void CRegionIndex::Group(int id, const std::vector<PendingRun>& pending) {
    if (pending.empty()) return;
    Object& object = m_objects[id];
    object.columnStart.assign(m_width + 1, 0);
    for (const PendingRun& run : pending) ++object.columnStart[run.x + 1];
    for (int x = 0; x < m_width; ++x) object.columnStart[x + 1] += object.columnStart[x];
    std::vector<int> next(object.columnStart.begin(), object.columnStart.end() - 1);
    object.runs.resize(pending.size());
    for (const PendingRun& run : pending)
        object.runs[next[static_cast<std::size_t>(run.x)]++] = run.rows;
}

std::span<const CRegionIndex::Run> CRegionIndex::Column(int id, int x) const {
    if (id < 0 || id > 255 || x < 0 || x >= m_width) return {};
    const Object& object = m_objects[id];
    if (object.columnStart.empty()) return {};
    const auto begin = object.columnStart[static_cast<std::size_t>(x)];
    const auto end = object.columnStart[static_cast<std::size_t>(x) + 1];
    return std::span<const Run>(object.runs).subspan(begin, end - begin);
}
