#include "models/CPictureLayers.h"

#include <cstring>

#include "platform/files/CContentReport.h"
#include "platform/files/CFile.h"
#include "platform/window/MessageBox.h"

void CPictureLayers::SetFiles(const Files& files) {
    Release();
    m_files = files;
}

void CPictureLayers::SetSavedFiles(const std::string& picturePath,
                                   const std::string& thumbnailPath) {
    if (!m_savedPictureFile.empty()) ForgetSavedFiles();
    m_canvas.Empty();
    m_undo.Empty();
    ++m_canvasReplacements;
    m_thumbnail.Empty();
    m_savedPictureFile = picturePath;
    m_savedThumbnailFile = thumbnailPath;
}

void CPictureLayers::ForgetSavedFiles() {
    m_canvas.Empty();
    m_undo.Empty();
    ++m_canvasReplacements;
    m_savedPictureFile.clear();
    m_thumbnail.Empty();
    m_savedThumbnailFile.clear();
}

void CPictureLayers::Release() {
    for (CDib* layer : {&m_shading, &m_mapping, &m_uncoloured, &m_print}) layer->Empty();
    ++m_shadingLoads;
    m_regions.Clear();
    m_canvas.Empty();
    m_savedPictureFile.clear();
    m_undo.Empty();
    ++m_canvasReplacements;
    m_thumbnail.Empty();
    m_savedThumbnailFile.clear();
}

bool CPictureLayers::HoldsResources() const {
    for (const CDib* layer :
         {&m_shading, &m_mapping, &m_uncoloured, &m_canvas, &m_print, &m_undo, &m_thumbnail})
        if (layer->IsValid()) return true;
    return m_regions.IsBuilt();
}

bool CPictureLayers::LoadLayer(CDib& layer, const std::string& fileName, bool force) {
    if (fileName.empty()) return false;
    if (layer.IsValid() && !force) return true;
    return layer.Load(m_files.folder + fileName) != 0;
}

// A layer the colouring reads pixel by pixel must have 24 or 32 bits; any other picture is
// drawn nowhere and colours nothing, which the grown-ups are told.
void CPictureLayers::CheckColourable(CDib& layer, const std::string& fileName) {
    if (ViewOf(layer).IsValid()) return;
    CContentReport::Report(m_files.folder + fileName,
                           "has " + std::to_string(layer.GetBitCount()) +
                               " bits per pixel, but a scene's light and mapping layers need "
                               "24 or 32, so the scene cannot be coloured; render it again "
                               "with the content kit.");
}

bool CPictureLayers::EnsureShading(bool force) {
    // Any load attempt may replace the layer.
    const bool loading = !m_shading.IsValid() || force;
    if (loading) ++m_shadingLoads;
    if (!LoadLayer(m_shading, m_files.shading, force)) return false;
    if (loading) CheckColourable(m_shading, m_files.shading);
    return true;
}

bool CPictureLayers::EnsureMapping(bool force) {
    const bool wasLoaded = m_mapping.IsValid() && !force;
    if (!LoadLayer(m_mapping, m_files.mapping, force)) {
        m_regions.Clear();
        return false;
    }
    if (wasLoaded) return true;
    CheckColourable(m_mapping, m_files.mapping);
    CDib footprint;
    m_regions.Build(ViewOf(m_mapping), LoadFootprint(footprint));
    return true;
}

// Without a footprint layer the index estimates each pixel's footprint from the mapping
// layer, so the scene still colours: a missing one is told to the grown-ups only.
CLayerView CPictureLayers::LoadFootprint(CDib& footprint) {
    if (m_files.footprint.empty()) return {};
    const std::string path = m_files.folder + m_files.footprint;
    const std::string instead =
        ", so how much of a pattern each pixel covers is estimated from the mapping layer and "
        "patterns far off may shimmer; render the scene again with the content kit.";
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        CContentReport::Report(path, "cannot be opened" + instead);
        return {};
    }
    // A damaged layer is reported like any picture, but not shown to the child as a card:
    // the scene colours all the same.
    const MessageBoxHandler shown = SetMessageBoxHandler([](ChildMessage, const std::string&) {});
    const bool read = footprint.Read(file);
    SetMessageBoxHandler(shown);
    if (!read) return {};
    const CLayerView view = CLayerView::OfBytes(&footprint.GetHeader()->bmiHeader,
                                                footprint.GetBits(), footprint.GetImageSize());
    const CSize mapping = m_mapping.GetSize();
    if (view.IsValid() && view.Width() == mapping.cx && view.Height() == mapping.cy) return view;
    if (view.IsValid())
        CContentReport::Report(
            path, "is " + std::to_string(view.Width()) + " x " + std::to_string(view.Height()) +
                      " pixels but the mapping layer is " + std::to_string(mapping.cx) + " x " +
                      std::to_string(mapping.cy) + instead);
    else
        CContentReport::Report(path, "has " + std::to_string(footprint.GetBitCount()) +
                                         " bits per pixel but a footprint layer needs 8" + instead);
    return {};
}

bool CPictureLayers::EnsureUncoloured(bool force) {
    return LoadLayer(m_uncoloured, m_files.uncoloured, force);
}

bool CPictureLayers::EnsurePrint(bool force) {
    return LoadLayer(m_print, m_files.print, force);
}

// A saved thumbnail is read once; after that the shipped one is the fallback.
bool CPictureLayers::EnsureThumbnail(bool force) {
    if (m_savedThumbnailFile.empty() && m_files.thumbnail.empty()) return false;
    if (m_thumbnail.IsValid() && !force) return true;
    if (!m_savedThumbnailFile.empty()) {
        const bool loaded = m_thumbnail.Load(m_savedThumbnailFile) != 0;
        m_savedThumbnailFile.clear();
        return loaded;
    }
    return m_thumbnail.Load(m_files.folder + m_files.thumbnail) != 0;
}

// The saved picture when there is one (read once), else a copy of the uncoloured layer.
bool CPictureLayers::EnsureCanvas(bool force) {
    if (m_canvas.IsValid() && !force) return true;
    ++m_canvasReplacements;
    if (!m_savedPictureFile.empty()) {
        const bool loaded = m_canvas.Load(m_savedPictureFile) != 0;
        m_savedPictureFile.clear();
        if (loaded) return true;
    }
    if (!EnsureUncoloured(false)) return false;
    m_canvas = m_uncoloured;
    return m_canvas.IsValid();
}

CDib* CPictureLayers::GetThumbnail() {
    return EnsureThumbnail(false) ? &m_thumbnail : nullptr;
}

CDib* CPictureLayers::GetPrintPicture(bool coloured) {
    if (coloured) {
        // The caller may change the pixels behind our back.
        ++m_canvasReplacements;
        return EnsureCanvas(false) ? &m_canvas : nullptr;
    }
    return EnsurePrint(false) ? &m_print : nullptr;
}

CDib* CPictureLayers::GetCanvasToDraw() {
    return EnsureCanvas(false) ? &m_canvas : nullptr;
}

CSize CPictureLayers::GetSize() const {
    return m_canvas.IsValid() ? m_canvas.GetSize() : CSize();
}

CSize CPictureLayers::GetShippedThumbnailSize() const {
    if (m_files.thumbnail.empty()) return {};
    CDib shipped;
    if (!shipped.Load(m_files.folder + m_files.thumbnail)) return {};
    return shipped.GetSize();
}

int CPictureLayers::GetRegionId(int x, int y) {
    if (!EnsureMapping(false)) return -1;
    const CLayerView mapping = ViewOf(m_mapping);
    if (!mapping.Contains(x, y)) return -1;
    return mapping.At(x, y)[0];
}

void CPictureLayers::CopyCanvasToUndo() {
    if (!UndoMatchesCanvasLayout()) {
        m_undo = m_canvas;
        return;
    }
    std::memcpy(m_undo.GetHeader(), m_canvas.GetHeader(), m_canvas.GetHeaderSize());
    std::memcpy(m_undo.GetBits(), m_canvas.GetBits(), m_canvas.GetImageSize());
}

bool CPictureLayers::UndoMatchesCanvasLayout() const {
    return m_undo.IsValid() && m_undo.GetHeaderSize() == m_canvas.GetHeaderSize() &&
           m_undo.GetImageSize() == m_canvas.GetImageSize();
}

CLayerView CPictureLayers::ViewOf(CDib& picture) {
    if (!picture.IsValid()) return {};
    return CLayerView(&picture.GetHeader()->bmiHeader, picture.GetBits(), picture.GetImageSize());
}
