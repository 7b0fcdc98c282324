#include "models/CGlimImage.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TALEWICK_VECTOR_FILL 1
#endif

#include "models/CDescParser.h"
#include "models/PixelMath.h"
#include "models/CCrayon.h"

namespace {

std::string FolderWithSlash(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

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

// Marks a swatch-table entry whose texture coordinate falls outside the swatch.
constexpr DWORD kOutsideSwatch = 0xFF000000u;

// One row of an object fill: where its pixels, coordinates and light levels start (x = 0),
// and the per-column record of changed rows, indexed by x - firstColumn.
struct FillRow {
    BYTE* canvas;
    int canvasStep;
    const WORD* coordinates;
    const BYTE* light;
    const DWORD* swatch;
    int* changedTop;
    int* changedBottom;
    int firstColumn;
    int y;
};

// Paints columns [from, to) of the row, pixel by pixel; the same bytes as PaintPixel with
// alpha 1.0: the swatch colour shaded by the light level. The row's fields are copied to
// locals first: byte stores to the canvas may alias anything, so the compiler would reload
// them at every pixel.
int PaintRowPlain(const FillRow& row, int from, int to) {
    BYTE* const canvas = row.canvas;
    const std::ptrdiff_t step = row.canvasStep;
    const WORD* const coordinates = row.coordinates;
    const BYTE* const lightLevels = row.light;
    const DWORD* const swatch = row.swatch;
    int* const changedTop = row.changedTop;
    int* const changedBottom = row.changedBottom;
    const int firstColumn = row.firstColumn;
    const int y = row.y;
    int painted = 0;
    for (int x = from; x < to; ++x) {
        const DWORD texel = swatch[coordinates[x]];
        if ((texel & kOutsideSwatch) != 0) continue;
        const int light = lightLevels[x];
        BYTE* pixel = canvas + x * step;
        pixel[0] = PixelMath::Shade(static_cast<BYTE>(texel), light);
        pixel[1] = PixelMath::Shade(static_cast<BYTE>(texel >> 8), light);
        pixel[2] = PixelMath::Shade(static_cast<BYTE>(texel >> 16), light);
        const int column = x - firstColumn;
        changedTop[column] = std::min(changedTop[column], y);
        changedBottom[column] = y + 1;
        ++painted;
    }
    return painted;
}

#ifdef TALEWICK_VECTOR_FILL
// Eight pixels at a time from `from` while all eight coordinates of a group lie inside the
// swatch: gathers the swatch colours, multiplies each byte by its pixel's light level in
// 16-bit lanes (255 × 255 fits, so (T × L) >> 8 is exact), packs the 4-byte results to
// 3-byte pixels and stores exactly 24 bytes. Returns where it stopped: fewer than eight
// pixels left, or a group with a coordinate outside the swatch. Needs 3-byte canvas pixels.
__attribute__((target("avx2"))) int PaintGroups(const FillRow& row, int from, int to,
                                                int& painted) {
    const __m256i outside = _mm256_set1_epi32(static_cast<int>(kOutsideSwatch));
    const __m256i blueRedBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i greenByte = _mm256_set1_epi32(0x0000FF00);
    const __m256i packLanes =
        _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6,
                         8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i joinLanes = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i thisRow = _mm256_set1_epi32(row.y);
    const __m256i nextRow = _mm256_set1_epi32(row.y + 1);
    const int* swatch = reinterpret_cast<const int*>(row.swatch);
    const WORD* coordinates = row.coordinates;
    const BYTE* lightLevels = row.light;
    BYTE* canvas = row.canvas;
    int* changedTop = row.changedTop;
    int* changedBottom = row.changedBottom;
    const int firstColumn = row.firstColumn;
    int x = from;
    for (; x + 8 <= to; x += 8) {
        const __m256i index = _mm256_cvtepu16_epi32(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(coordinates + x)));
        const __m256i texel = _mm256_i32gather_epi32(swatch, index, 4);
        if (!_mm256_testz_si256(texel, outside)) break;
        const __m256i level = _mm256_cvtepu8_epi32(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lightLevels + x)));
        const __m256i light = _mm256_or_si256(level, _mm256_slli_epi32(level, 16));
        const __m256i blueRed =
            _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(texel, blueRedBytes), light), 8);
        const __m256i green =
            _mm256_and_si256(_mm256_mullo_epi16(_mm256_srli_epi16(texel, 8), light), greenByte);
        const __m256i packed = _mm256_permutevar8x32_epi32(
            _mm256_shuffle_epi8(_mm256_or_si256(blueRed, green), packLanes), joinLanes);
        BYTE* pixel = canvas + static_cast<std::ptrdiff_t>(x) * 3;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixel), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(pixel + 16),
                         _mm256_extracti128_si256(packed, 1));
        auto* top = reinterpret_cast<__m256i*>(changedTop + (x - firstColumn));
        _mm256_storeu_si256(top, _mm256_min_epi32(_mm256_loadu_si256(top), thisRow));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(changedBottom + (x - firstColumn)), nextRow);
    }
    painted += x - from;
    return x;
}

// Groups of eight through the vector unit; a group reaching outside the swatch, and the
// last few pixels, through the plain loop.
int PaintRowVector(const FillRow& row, int from, int to) {
    int painted = 0;
    int x = PaintGroups(row, from, to, painted);
    while (to - x >= 8) {
        painted += PaintRowPlain(row, x, x + 8);
        x = PaintGroups(row, x + 8, to, painted);
    }
    return painted + PaintRowPlain(row, x, to);
}

bool VectorUnitPresent() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}
#endif

bool g_vectorUnitAllowed = true;

using RowPainter = int (*)(const FillRow&, int, int);

RowPainter ChooseRowPainter(int canvasStep) {
#ifdef TALEWICK_VECTOR_FILL
    static const bool present = VectorUnitPresent();
    if (present && g_vectorUnitAllowed && canvasStep == 3) return &PaintRowVector;
#endif
    (void)canvasStep;
    return &PaintRowPlain;
}

}  // namespace

void CGlimImage::AllowVectorUnit(bool allowed) {
    g_vectorUnitAllowed = allowed;
}

// ---------------------------------------------------------------- loading and files

void CGlimImage::ClearFiles() {
    for (std::string* name :
         {&m_imageName, &m_imageFolder, &m_soundsFolder, &m_shadingFile, &m_mappingFile,
          &m_uncolouredFile, &m_printFile, &m_savedPictureFile, &m_thumbnailFile,
          &m_savedThumbnailFile, &m_voiceOverFile, &m_caption})
        name->clear();
    m_dirtyRect.SetRectEmpty();
    m_window = nullptr;
    m_objectSoundCount = 0;
}

bool CGlimImage::LoadFromDescription(const std::string& block, const std::string& depthPrefix,
                                     const std::string& bookFolder) {
    ReleaseAll();
    ClearFiles();
    const CDescParser parser;
    auto value = [&](const char* key) {
        int next = 0;
        std::string prefix = depthPrefix;
        return parser.GetValue(block, key, 0, next, prefix);
    };
    m_imageFolder = FolderWithSlash(FolderWithSlash(bookFolder) + value("imagefolder"));
    m_soundsFolder = m_imageFolder + "sounds/";
    m_imageName = value("imagename");
    m_shadingFile = value("lt");
    m_mappingFile = value("mg");
    m_uncolouredFile = value("ou");
    m_thumbnailFile = value("tn");
    m_printFile = value("pr");
    int next = 0;
    std::string soundPrefix = depthPrefix;
    const std::string soundBlock = parser.GetValue(block, "sound", 0, next, soundPrefix);
    if (!soundBlock.empty()) LoadObjectSounds(soundBlock, soundPrefix, m_soundsFolder);
    const std::string voiceOver = value("vo");
    if (!voiceOver.empty()) m_voiceOverFile = m_soundsFolder + voiceOver;
    m_caption = value("caption");
    return true;
}

void CGlimImage::AddObjectSound(const std::string& entry, int& distinct) {
    const std::size_t comma = entry.find(',');
    ObjectSound& sound = m_objectSounds[m_objectSoundCount];
    sound.objectId = std::atoi(entry.substr(0, comma).c_str());
    sound.fileName = comma == std::string::npos ? std::string() : entry.substr(comma + 1);
    const auto names = m_soundNames.begin();
    const auto found = std::find(names, names + distinct, sound.fileName);
    sound.soundIndex = static_cast<int>(found - names);
    if (found == names + distinct) m_soundNames[distinct++] = sound.fileName;
    ++m_objectSoundCount;
}

bool CGlimImage::LoadObjectSounds(const std::string& soundBlock, const std::string& depthPrefix,
                                  const std::string& soundsFolder) {
    m_soundsFolder = soundsFolder;
    m_objectSoundCount = 0;
    const CDescParser parser;
    int distinct = 0;
    int position = 0;
    // The tables hold 50 entries; further entries are not read.
    while (m_objectSoundCount < kMaxSounds) {
        std::string prefix = depthPrefix;
        int next = position;
        const std::string entry =
            parser.GetValue(soundBlock, "objectSound", position, next, prefix);
        if (entry.empty()) break;
        AddObjectSound(entry, distinct);
        position = next;
    }
    return true;
}

bool CGlimImage::SetSavedFiles(const std::string& picturePath, const std::string& thumbnailPath) {
    if (!m_savedPictureFile.empty()) ForgetSavedFiles();
    Release(m_canvas);
    m_undoTracked = false;
    Release(m_thumbnail);
    m_savedPictureFile = picturePath;
    m_savedThumbnailFile = thumbnailPath;
    return true;
}

bool CGlimImage::ForgetSavedFiles() {
    Release(m_canvas);
    m_undoTracked = false;
    m_savedPictureFile.clear();
    Release(m_thumbnail);
    m_savedThumbnailFile.clear();
    return true;
}

bool CGlimImage::Release(CDib& layer) {
    layer.Empty();
    return true;
}

bool CGlimImage::ReleaseAll() {
    for (CBasicSound& sound : m_sounds)
        if (!sound.Free()) return false;
    for (CDib* layer : {&m_shading, &m_mapping, &m_uncoloured, &m_print}) Release(*layer);
    m_regions.Clear();
    m_light = LightPlane();
    m_swatch = SwatchTable();
    Release(m_canvas);
    m_savedPictureFile.clear();
    Release(m_undo);
    m_undoTracked = false;
    Release(m_thumbnail);
    m_savedThumbnailFile.clear();
    return m_voiceOver.Free();
}

bool CGlimImage::ReleasePrintPicture() {
    Release(m_print);
    return true;
}

bool CGlimImage::HoldsResources() const {
    for (const CDib* layer :
         {&m_shading, &m_mapping, &m_uncoloured, &m_canvas, &m_print, &m_undo, &m_thumbnail})
        if (layer->IsValid()) return true;
    for (const CBasicSound& sound : m_sounds)
        if (sound.IsLoaded()) return true;
    return m_voiceOver.IsLoaded() || m_regions.IsBuilt() || !m_light.levels.empty();
}

// ---------------------------------------------------------------- layers

bool CGlimImage::LoadLayer(CDib& layer, const std::string& fileName, bool force) {
    if (fileName.empty()) return false;
    if (layer.IsValid() && !force) return true;
    return layer.Load(m_imageFolder + fileName) != 0;
}

bool CGlimImage::EnsureShading(bool force) {
    // Any load attempt may replace the layer, so the light levels are derived again.
    if (!m_shading.IsValid() || force) m_light = LightPlane();
    return LoadLayer(m_shading, m_shadingFile, force);
}

bool CGlimImage::EnsureMapping(bool force) {
    const bool wasLoaded = m_mapping.IsValid() && !force;
    if (!LoadLayer(m_mapping, m_mappingFile, force)) {
        m_regions.Clear();
        return false;
    }
    if (!wasLoaded) m_regions.Build(ViewOf(m_mapping));
    return true;
}

bool CGlimImage::EnsureUncoloured(bool force) {
    return LoadLayer(m_uncoloured, m_uncolouredFile, force);
}

bool CGlimImage::EnsurePrint(bool force) {
    return LoadLayer(m_print, m_printFile, force);
}

bool CGlimImage::EnsureThumbnail(bool force) {
    if (m_savedThumbnailFile.empty() && m_thumbnailFile.empty()) return false;
    if (m_thumbnail.IsValid() && !force) return true;
    if (!m_savedThumbnailFile.empty()) {
        const bool loaded = m_thumbnail.Load(m_savedThumbnailFile) != 0;
        m_savedThumbnailFile.clear();
        return loaded;
    }
    return m_thumbnail.Load(m_imageFolder + m_thumbnailFile) != 0;
}

bool CGlimImage::EnsureCanvas(bool force) {
    if (m_canvas.IsValid() && !force) return true;
    m_undoTracked = false;
    if (!m_savedPictureFile.empty()) {
        const bool loaded = m_canvas.Load(m_savedPictureFile) != 0;
        m_savedPictureFile.clear();
        if (loaded) return true;
    }
    if (!EnsureUncoloured(false)) return false;
    m_canvas = m_uncoloured;
    return m_canvas.IsValid();
}

CDib* CGlimImage::GetThumbnail() {
    return EnsureThumbnail(false) ? &m_thumbnail : nullptr;
}

CDib* CGlimImage::GetPrintPicture(bool coloured) {
    if (coloured) {
        // The caller may change the pixels behind our back.
        m_undoTracked = false;
        return EnsureCanvas(false) ? &m_canvas : nullptr;
    }
    return EnsurePrint(false) ? &m_print : nullptr;
}

CSize CGlimImage::GetSize() const {
    return m_canvas.IsValid() ? m_canvas.GetSize() : CSize();
}

CSize CGlimImage::GetShippedThumbnailSize() {
    if (m_thumbnailFile.empty()) return {};
    CDib shipped;
    if (!shipped.Load(m_imageFolder + m_thumbnailFile)) return {};
    return shipped.GetSize();
}

CLayerView CGlimImage::ViewOf(CDib& picture) {
    if (!picture.IsValid()) return {};
    return CLayerView(&picture.GetHeader()->bmiHeader, picture.GetBits(), picture.GetImageSize());
}

// ---------------------------------------------------------------- pixels

int CGlimImage::GetRegionId(int x, int y) {
    if (!EnsureMapping(false)) return -1;
    const CLayerView mapping = ViewOf(m_mapping);
    if (!mapping.Contains(x, y)) return -1;
    return mapping.At(x, y)[0];
}

void CGlimImage::GrowDirty(int x, int y) {
    GrowDirty(CRect(x, y, x + 1, y + 1));
}

void CGlimImage::GrowDirty(const CRect& area) {
    if (m_dirtyRect.left == m_dirtyRect.right)
        m_dirtyRect = area;
    else
        m_dirtyRect.UnionRect(m_dirtyRect, area);
    m_undoStale.UnionRect(m_undoStale, area);
}

bool CGlimImage::PaintPixel(int x, int y, const CCrayon* crayon, bool redraw, float alpha,
                            int regionId) {
    if (regionId != -1 && GetRegionId(x, y) != regionId) return false;
    if (!EnsureShading(false) || !EnsureMapping(false) || !EnsureCanvas(false)) return false;
    if (alpha == 0.0f) return true;
    const CLayerView canvas = ViewOf(m_canvas);
    const CLayerView mapping = ViewOf(m_mapping);
    const CLayerView shading = ViewOf(m_shading);
    if (!canvas.Contains(x, y) || !mapping.Contains(x, y) || !shading.Contains(x, y) || !crayon)
        return false;
    const CLayerView texture = crayon->GetTextureView();
    const BYTE* map = mapping.At(x, y);
    const int tx = PixelMath::TexelIndex(map[2], crayon->GetUScale(), texture.Width());
    const int ty = PixelMath::TexelIndex(map[1], crayon->GetVScale(), texture.Height());
    if (tx < 0 || ty < 0) return false;
    const BYTE* texel = texture.At(tx, ty);
    const int light = PixelMath::LightLevel(shading.At(x, y));
    BYTE* pixel = canvas.At(x, y);
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] =
            PixelMath::Blend(pixel[channel], PixelMath::Shade(texel[channel], light), alpha);
    GrowDirty(x, y);
    return redraw ? Redraw(false) : true;
}

bool CGlimImage::ErasePixel(int x, int y, bool redraw, float alpha, int regionId) {
    if (regionId != -1 && GetRegionId(x, y) != regionId) return false;
    if (!EnsureUncoloured(false) || !EnsureCanvas(false)) return false;
    const CLayerView canvas = ViewOf(m_canvas);
    const CLayerView uncoloured = ViewOf(m_uncoloured);
    if (!canvas.Contains(x, y) || !uncoloured.Contains(x, y)) return false;
    const BYTE* source = uncoloured.At(x, y);
    BYTE* pixel = canvas.At(x, y);
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = PixelMath::Blend(pixel[channel], source[channel], alpha);
    GrowDirty(x, y);
    return redraw ? Redraw(false) : true;
}

// A snapshot is taken at every stroke and fill: once the undo copy has the canvas's layout,
// only the area changed since the last snapshot is copied; the rest already matches.
bool CGlimImage::SaveUndo() {
    if (!EnsureCanvas(false)) return false;
    const CLayerView canvas = ViewOf(m_canvas);
    const CLayerView undo = ViewOf(m_undo);
    const bool sameLayout = m_undo.IsValid() &&
                            m_undo.GetHeaderSize() == m_canvas.GetHeaderSize() &&
                            m_undo.GetImageSize() == m_canvas.GetImageSize();
    if (m_undoTracked && sameLayout && canvas.IsValid() && undo.IsValid()) {
        CopyArea(canvas, undo, m_undoStale);
    } else if (sameLayout) {
        std::memcpy(m_undo.GetHeader(), m_canvas.GetHeader(), m_canvas.GetHeaderSize());
        std::memcpy(m_undo.GetBits(), m_canvas.GetBits(), m_canvas.GetImageSize());
    } else {
        m_undo = m_canvas;
    }
    m_undoStale.SetRectEmpty();
    m_undoTracked = m_undo.IsValid();
    return m_undoTracked;
}

void CGlimImage::CopyArea(const CLayerView& from, const CLayerView& to, const CRect& area) {
    CRect inside;
    if (!inside.IntersectRect(area, CRect(0, 0, from.Width(), from.Height()))) return;
    const int step = from.BytesPerPixel();
    const std::size_t bytes = static_cast<std::size_t>(inside.Width() * step);
    for (int y = inside.top; y < inside.bottom; ++y)
        std::memcpy(to.At(inside.left, y), from.At(inside.left, y), bytes);
}

bool CGlimImage::Undo(bool redraw) {
    if (!m_canvas.IsValid() || !m_undo.IsValid()) return false;
    std::swap(m_canvas, m_undo);
    if (redraw) Redraw(true);
    return true;
}

// ---------------------------------------------------------------- bulk painting

bool CGlimImage::PrepareViews(const CCrayon* crayon, int regionId, PaintViews& views) {
    if (regionId != -1 && !EnsureMapping(false)) return false;
    if (crayon != nullptr) {
        if (!EnsureShading(false) || !EnsureMapping(false) || !EnsureCanvas(false)) return false;
        views.shading = ViewOf(m_shading);
    } else {
        if (!EnsureUncoloured(false) || !EnsureCanvas(false)) return false;
        views.source = ViewOf(m_uncoloured);
    }
    views.canvas = ViewOf(m_canvas);
    if (m_mapping.IsValid()) views.mapping = ViewOf(m_mapping);
    return views.canvas.IsValid();
}

const CGlimImage::TexelTable& CGlimImage::TexelsFor(const CCrayon& crayon) {
    const CLayerView texture = crayon.GetTextureView();
    TexelTable& table = m_texels;
    if (table.crayon == &crayon && table.uScale == crayon.GetUScale() &&
        table.vScale == crayon.GetVScale() && table.width == texture.Width() &&
        table.height == texture.Height())
        return table;
    table.crayon = &crayon;
    table.uScale = crayon.GetUScale();
    table.vScale = crayon.GetVScale();
    table.width = texture.Width();
    table.height = texture.Height();
    for (int coord = 0; coord < 256; ++coord) {
        table.column[coord] = PixelMath::TexelIndex(coord, table.uScale, table.width);
        table.row[coord] = PixelMath::TexelIndex(coord, table.vScale, table.height);
    }
    return table;
}

int CGlimImage::PaintObjectColumn(int x, const CCrayon* crayon, int regionId) {
    std::vector<CRect> changed;
    const int painted = PaintObjectColumns(x, x + 1, crayon, regionId, changed);
    if (painted > 0) GrowDirty(changed.front());
    return painted;
}

void CGlimImage::MarkChanged(const CRect& area) {
    if (!area.IsRectEmpty()) GrowDirty(area);
}

const CGlimImage::LightPlane& CGlimImage::LightLevels() {
    if (!m_light.levels.empty() || !m_shading.IsValid()) return m_light;
    const CLayerView shading = ViewOf(m_shading);
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

// Coordinates v that fall on the same swatch row share one row of the table, so each swatch
// row is laid out once and copied to the others.
void CGlimImage::PrepareSwatch(const CCrayon& crayon) {
    const TexelTable& texels = TexelsFor(crayon);
    const CLayerView texture = crayon.GetTextureView();
    m_swatch.crayon = &crayon;
    m_swatch.texels.resize(256 * 256);
    DWORD* const table = m_swatch.texels.data();
    for (int v = 0; v < 256; ++v) {
        DWORD* entry = table + v * 256;
        const int ty = texels.row[v];
        if (v > 0 && ty == texels.row[v - 1]) {
            std::memcpy(entry, entry - 256, 256 * sizeof(DWORD));
            continue;
        }
        for (int u = 0; u < 256; ++u) {
            const int tx = texels.column[u];
            const BYTE* texel = tx >= 0 && ty >= 0 ? texture.At(tx, ty) : nullptr;
            entry[u] = texel == nullptr
                           ? kOutsideSwatch
                           : static_cast<DWORD>(texel[0] | texel[1] << 8 | texel[2] << 16);
        }
    }
}

// The pixels a fill may reach: inside the canvas, the shading layer and the mapping layer,
// as the per-pixel calls refuse everything else.
int CGlimImage::PaintObjectColumns(int left, int right, const CCrayon* crayon, int regionId,
                                   std::vector<CRect>& columnAreas) {
    columnAreas.assign(static_cast<std::size_t>(std::max(right - left, 0)), CRect());
    PaintViews views;
    if (crayon == nullptr || !PrepareViews(crayon, regionId, views) || !m_regions.IsBuilt())
        return 0;
    if (m_swatch.crayon != crayon) PrepareSwatch(*crayon);
    const LightPlane& light = LightLevels();
    const int width = std::min({views.canvas.Width(), light.width, m_regions.Width()});
    const int height = std::min({views.canvas.Height(), light.height, m_regions.Height()});
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
        m_undoStale.UnionRect(m_undoStale, changed);
    }
    return painted;
}

// Walks the object's segments of every row clipped to the area, in memory order.
int CGlimImage::PaintObjectRows(const CRect& area, int regionId, const CLayerView& canvas) {
    const RowPainter paintRow = ChooseRowPainter(canvas.BytesPerPixel());
    FillRow row{nullptr,
                canvas.BytesPerPixel(),
                nullptr,
                nullptr,
                m_swatch.texels.data(),
                m_changedTop.data(),
                m_changedBottom.data(),
                area.left,
                0};
    int painted = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        const auto segments = m_regions.Row(regionId, y);
        auto segment = std::lower_bound(
            segments.begin(), segments.end(), area.left,
            [](const CRegionIndex::Segment& s, int column) { return s.right <= column; });
        if (segment == segments.end() || segment->left >= area.right) continue;
        row.canvas = canvas.Row(y);
        row.coordinates = m_regions.CoordinateRow(y);
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
int CGlimImage::StampMask(int left, int top, const float* mask, int rows, int columns,
                          const CCrayon* crayon, int regionId) {
    PaintViews views;
    if (mask == nullptr || !PrepareViews(crayon, regionId, views)) return 0;
    if (regionId != -1 && !views.mapping.IsValid()) return 0;
    CLayerView texture;
    const TexelTable* texels = nullptr;
    if (crayon != nullptr) {
        texture = crayon->GetTextureView();
        if (!texture.IsValid() || !views.mapping.IsValid()) return 0;
        texels = &TexelsFor(*crayon);
    }
    CRect changed;
    int painted = 0;
    for (int i = 0; i < rows; ++i) {
        const int x = left + i;
        for (int j = 0; j < columns; ++j) {
            const int y = top + j;
            const float alpha = mask[i * columns + j];
            // A zero cell paints nothing; erasing it still counts it as drawn, as a per-pixel
            // erase does.
            if ((alpha == 0.0f && crayon != nullptr) || !views.canvas.Contains(x, y)) continue;
            if (regionId != -1 &&
                (!views.mapping.Contains(x, y) || views.mapping.At(x, y)[0] != regionId))
                continue;
            const BYTE* colour = nullptr;
            BYTE shaded[3];
            if (crayon == nullptr) {
                if (!views.source.Contains(x, y)) continue;
                colour = views.source.At(x, y);
            } else {
                if (!views.mapping.Contains(x, y) || !views.shading.Contains(x, y)) continue;
                const BYTE* map = views.mapping.At(x, y);
                const int tx = texels->column[map[2]];
                const int ty = texels->row[map[1]];
                if (tx < 0 || ty < 0) continue;
                const BYTE* texel = texture.At(tx, ty);
                const int light = PixelMath::LightLevel(views.shading.At(x, y));
                for (int channel = 0; channel < 3; ++channel)
                    shaded[channel] = PixelMath::Shade(texel[channel], light);
                colour = shaded;
            }
            BYTE* pixel = views.canvas.At(x, y);
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = PixelMath::Blend(pixel[channel], colour[channel], alpha);
            changed.UnionRect(changed, CRect(x, y, x + 1, y + 1));
            ++painted;
        }
    }
    if (painted > 0) GrowDirty(changed);
    return painted;
}

// ---------------------------------------------------------------- display

bool CGlimImage::SetWindow(CWnd* window) {
    m_window = window;
    return true;
}

bool CGlimImage::ClearWindow() {
    m_window = nullptr;
    return true;
}

bool CGlimImage::Redraw(bool whole) {
    if (m_window == nullptr) return false;
    CRect area = m_dirtyRect;
    if (whole) m_window->GetClientRect(&area);
    const bool drawn = DrawArea(area.left, area.top, area.right, area.bottom);
    m_dirtyRect.SetRectEmpty();
    return drawn;
}

bool CGlimImage::DrawArea(int left, int top, int right, int bottom) {
    if (right == left || m_window == nullptr || !EnsureCanvas(false)) return false;
    const CRect area(left, top, right, bottom);
    const CSize size = m_canvas.GetSize();
    CRect source;
    source.IntersectRect(area, CRect(0, 0, size.cx, size.cy));
    CDC* dc = m_window->GetDC();
    if (dc == nullptr) return false;
    if (!source.IsRectEmpty())
        m_canvas.PaintRect(*dc, source.TopLeft(), source.Size(), source, m_palette);
    m_dirtyRect = SubtractRect(m_dirtyRect, area);
    m_window->ReleaseDC(dc);
    return true;
}

// ---------------------------------------------------------------- sound

int CGlimImage::FindSoundSlot(int objectId) const {
    for (int i = 0; i < m_objectSoundCount; ++i)
        if (m_objectSounds[i].objectId == objectId) return m_objectSounds[i].soundIndex;
    return -1;
}

bool CGlimImage::IsSoundLoaded(int slot) const {
    return slot >= 0 && slot < kMaxSounds && m_sounds[slot].IsLoaded();
}

bool CGlimImage::PlayObjectSound(int objectId) {
    const int slot = FindSoundSlot(objectId);
    if (slot < 0) return false;
    CBasicSound& sound = m_sounds[slot];
    if (!sound.IsLoaded() && !sound.Load(m_soundsFolder + m_soundNames[slot])) return false;
    return sound.Play(CBasicSound::kObjectSound);
}

bool CGlimImage::PlayVoiceOver() {
    if (!m_voiceOver.IsLoaded()) {
        if (m_voiceOverFile.empty() || !m_voiceOver.Load(m_voiceOverFile)) return false;
    }
    return m_voiceOver.Play(CBasicSound::kInterruptingSound, true);
}
