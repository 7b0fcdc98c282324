#pragma once
#include <array>
#include <string>
#include <vector>

#include "imaging/CDib.h"
#include "platform/base/CObject.h"
#include "platform/draw/CPalette.h"
#include "platform/base/CRect.h"
#include "platform/window/CWnd.h"
#include "sound/CBasicSound.h"
#include "models/CLayerView.h"
#include "models/CRegionIndex.h"

class CCrayon;

// One colourable scene: the shipped layers (shading, mapping, uncoloured, print, thumbnail),
// the canvas the child colours and its undo copy, the object sounds and the voice-over.
// Layers and sounds load on first use and are released when the scene stops being current.
class CGlimImage : public CObject {
  public:
    static constexpr int kMaxSounds = 50;

    CGlimImage() = default;
    CGlimImage(const CGlimImage&) = delete;
    CGlimImage& operator=(const CGlimImage&) = delete;

    // Loading and files.
    bool LoadFromDescription(const std::string& block, const std::string& depthPrefix,
                             const std::string& bookFolder);
    bool LoadObjectSounds(const std::string& soundBlock, const std::string& depthPrefix,
                          const std::string& soundsFolder);
    bool SetSavedFiles(const std::string& picturePath, const std::string& thumbnailPath);
    bool ForgetSavedFiles();
    bool ReleaseAll();

    // Layers, each loaded on first use (or again with `force`).
    bool EnsureShading(bool force = false);
    bool EnsureMapping(bool force = false);
    bool EnsureUncoloured(bool force = false);
    bool EnsurePrint(bool force = false);
    bool EnsureThumbnail(bool force = false);
    bool EnsureCanvas(bool force = false);
    CDib* GetThumbnail();
    CDib* GetPrintPicture(bool coloured);
    // Frees the print layer alone, once a page has been printed from it.
    bool ReleasePrintPicture();
    // The canvas for reading only, when it is loaded (none otherwise).
    const CDib* GetCanvasIfLoaded() const { return m_canvas.IsValid() ? &m_canvas : nullptr; }
    CSize GetSize() const;
    const std::string& GetImageName() const { return m_imageName; }
    const std::string& GetCaption() const { return m_caption; }
    int GetCaptionLength() const { return static_cast<int>(m_caption.size()); }
    // The shipped thumbnail's size (loading it if needed), 0 × 0 when there is none; used to
    // size the thumbnails of saved pictures.
    CSize GetShippedThumbnailSize();

    // Pixels, one call per pixel.
    int GetRegionId(int x, int y);
    bool PaintPixel(int x, int y, const CCrayon* crayon, bool redraw, float alpha, int regionId);
    bool ErasePixel(int x, int y, bool redraw, float alpha, int regionId);
    bool SaveUndo();
    bool Undo(bool redraw);

    // Bulk painting: the same per-pixel results with the layers ensured once and the loops
    // free of per-pixel lookups. Both need the layers loaded; they return how many pixels
    // changed (0 when a layer is missing).
    // Paints every pixel of object `regionId` in column x with alpha 1.0.
    int PaintObjectColumn(int x, const CCrayon* crayon, int regionId);
    // Lays the crayon's swatch out as one colour per texture coordinate for
    // PaintObjectColumns. A fill does it once at its start: the swatch cannot change during it.
    void PrepareSwatch(const CCrayon& crayon);
    // Paints every pixel of object `regionId` in columns [left, right) with alpha 1.0, row by
    // row, with the swatch prepared for `crayon` (prepared here when another one is). Marks
    // nothing changed: `columnAreas` gets one rectangle per column, the rows it changed there
    // (empty when none), for the caller to mark with MarkChanged column by column.
    int PaintObjectColumns(int left, int right, const CCrayon* crayon, int regionId,
                           std::vector<CRect>& columnAreas);
    // Grows the area still to be redrawn by `area`, as painting its pixels one by one would.
    void MarkChanged(const CRect& area);
    // Whether the bulk fill may use the processor's vector unit (when it has one); off, it
    // takes the plain loop. Both give the same bytes; tests compare them.
    static void AllowVectorUnit(bool allowed);
    // Stamps a mask: cell (i, j) of strength mask[i * columns + j] lands on pixel
    // (left + i, top + j); paints with `crayon`, or erases when it is null.
    int StampMask(int left, int top, const float* mask, int rows, int columns,
                  const CCrayon* crayon, int regionId);

    // Display.
    bool SetWindow(CWnd* window);
    bool ClearWindow();
    CWnd* GetWindow() const { return m_window; }
    void SetPalette(CPalette* palette) { m_palette = palette; }
    bool Redraw(bool whole);
    bool DrawArea(int left, int top, int right, int bottom);
    const CRect& GetDirtyRect() const { return m_dirtyRect; }

    // Sound.
    bool PlayObjectSound(int objectId);
    bool PlayVoiceOver();
    int GetObjectSoundCount() const { return m_objectSoundCount; }
    // Index into the distinct sound files of the entry for `objectId` (first match), or -1.
    int FindSoundSlot(int objectId) const;
    bool IsSoundLoaded(int slot) const;

    // Memory held: true when any layer, the canvas, the undo copy or a sound is loaded.
    bool HoldsResources() const;

  private:
    struct ObjectSound {
        std::string fileName;
        int soundIndex = 0;
        int objectId = 0;
    };
    // What the colouring loops read, ensured and viewed once.
    struct PaintViews {
        CLayerView canvas;
        CLayerView shading;
        CLayerView mapping;
        CLayerView source;  // the uncoloured layer (erasing)
    };

    // Swatch column and row for each mapping coordinate, kept while the swatch is the same.
    struct TexelTable {
        const CCrayon* crayon = nullptr;
        float uScale = 0.0f;
        float vScale = 0.0f;
        int width = -1;
        int height = -1;
        std::array<int, 256> column{};
        std::array<int, 256> row{};
    };

    // Light level of every shading pixel, rows top-down; built on first use after the
    // shading layer loads, so the fill reads one byte a pixel and does no division.
    struct LightPlane {
        std::vector<BYTE> levels;
        int width = 0;
        int height = 0;
    };
    // The swatch by texture coordinate v × 256 + u: blue, green, red in the low three bytes,
    // or kOutsideSwatch where the coordinate falls outside the swatch.
    struct SwatchTable {
        const CCrayon* crayon = nullptr;
        std::vector<DWORD> texels;
    };

    const TexelTable& TexelsFor(const CCrayon& crayon);
    const LightPlane& LightLevels();
    int PaintObjectRows(const CRect& area, int regionId, const CLayerView& canvas);
    bool LoadLayer(CDib& layer, const std::string& fileName, bool force);
    static bool Release(CDib& layer);
    static CLayerView ViewOf(CDib& picture);
    bool PrepareViews(const CCrayon* crayon, int regionId, PaintViews& views);
    static void CopyArea(const CLayerView& from, const CLayerView& to, const CRect& area);
    void GrowDirty(int x, int y);
    void GrowDirty(const CRect& area);
    void ClearFiles();
    void AddObjectSound(const std::string& entry, int& distinct);

    std::string m_imageName;
    std::string m_imageFolder;
    std::string m_soundsFolder;
    std::string m_shadingFile;
    std::string m_mappingFile;
    std::string m_uncolouredFile;
    std::string m_printFile;
    std::string m_savedPictureFile;
    std::string m_thumbnailFile;
    std::string m_savedThumbnailFile;
    CDib m_shading;
    CDib m_mapping;
    CDib m_uncoloured;
    CDib m_canvas;
    CDib m_print;
    CDib m_undo;
    CDib m_thumbnail;
    CRegionIndex m_regions;
    TexelTable m_texels;
    LightPlane m_light;
    SwatchTable m_swatch;
    std::vector<int> m_changedTop;     // per column of a strip: first changed row
    std::vector<int> m_changedBottom;  // per column of a strip: last changed row + 1
    CRect m_dirtyRect;
    // Where the canvas may differ from the undo copy; everywhere else they match while
    // m_undoTracked holds (cleared whenever either picture is replaced or handed out).
    CRect m_undoStale;
    bool m_undoTracked = false;
    CWnd* m_window = nullptr;
    std::array<ObjectSound, kMaxSounds> m_objectSounds;
    std::array<CBasicSound, kMaxSounds> m_sounds;
    std::array<std::string, kMaxSounds> m_soundNames;
    CBasicSound m_voiceOver;
    std::string m_voiceOverFile;
    std::string m_caption;
    int m_objectSoundCount = 0;
    CPalette* m_palette = nullptr;
};
