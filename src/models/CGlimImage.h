#pragma once
#include <string>
#include <vector>

#include "imaging/CDib.h"
#include "models/CPictureLayers.h"
#include "models/CPicturePainter.h"
#include "models/CPictureSounds.h"
#include "models/Swatch.h"
#include "platform/base/CObject.h"
#include "platform/base/CRect.h"
#include "platform/base/CSize.h"

// One colourable scene of a book: its layers (see CPictureLayers), the painting of its
// canvas (CPicturePainter) and its sounds (CPictureSounds), with its name and caption.
// Layers and sounds load on first use and are released when the scene stops being current;
// its undo history stays for as long as the program runs (see CPictureUndo).
class CGlimImage : public CObject {
  public:
    CGlimImage() = default;
    CGlimImage(const CGlimImage&) = delete;
    CGlimImage& operator=(const CGlimImage&) = delete;

    // Loading and files.
    bool LoadFromDescription(const std::string& block, const std::string& depthPrefix,
                             const std::string& bookFolder);
    bool SetSavedFiles(const std::string& picturePath, const std::string& thumbnailPath);
    bool ForgetSavedFiles();
    bool ReleaseAll();

    // Layers, each loaded on first use (or again with `force`).
    bool EnsureShading(bool force = false) { return m_layers.EnsureShading(force); }
    bool EnsureMapping(bool force = false) { return m_layers.EnsureMapping(force); }
    bool EnsureUncoloured(bool force = false) { return m_layers.EnsureUncoloured(force); }
    bool EnsurePrint(bool force = false) { return m_layers.EnsurePrint(force); }
    bool EnsureThumbnail(bool force = false) { return m_layers.EnsureThumbnail(force); }
    bool EnsureCanvas(bool force = false) { return m_layers.EnsureCanvas(force); }
    CDib* GetThumbnail() { return m_layers.GetThumbnail(); }
    CDib* GetPrintPicture(bool coloured) { return m_layers.GetPrintPicture(coloured); }
    // Frees the print layer alone, once a page has been printed from it.
    bool ReleasePrintPicture();
    // The canvas for reading only, when it is loaded (none otherwise).
    const CDib* GetCanvasIfLoaded() const { return m_layers.GetCanvasIfLoaded(); }
    // The canvas, loaded if needed, for a view to draw (none when it cannot load).
    CDib* GetCanvasToDraw() { return m_layers.GetCanvasToDraw(); }
    // The canvas's pixels, loaded if needed (an invalid view when it cannot load).
    CLayerView ViewCanvas() {
        return m_layers.EnsureCanvas(false) ? m_layers.Canvas() : CLayerView();
    }
    CSize GetSize() const { return m_layers.GetSize(); }
    const std::string& GetImageName() const { return m_imageName; }
    const std::string& GetCaption() const { return m_caption; }
    int GetCaptionLength() const { return static_cast<int>(m_caption.size()); }
    // The shipped thumbnail's size, 0 × 0 when there is none; used to size the thumbnails of
    // saved pictures.
    CSize GetShippedThumbnailSize() const { return m_layers.GetShippedThumbnailSize(); }

    // Pixels, one call per pixel.
    int GetRegionId(int x, int y) { return m_layers.GetRegionId(x, y); }
    // Whether object `regionId` is the whole picture (a blank page such as the scribble pad's).
    bool IsWholePicture(int regionId) {
        return m_layers.EnsureMapping(false) && m_layers.Regions().CoversAll(regionId);
    }
    bool PaintPixel(int x, int y, const Swatch& swatch, float alpha, int regionId) {
        return m_painter.PaintPixel(x, y, swatch, alpha, regionId);
    }
    bool ErasePixel(int x, int y, float alpha, int regionId) {
        return m_painter.ErasePixel(x, y, alpha, regionId);
    }
    // Undo history: a stroke or fill begins with SaveUndo and may end with it too, so that
    // what it changed is one step back. Undo and Redo step through it and mark the area they
    // changed; a new step after undos drops the steps that could be redone.
    bool SaveUndo() { return m_painter.SaveUndo(); }
    bool Undo() { return m_painter.Undo(); }
    bool Redo() { return m_painter.Redo(); }
    bool CanUndo() { return m_painter.History().CanUndo(); }
    bool CanRedo() { return m_painter.History().CanRedo(); }
    const CPictureUndo& GetHistory() { return m_painter.History(); }

    // Bulk painting; see CPicturePainter.
    int PaintObjectColumn(int x, const Swatch& swatch, int regionId) {
        return m_painter.PaintObjectColumn(x, swatch, regionId);
    }
    void PrepareSwatch(const Swatch& swatch) { m_painter.PrepareSwatch(swatch); }
    int PaintObjectColumns(int left, int right, const Swatch& swatch, int regionId,
                           std::vector<CRect>& columnAreas) {
        return m_painter.PaintObjectColumns(left, right, swatch, regionId, columnAreas);
    }
    void MarkChanged(const CRect& area) { m_painter.MarkChanged(area); }
    // Whether the bulk fill may use the processor's vector unit; see RowFill.
    static void AllowVectorUnit(bool allowed);
    int StampMask(int left, int top, const float* mask, int rows, int columns, const Swatch* swatch,
                  int regionId) {
        return m_painter.StampMask(left, top, mask, rows, columns, swatch, regionId);
    }

    // What a view reads: the area changed since it last drew the picture, which it forgets
    // once drawn; and whether the picture is on show, which a view sets when it shows it and
    // which clears when the picture stops being current or is loaded again.
    const CRect& GetChangedArea() const { return m_painter.GetChangedArea(); }
    void ForgetDrawn(const CRect& area) { m_painter.ForgetDrawn(area); }
    void ForgetChanges() { m_painter.ForgetChanges(); }
    void SetShown(bool shown) { m_shown = shown; }
    bool IsShown() const { return m_shown; }

    // Sound.
    bool PlayObjectSound(int objectId) { return m_sounds.PlayObjectSound(objectId); }
    bool PlayVoiceOver() { return m_sounds.PlayVoiceOver(); }
    int GetObjectSoundCount() const { return m_sounds.GetObjectSoundCount(); }
    // Index into the distinct sound files of the entry for `objectId` (first match), or -1.
    int FindSoundSlot(int objectId) const { return m_sounds.FindSoundSlot(objectId); }
    bool IsSoundLoaded(int slot) const { return m_sounds.IsSoundLoaded(slot); }

    // Memory held: true when any layer, the canvas, the undo copy, a table derived from
    // them or a sound is loaded.
    bool HoldsResources() const;

  private:
    CPictureLayers m_layers;
    CPicturePainter m_painter{m_layers};
    CPictureSounds m_sounds;
    std::string m_imageName;
    std::string m_caption;
    bool m_shown = false;
};
