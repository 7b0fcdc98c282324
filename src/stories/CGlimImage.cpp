#include "stories/CGlimImage.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "stories/CDescParser.h"
#include "stories/PixelMath.h"
#include "tools/CCrayon.h"

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

}  // namespace

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
    Release(m_thumbnail);
    m_savedPictureFile = picturePath;
    m_savedThumbnailFile = thumbnailPath;
    return true;
}

bool CGlimImage::ForgetSavedFiles() {
    Release(m_canvas);
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
    Release(m_canvas);
    m_savedPictureFile.clear();
    Release(m_undo);
    Release(m_thumbnail);
    m_savedThumbnailFile.clear();
    return m_voiceOver.Free();
}

bool CGlimImage::HoldsResources() const {
    for (const CDib* layer :
         {&m_shading, &m_mapping, &m_uncoloured, &m_canvas, &m_print, &m_undo, &m_thumbnail})
        if (layer->IsValid()) return true;
    for (const CBasicSound& sound : m_sounds)
        if (sound.IsLoaded()) return true;
    return m_voiceOver.IsLoaded() || m_regions.IsBuilt();
}

// ---------------------------------------------------------------- layers

bool CGlimImage::LoadLayer(CDib& layer, const std::string& fileName, bool force) {
    if (fileName.empty()) return false;
    if (layer.IsValid() && !force) return true;
    return layer.Load(m_imageFolder + fileName) != 0;
}

bool CGlimImage::EnsureShading(bool force) {
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
    if (coloured) return EnsureCanvas(false) ? &m_canvas : nullptr;
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

bool CGlimImage::SaveUndo() {
    if (!EnsureCanvas(false)) return false;
    // Reuse the undo copy's memory when it has the canvas's layout: a snapshot is taken at
    // every stroke and fill.
    if (m_undo.IsValid() && m_undo.GetHeaderSize() == m_canvas.GetHeaderSize() &&
        m_undo.GetImageSize() == m_canvas.GetImageSize()) {
        std::memcpy(m_undo.GetHeader(), m_canvas.GetHeader(), m_canvas.GetHeaderSize());
        std::memcpy(m_undo.GetBits(), m_canvas.GetBits(), m_canvas.GetImageSize());
        return true;
    }
    m_undo = m_canvas;
    return m_undo.IsValid();
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
    PaintViews views;
    if (crayon == nullptr || !PrepareViews(crayon, regionId, views)) return 0;
    const CLayerView texture = crayon->GetTextureView();
    if (!texture.IsValid() || !views.shading.Contains(x, 0) || !views.canvas.Contains(x, 0))
        return 0;
    const TexelTable& texels = TexelsFor(*crayon);
    const int bottomLimit = std::min(views.canvas.Height(), views.shading.Height());
    int painted = 0;
    int paintedTop = bottomLimit;
    int paintedBottom = 0;
    for (const CRegionIndex::Run& run : m_regions.Column(regionId, x)) {
        const int bottom = std::min(run.bottom, bottomLimit);
        for (int y = run.top; y < bottom; ++y) {
            const BYTE* map = views.mapping.At(x, y);
            const int tx = texels.column[map[2]];
            const int ty = texels.row[map[1]];
            if (tx < 0 || ty < 0) continue;
            const BYTE* texel = texture.At(tx, ty);
            const int light = PixelMath::LightLevel(views.shading.At(x, y));
            BYTE* pixel = views.canvas.At(x, y);
            pixel[0] = PixelMath::Shade(texel[0], light);
            pixel[1] = PixelMath::Shade(texel[1], light);
            pixel[2] = PixelMath::Shade(texel[2], light);
            paintedTop = std::min(paintedTop, y);
            paintedBottom = y + 1;
            ++painted;
        }
    }
    if (painted > 0) GrowDirty(CRect(x, paintedTop, x + 1, paintedBottom));
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
