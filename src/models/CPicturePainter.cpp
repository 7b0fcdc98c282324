#include "models/CPicturePainter.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "models/PixelMath.h"
#include "models/RowFill.h"

namespace {

// `from` minus `cut` when what remains is one rectangle; otherwise `from` unchanged.
CRect SubtractRect(const CRect& from, const CRect& cut) {
    CRect overlap;
    if (!overlap.IntersectRect(from, cut)) return from;
    if (overlap == from) return CRect();
    CRect rest = from;
    const bool spansWidth = overlap.left == from.left && overlap.right == from.right;
    const bool spansHeight = overlap.top == from.top && overlap.bottom == from.bottom;
    if (spansWidth && overlap.top == from.top)
        rest.top = overlap.bottom;
    else if (spansWidth && overlap.bottom == from.bottom)
        rest.bottom = overlap.top;
    else if (spansHeight && overlap.left == from.left)
        rest.left = overlap.right;
    else if (spansHeight && overlap.right == from.right)
        rest.right = overlap.left;
    return rest;
}

// Lays `colour` over the canvas pixel with strength `alpha`.
void BlendInto(BYTE* pixel, const BYTE* colour, float alpha) {
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = PixelMath::Blend(pixel[channel], colour[channel], alpha);
}

// A swatch texel darkened by the light level of a shading pixel.
void Shade(const BYTE* texel, const BYTE* shading, BYTE* shaded) {
    const int light = PixelMath::LightLevel(shading);
    for (int channel = 0; channel < 3; ++channel)
        shaded[channel] = PixelMath::Shade(texel[channel], light);
}

// The columns and rows of the swatch a pixel at `level` covers around (u, v), straight from
// the swatch's scales; false when (u, v) falls outside the swatch.
bool BoxOf(const Swatch& swatch, int u, int v, int level, PixelMath::TexelSpan& columns,
           PixelMath::TexelSpan& rows) {
    const int span = Footprint::LevelSpan(level);
    columns = PixelMath::SpanOf(u, span, swatch.UScale(), swatch.Width());
    rows = PixelMath::SpanOf(v, span, swatch.VScale(), swatch.Height());
    return columns.first >= 0 && rows.first >= 0;
}

// The mean colour of the swatch's texels in `columns` × `rows`, texel by texel.
void AverageTexels(const Swatch& swatch, PixelMath::TexelSpan columns, PixelMath::TexelSpan rows,
                   BYTE* colour) {
    unsigned sums[3] = {};
    for (int row = rows.first; row <= rows.last; ++row)
        for (int column = columns.first; column <= columns.last; ++column) {
            const BYTE* texel = swatch.Texel(column, row);
            for (int channel = 0; channel < 3; ++channel) sums[channel] += texel[channel];
        }
    const auto count =
        static_cast<unsigned>((columns.last - columns.first + 1) * (rows.last - rows.first + 1));
    for (int channel = 0; channel < 3; ++channel)
        colour[channel] = PixelMath::Mean(sums[channel], count);
}

// Running sums of the swatch's channels from its top-left corner, so laying out the mean of
// any box of texels takes four reads a channel whatever the box's size. The sums may wrap
// round on a huge swatch; a box's sum comes out exact all the same while the box itself
// sums below 2^32 (boxes are at most half the swatch wide, so any swatch to 4096 square).
struct SwatchSums {
    explicit SwatchSums(const Swatch& swatch)
        : stride(swatch.Width() + 1),
          sums(static_cast<std::size_t>(stride) * static_cast<std::size_t>(swatch.Height() + 1)) {
        for (int row = 0; row < swatch.Height(); ++row)
            for (int column = 0; column < swatch.Width(); ++column) {
                const BYTE* texel = swatch.Texel(column, row);
                for (int channel = 0; channel < 3; ++channel)
                    Cell(column + 1, row + 1)[channel] =
                        texel[channel] + Cell(column, row + 1)[channel] +
                        Cell(column + 1, row)[channel] - Cell(column, row)[channel];
            }
    }
    // Sums over columns < column and rows < row.
    std::array<unsigned, 3>& Cell(int column, int row) {
        return sums[static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) +
                    static_cast<std::size_t>(column)];
    }
    // Blue, green and red means over `columns` × `rows` packed as a swatch-table entry.
    DWORD Mean(PixelMath::TexelSpan columns, PixelMath::TexelSpan rows) {
        const auto count = static_cast<unsigned>((columns.last - columns.first + 1) *
                                                 (rows.last - rows.first + 1));
        DWORD entry = 0;
        for (int channel = 0; channel < 3; ++channel) {
            const unsigned sum = Cell(columns.last + 1, rows.last + 1)[channel] -
                                 Cell(columns.first, rows.last + 1)[channel] -
                                 Cell(columns.last + 1, rows.first)[channel] +
                                 Cell(columns.first, rows.first)[channel];
            entry |= static_cast<DWORD>(PixelMath::Mean(sum, count)) << (8 * channel);
        }
        return entry;
    }

    int stride;
    std::vector<std::array<unsigned, 3>> sums;
};

bool SameSpan(PixelMath::TexelSpan a, PixelMath::TexelSpan b) {
    return a.first == b.first && a.last == b.last;
}

// One level of the swatch table: each entry the mean of its box, from running sums so that
// wide boxes cost no more than narrow ones. Coordinates u whose boxes cover the same
// columns share one entry; coordinates v whose boxes cover the same rows share one row,
// laid out once and copied.
void LayOutLevel(const std::array<PixelMath::TexelSpan, 256>& columns,
                 const std::array<PixelMath::TexelSpan, 256>& rows, SwatchSums& sums,
                 DWORD* table) {
    for (int v = 0; v < 256; ++v) {
        DWORD* entry = table + v * 256;
        if (v > 0 && SameSpan(rows[v], rows[v - 1])) {
            std::memcpy(entry, entry - 256, 256 * sizeof(DWORD));
            continue;
        }
        for (int u = 0; u < 256; ++u) {
            if (columns[u].first < 0 || rows[v].first < 0)
                entry[u] = RowFill::kOutsideSwatch;
            else if (u > 0 && SameSpan(columns[u], columns[u - 1]))
                entry[u] = entry[u - 1];
            else
                entry[u] = sums.Mean(columns[u], rows[v]);
        }
    }
}

}  // namespace

// ---------------------------------------------------------------- pixels

bool CPicturePainter::PaintPixel(int x, int y, const Swatch& swatch, float alpha, int regionId) {
    if (regionId != -1 && m_layers.GetRegionId(x, y) != regionId) return false;
    if (!m_layers.EnsureShading(false) || !m_layers.EnsureMapping(false) ||
        !m_layers.EnsureCanvas(false))
        return false;
    if (alpha == 0.0f) return true;
    const CLayerView canvas = m_layers.Canvas();
    const CLayerView mapping = m_layers.Mapping();
    const CLayerView shading = m_layers.Shading();
    if (!canvas.Contains(x, y) || !mapping.Contains(x, y) || !shading.Contains(x, y)) return false;
    const BYTE* map = mapping.At(x, y);
    PixelMath::TexelSpan columns;
    PixelMath::TexelSpan rows;
    if (!BoxOf(swatch, map[2], map[1], m_layers.Regions().LevelAt(x, y), columns, rows))
        return false;
    BYTE colour[3];
    AverageTexels(swatch, columns, rows, colour);
    BYTE shaded[3];
    Shade(colour, shading.At(x, y), shaded);
    BlendInto(canvas.At(x, y), shaded, alpha);
    GrowChanged(CRect(x, y, x + 1, y + 1));
    return true;
}

bool CPicturePainter::ErasePixel(int x, int y, float alpha, int regionId) {
    if (regionId != -1 && m_layers.GetRegionId(x, y) != regionId) return false;
    if (!m_layers.EnsureUncoloured(false) || !m_layers.EnsureCanvas(false)) return false;
    const CLayerView canvas = m_layers.Canvas();
    const CLayerView uncoloured = m_layers.Uncoloured();
    if (!canvas.Contains(x, y) || !uncoloured.Contains(x, y)) return false;
    BlendInto(canvas.At(x, y), uncoloured.At(x, y), alpha);
    GrowChanged(CRect(x, y, x + 1, y + 1));
    return true;
}

void CPicturePainter::GrowChanged(const CRect& area) {
    GrowShown(area);
    m_history.NoteChanged(area);
}

// The view's part alone: undo and redo change the canvas and its undo copy together.
void CPicturePainter::GrowShown(const CRect& area) {
    if (m_changed.left == m_changed.right)
        m_changed = area;
    else
        m_changed.UnionRect(m_changed, area);
}

void CPicturePainter::MarkChanged(const CRect& area) {
    if (!area.IsRectEmpty()) GrowChanged(area);
}

void CPicturePainter::ForgetDrawn(const CRect& area) {
    m_changed = SubtractRect(m_changed, area);
}

// ---------------------------------------------------------------- undo

bool CPicturePainter::Undo() {
    CRect changed;
    if (!m_history.Undo(changed)) return false;
    GrowShown(changed);
    return true;
}

bool CPicturePainter::Redo() {
    CRect changed;
    if (!m_history.Redo(changed)) return false;
    GrowShown(changed);
    return true;
}

// ---------------------------------------------------------------- tables

void CPicturePainter::Release() {
    m_light = LightPlane();
    m_swatch = SwatchTable();
}

const CPicturePainter::TexelTable& CPicturePainter::TexelsFor(const Swatch& swatch) {
    TexelTable& table = m_texels;
    if (table.uScale == swatch.UScale() && table.vScale == swatch.VScale() &&
        table.width == swatch.Width() && table.height == swatch.Height())
        return table;
    table.uScale = swatch.UScale();
    table.vScale = swatch.VScale();
    table.width = swatch.Width();
    table.height = swatch.Height();
    table.columns.resize(Footprint::kLevels);
    table.rows.resize(Footprint::kLevels);
    for (int level = 0; level < Footprint::kLevels; ++level)
        for (int coord = 0; coord < 256; ++coord) {
            const int span = Footprint::LevelSpan(level);
            table.columns[level][coord] = PixelMath::SpanOf(coord, span, table.uScale, table.width);
            table.rows[level][coord] = PixelMath::SpanOf(coord, span, table.vScale, table.height);
        }
    return table;
}

// Derived again whenever the shading layer may have been replaced since.
const CPicturePainter::LightPlane& CPicturePainter::LightLevels() {
    if (m_light.shadingLoads != m_layers.GetShadingLoads()) {
        m_light = LightPlane();
        m_light.shadingLoads = m_layers.GetShadingLoads();
    }
    const CLayerView shading = m_layers.Shading();
    if (!m_light.levels.empty() || !shading.IsValid()) return m_light;
    m_light.width = shading.Width();
    m_light.height = shading.Height();
    m_light.levels.resize(static_cast<std::size_t>(m_light.width) *
                          static_cast<std::size_t>(m_light.height));
    BYTE* level = m_light.levels.data();
    const int step = shading.BytesPerPixel();
    for (int y = 0; y < m_light.height; ++y) {
        const BYTE* pixel = shading.Row(y);
        for (int x = 0; x < m_light.width; ++x, pixel += step)
            *level++ = static_cast<BYTE>(PixelMath::LightLevel(pixel));
    }
    return m_light;
}

// Only the levels the object index holds are ever read, so only they are laid out: a
// scene without far surfaces costs no more than one level. A level whose boxes are those
// of the level below is a copy of it.
void CPicturePainter::PrepareSwatch(const Swatch& swatch) {
    const TexelTable& texels = TexelsFor(swatch);
    const CRegionIndex& regions = m_layers.Regions();
    m_swatch.swatch = swatch;
    m_swatch.levels = regions.IsBuilt() ? regions.MaxLevel() + 1 : Footprint::kLevels;
    m_swatch.texels.resize(static_cast<std::size_t>(m_swatch.levels) * RowFill::kLevelEntries);
    SwatchSums sums(swatch);
    for (int level = 0; level < m_swatch.levels; ++level) {
        DWORD* const table = m_swatch.texels.data() + level * RowFill::kLevelEntries;
        if (level > 0 && std::ranges::equal(texels.rows[level], texels.rows[level - 1], SameSpan) &&
            std::ranges::equal(texels.columns[level], texels.columns[level - 1], SameSpan))
            std::memcpy(table, table - RowFill::kLevelEntries,
                        RowFill::kLevelEntries * sizeof(DWORD));
        else
            LayOutLevel(texels.columns[level], texels.rows[level], sums, table);
    }
}

// ---------------------------------------------------------------- bulk painting

bool CPicturePainter::PrepareViews(bool painting, int regionId, Views& views) {
    if (regionId != -1 && !m_layers.EnsureMapping(false)) return false;
    if (painting) {
        if (!m_layers.EnsureShading(false) || !m_layers.EnsureMapping(false) ||
            !m_layers.EnsureCanvas(false))
            return false;
        views.shading = m_layers.Shading();
    } else {
        if (!m_layers.EnsureUncoloured(false) || !m_layers.EnsureCanvas(false)) return false;
        views.source = m_layers.Uncoloured();
    }
    views.canvas = m_layers.Canvas();
    views.mapping = m_layers.Mapping();
    return views.canvas.IsValid();
}

int CPicturePainter::PaintObjectColumn(int x, const Swatch& swatch, int regionId) {
    std::vector<CRect> changed;
    const int painted = PaintObjectColumns(x, x + 1, swatch, regionId, changed);
    if (painted > 0) GrowChanged(changed.front());
    return painted;
}

// The pixels a fill may reach: inside the canvas, the shading layer and the mapping layer,
// as the per-pixel calls refuse everything else.
int CPicturePainter::PaintObjectColumns(int left, int right, const Swatch& swatch, int regionId,
                                        std::vector<CRect>& columnAreas) {
    columnAreas.assign(static_cast<std::size_t>(std::max(right - left, 0)), CRect());
    Views views;
    const CRegionIndex& regions = m_layers.Regions();
    if (!PrepareViews(true, regionId, views) || !regions.IsBuilt()) return 0;
    if (m_swatch.swatch != swatch || m_swatch.levels <= regions.MaxLevel()) PrepareSwatch(swatch);
    const LightPlane& light = LightLevels();
    const int width = std::min({views.canvas.Width(), light.width, regions.Width()});
    const int height = std::min({views.canvas.Height(), light.height, regions.Height()});
    const CRect area(std::max(left, 0), 0, std::min(right, width), height);
    if (area.IsRectEmpty()) return 0;
    m_changedTop.assign(static_cast<std::size_t>(area.Width()), INT_MAX);
    m_changedBottom.assign(static_cast<std::size_t>(area.Width()), 0);
    const int painted = PaintObjectRows(area, regionId, views.canvas);
    for (int x = area.left; x < area.right; ++x) {
        const std::size_t column = static_cast<std::size_t>(x - area.left);
        if (m_changedBottom[column] == 0) continue;
        const CRect changed(x, m_changedTop[column], x + 1, m_changedBottom[column]);
        columnAreas[static_cast<std::size_t>(x - left)] = changed;
        m_history.NoteChanged(changed);
    }
    return painted;
}

// Walks the object's segments of every row clipped to the area, in memory order.
int CPicturePainter::PaintObjectRows(const CRect& area, int regionId, const CLayerView& canvas) {
    const CRegionIndex& regions = m_layers.Regions();
    const RowFill::Painter paintRow = RowFill::ChoosePainter(canvas.BytesPerPixel());
    RowFill::Row row{nullptr,
                     canvas.BytesPerPixel(),
                     nullptr,
                     nullptr,
                     nullptr,
                     m_swatch.texels.data(),
                     m_changedTop.data(),
                     m_changedBottom.data(),
                     area.left,
                     0};
    int painted = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        const auto segments = regions.Row(regionId, y);
        auto segment = std::lower_bound(
            segments.begin(), segments.end(), area.left,
            [](const CRegionIndex::Segment& s, int column) { return s.right <= column; });
        if (segment == segments.end() || segment->left >= area.right) continue;
        row.canvas = canvas.Row(y);
        row.coordinates = regions.CoordinateRow(y);
        row.levels = regions.LevelRow(y);
        row.light = m_light.levels.data() + static_cast<std::ptrdiff_t>(y) * m_light.width;
        row.y = y;
        for (; segment != segments.end() && segment->left < area.right; ++segment)
            painted += paintRow(row, std::max(segment->left, area.left),
                                std::min(segment->right, area.right));
    }
    return painted;
}

// Mask cells map to pixels exactly as the per-pixel calls would; the layers are looked up
// once and cells outside any layer are skipped as those calls would refuse them.
int CPicturePainter::StampMask(int left, int top, const float* mask, int rows, int columns,
                               const Swatch* swatch, int regionId) {
    Views views;
    if (mask == nullptr || !PrepareViews(swatch != nullptr, regionId, views)) return 0;
    if (regionId != -1 && !views.mapping.IsValid()) return 0;
    if (swatch != nullptr) {
        if (!swatch->HasPixels() || !views.mapping.IsValid()) return 0;
        TexelsFor(*swatch);
    }
    CRect changed;
    int painted = 0;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const int x = left + i;
            const int y = top + j;
            if (!StampCell(x, y, mask[i * columns + j], swatch, regionId, views)) continue;
            changed.UnionRect(changed, CRect(x, y, x + 1, y + 1));
            ++painted;
        }
    }
    if (painted > 0) GrowChanged(changed);
    return painted;
}

// One mask cell; false when it leaves the pixel alone. A zero cell paints nothing; erasing
// it still counts it as drawn, as a per-pixel erase does.
bool CPicturePainter::StampCell(int x, int y, float alpha, const Swatch* swatch, int regionId,
                                const Views& views) {
    if ((alpha == 0.0f && swatch != nullptr) || !views.canvas.Contains(x, y)) return false;
    if (regionId != -1 && (!views.mapping.Contains(x, y) || views.mapping.At(x, y)[0] != regionId))
        return false;
    if (swatch == nullptr) {
        if (!views.source.Contains(x, y)) return false;
        BlendInto(views.canvas.At(x, y), views.source.At(x, y), alpha);
        return true;
    }
    if (!views.mapping.Contains(x, y) || !views.shading.Contains(x, y)) return false;
    const BYTE* map = views.mapping.At(x, y);
    const int level = m_layers.Regions().LevelAt(x, y);
    const PixelMath::TexelSpan columns = m_texels.columns[level][map[2]];
    const PixelMath::TexelSpan rows = m_texels.rows[level][map[1]];
    if (columns.first < 0 || rows.first < 0) return false;
    BYTE colour[3];
    AverageTexels(*swatch, columns, rows, colour);
    BYTE shaded[3];
    Shade(colour, views.shading.At(x, y), shaded);
    BlendInto(views.canvas.At(x, y), shaded, alpha);
    return true;
}
