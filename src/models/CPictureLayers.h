#pragma once
#include <string>

#include "imaging/CDib.h"
#include "models/CLayerView.h"
#include "models/CRegionIndex.h"
#include "platform/base/CRect.h"
#include "platform/base/CSize.h"

// The pictures of one scene: the shipped layers (shading, mapping, uncoloured, print,
// thumbnail), the canvas the child colours and its undo copy (the canvas as of the newest
// undo step), with the files they come from
// and, once the mapping layer loads, its object index. Each layer loads on first use (or
// again when forced); a saved picture and thumbnail, when named, replace the canvas's and
// the thumbnail's starting point once.
class CPictureLayers {
  public:
    // The scene's folder and the layer files in it (an empty name: no such layer).
    struct Files {
        std::string folder;
        std::string shading;
        std::string mapping;
        std::string footprint;
        std::string uncoloured;
        std::string print;
        std::string thumbnail;
    };

    CPictureLayers() = default;
    CPictureLayers(const CPictureLayers&) = delete;
    CPictureLayers& operator=(const CPictureLayers&) = delete;

    // Forgets every layer and saved file and takes the files of a scene. Whatever replaces
    // the canvas drops the undo copy with it.
    void SetFiles(const Files& files);
    const std::string& GetFolder() const { return m_files.folder; }
    void SetSavedFiles(const std::string& picturePath, const std::string& thumbnailPath);
    void ForgetSavedFiles();
    // Frees every layer, the canvas, the undo copy and the object index; saved files are
    // forgotten.
    void Release();
    void ReleasePrint() { m_print.Empty(); }
    bool HoldsResources() const;

    bool EnsureShading(bool force);
    // Builds the object index whenever the mapping layer is (re)loaded.
    bool EnsureMapping(bool force);
    bool EnsureUncoloured(bool force);
    bool EnsurePrint(bool force);
    bool EnsureThumbnail(bool force);
    bool EnsureCanvas(bool force);

    CDib* GetThumbnail();
    // The coloured canvas (handed out for writing) or the print layer, loaded if needed.
    CDib* GetPrintPicture(bool coloured);
    // The canvas, loaded if needed, for drawing it; none when it cannot load.
    CDib* GetCanvasToDraw();
    const CDib* GetCanvasIfLoaded() const { return m_canvas.IsValid() ? &m_canvas : nullptr; }
    CSize GetSize() const;
    CSize GetShippedThumbnailSize() const;
    // Object id at (x, y) from the mapping layer (loaded if needed), or -1 outside it.
    int GetRegionId(int x, int y);

    // Views of what is loaded (invalid views of what is not), for the colouring loops.
    CLayerView Shading() { return ViewOf(m_shading); }
    CLayerView Mapping() { return ViewOf(m_mapping); }
    CLayerView Uncoloured() { return ViewOf(m_uncoloured); }
    CLayerView Canvas() { return ViewOf(m_canvas); }
    CLayerView UndoCopy() { return ViewOf(m_undo); }
    const CRegionIndex& Regions() const { return m_regions; }

    // Copies the whole canvas into the undo copy.
    void CopyCanvasToUndo();
    // Whether the undo copy has the canvas's header and pixel buffer sizes.
    bool UndoMatchesCanvasLayout() const;
    bool HasUndoCopy() const { return m_undo.IsValid(); }

    // Counters that move whenever the shading layer may have been replaced, and whenever
    // the canvas may have been replaced or handed out for writing: what is derived from
    // them is out of date once they moved.
    unsigned GetShadingLoads() const { return m_shadingLoads; }
    unsigned GetCanvasReplacements() const { return m_canvasReplacements; }

  private:
    static CLayerView ViewOf(CDib& picture);
    bool LoadLayer(CDib& layer, const std::string& fileName, bool force);
    void CheckColourable(CDib& layer, const std::string& fileName);
    // The scene's footprint layer read into `footprint` and viewed, or an invalid view when
    // there is none or it does not fit the mapping layer (which the grown-ups are told).
    CLayerView LoadFootprint(CDib& footprint);

    Files m_files;
    std::string m_savedPictureFile;
    std::string m_savedThumbnailFile;
    CDib m_shading;
    CDib m_mapping;
    CDib m_uncoloured;
    CDib m_print;
    CDib m_thumbnail;
    CDib m_canvas;
    CDib m_undo;
    CRegionIndex m_regions;
    unsigned m_shadingLoads = 0;
    unsigned m_canvasReplacements = 0;
};
