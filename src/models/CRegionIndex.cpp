#include "models/CRegionIndex.h"

#include <algorithm>

#include "models/Footprint.h"

void CRegionIndex::Clear() {
    for (Object& object : m_objects) object = Object();
    m_coordinates = std::vector<WORD>();
    m_levels = std::vector<BYTE>();
    m_width = 0;
    m_height = 0;
    m_maxLevel = 0;
    m_built = false;
}

// One row of the mapping layer: its segments per object and its texture coordinates.
void CRegionIndex::ScanRow(const CLayerView& mapping, const CLayerView& footprint, int y,
                           PendingSegments& pending) {
    const int step = mapping.BytesPerPixel();
    const BYTE* pixel = mapping.Row(y);
    const BYTE* measured = footprint.IsValid() ? footprint.Row(y) : nullptr;
    WORD* coordinates = m_coordinates.data() + static_cast<std::ptrdiff_t>(y) * m_width;
    BYTE* levels = m_levels.data() + static_cast<std::ptrdiff_t>(y) * m_width;
    int openId = -1;
    int openLeft = 0;
    for (int x = 0; x < m_width; ++x, pixel += step) {
        coordinates[x] = static_cast<WORD>(pixel[1] << 8 | pixel[2]);
        const int level = measured != nullptr ? Footprint::LevelForMeasuredStep(measured[x])
                                              : Footprint::LevelAt(mapping, x, y);
        levels[x] = static_cast<BYTE>(level);
        m_maxLevel = std::max(m_maxLevel, level);
        const int id = pixel[0];
        if (id == openId) continue;
        if (openId >= 0) pending[openId].push_back({y, {openLeft, x}});
        openId = id;
        openLeft = x;
    }
    if (openId >= 0) pending[openId].push_back({y, {openLeft, m_width}});
}

// Walks the mapping layer row by row, the order it lies in memory.
void CRegionIndex::Build(const CLayerView& mapping, const CLayerView& footprint) {
    Clear();
    if (!mapping.IsValid()) return;
    m_width = mapping.Width();
    m_height = mapping.Height();
    m_coordinates.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height));
    m_levels.resize(m_coordinates.size());
    const bool measured = footprint.IsValid() && footprint.BytesPerPixel() == 1 &&
                          footprint.Width() == m_width && footprint.Height() == m_height;
    PendingSegments pending;
    for (int y = 0; y < m_height; ++y)
        ScanRow(mapping, measured ? footprint : CLayerView(), y, pending);
    for (int id = 0; id < 256; ++id) Group(id, pending[id]);
    m_built = true;
}

// Segments arrive row by row, left to right, so they only need their row offsets.
void CRegionIndex::Group(int id, const std::vector<PendingSegment>& pending) {
    if (pending.empty()) return;
    Object& object = m_objects[id];
    object.rowStart.assign(m_height + 1, 0);
    for (const PendingSegment& segment : pending) ++object.rowStart[segment.y + 1];
    for (int y = 0; y < m_height; ++y) object.rowStart[y + 1] += object.rowStart[y];
    object.segments.reserve(pending.size());
    for (const PendingSegment& segment : pending) object.segments.push_back(segment.columns);
}

std::span<const CRegionIndex::Segment> CRegionIndex::Row(int id, int y) const {
    if (id < 0 || id > 255 || y < 0 || y >= m_height) return {};
    const Object& object = m_objects[id];
    if (object.rowStart.empty()) return {};
    const auto begin = object.rowStart[static_cast<std::size_t>(y)];
    const auto end = object.rowStart[static_cast<std::size_t>(y) + 1];
    return std::span<const Segment>(object.segments).subspan(begin, end - begin);
}

bool CRegionIndex::CoversAll(int id) const {
    if (!m_built || m_width == 0 || m_height == 0) return false;
    for (int y = 0; y < m_height; ++y) {
        const std::span<const Segment> segments = Row(id, y);
        if (segments.size() != 1 || segments[0].left != 0 || segments[0].right != m_width)
            return false;
    }
    return true;
}
