#pragma once
#include <array>
#include <optional>
#include <vector>

#include "models/CLayerView.h"
#include "models/CPictureLayers.h"
#include "models/CPictureUndo.h"
#include "models/Footprint.h"
#include "models/PixelMath.h"
#include "models/Swatch.h"
#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"

// Colouring a scene's canvas: one pixel at a time, in bulk (an object's columns, a brush
// mask) with the same bytes, and the canvas's undo history. It records the area changed
// since a view last drew the canvas; it draws nothing itself.
class CPicturePainter {
  public:
    explicit CPicturePainter(CPictureLayers& layers) : m_layers(layers) {}
    CPicturePainter(const CPicturePainter&) = delete;
    CPicturePainter& operator=(const CPicturePainter&) = delete;

    // Pixels, one call per pixel: false when refused (outside a layer, outside the swatch,
    // or not on object `regionId` when that is not -1).
    bool PaintPixel(int x, int y, const Swatch& swatch, float alpha, int regionId);
    bool ErasePixel(int x, int y, float alpha, int regionId);
    // Closes the undo step: what changed since it began becomes one step back.
    bool SaveUndo() { return m_history.CloseStep(); }
    // Steps back or forward through the history; the area changed is marked for the view.
    bool Undo();
    bool Redo();
    CPictureUndo& History() { return m_history; }

    // Bulk painting: the same per-pixel results with the layers ensured once and the loops
    // free of per-pixel lookups. They return how many pixels changed (0 when a layer is
    // missing). Paints every pixel of object `regionId` in column x with alpha 1.0.
    int PaintObjectColumn(int x, const Swatch& swatch, int regionId);
    // Lays the swatch out as one colour per footprint level and texture coordinate, for the
    // levels the scene's object index holds, for PaintObjectColumns. A fill does it once at
    // its start: the swatch cannot change during it.
    void PrepareSwatch(const Swatch& swatch);
    // Paints every pixel of object `regionId` in columns [left, right) with alpha 1.0, row by
    // row, with the swatch prepared (here, when another one is). Marks nothing changed:
    // `columnAreas` gets one rectangle per column, the rows it changed there (empty when
    // none), for the caller to mark with MarkChanged column by column.
    int PaintObjectColumns(int left, int right, const Swatch& swatch, int regionId,
                           std::vector<CRect>& columnAreas);
    // Grows the changed area by `area`, as painting its pixels one by one would.
    void MarkChanged(const CRect& area);
    // Stamps a mask: cell (i, j) of strength mask[i * columns + j] lands on pixel
    // (left + i, top + j); paints with `swatch`, or erases when it is null.
    int StampMask(int left, int top, const float* mask, int rows, int columns, const Swatch* swatch,
                  int regionId);

    // The area changed since a view last drew it; a view draws part of it and forgets that
    // part (when what remains is one rectangle), or forgets all of it.
    const CRect& GetChangedArea() const { return m_changed; }
    void ForgetDrawn(const CRect& area);
    void ForgetChanges() { m_changed.SetRectEmpty(); }

    // Frees the tables derived from the layers and the swatch.
    void Release();
    bool HoldsResources() const { return !m_light.levels.empty(); }

  private:
    // What the colouring loops read, ensured and viewed once.
    struct Views {
        CLayerView canvas;
        CLayerView shading;
        CLayerView mapping;
        CLayerView source;  // the uncoloured layer (erasing)
    };
    // Swatch columns and rows each mapping coordinate covers at each footprint level, kept
    // while the swatch's scales and size are the same.
    struct TexelTable {
        float uScale = 0.0f;
        float vScale = 0.0f;
        int width = -1;
        int height = -1;
        // Per level, on the heap: a book holds a painter for each of its scenes.
        std::vector<std::array<PixelMath::TexelSpan, 256>> columns;
        std::vector<std::array<PixelMath::TexelSpan, 256>> rows;
    };
    // Light level of every shading pixel, rows top-down; built on first use after the
    // shading layer loads, so the fill reads one byte a pixel and does no division.
    struct LightPlane {
        std::vector<BYTE> levels;
        int width = 0;
        int height = 0;
        unsigned shadingLoads = 0;  // the layers' count it was derived at
    };
    // The swatch by footprint level and texture coordinate, level × 65536 + v × 256 + u:
    // blue, green, red (averaged over the level's box) in the low three bytes, or
    // RowFill::kOutsideSwatch where the coordinate falls outside the swatch.
    struct SwatchTable {
        std::optional<Swatch> swatch;
        std::vector<DWORD> texels;
        int levels = 0;  // levels laid out: those the object index holds
    };

    bool PrepareViews(bool painting, int regionId, Views& views);
    const TexelTable& TexelsFor(const Swatch& swatch);
    const LightPlane& LightLevels();
    int PaintObjectRows(const CRect& area, int regionId, const CLayerView& canvas);
    bool StampCell(int x, int y, float alpha, const Swatch* swatch, int regionId,
                   const Views& views);
    void GrowChanged(const CRect& area);
    void GrowShown(const CRect& area);

    CPictureLayers& m_layers;
    TexelTable m_texels;
    LightPlane m_light;
    SwatchTable m_swatch;
    std::vector<int> m_changedTop;     // per column of a strip: first changed row
    std::vector<int> m_changedBottom;  // per column of a strip: last changed row + 1
    CRect m_changed;
    CPictureUndo m_history{m_layers};
};
