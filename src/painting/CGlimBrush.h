#pragma once
#include <optional>
#include <vector>

#include "models/Swatch.h"
#include "painting/PictureRefresh.h"
#include "platform/base/CObject.h"
#include "platform/base/CPoint.h"

class CGlimImage;
class Preferences;

// A brush (or, in erase mode, an eraser): a mask of per-cell strengths stamped onto the
// picture at every point of a stroke. With stay-inside-the-lines on, a stroke only touches
// the object it started on.
class CGlimBrush : public CObject {
  public:
    explicit CGlimBrush(bool eraseMode = false) : m_eraseMode(eraseMode) {}

    // The swatch strokes paint with; none: no stroke begins, erasing neither.
    void SetSwatch(std::optional<Swatch> swatch) { m_swatch = std::move(swatch); }
    // How what a stroke changed is shown (nothing is drawn without it).
    void SetRefresh(PictureRefresh refresh) { m_refresh = std::move(refresh); }
    // The settings read at each stroke's start; without any, strokes stay inside the lines.
    void SetPreferences(const Preferences* preferences) { m_preferences = preferences; }
    void SetEraseMode(bool erase) { m_eraseMode = erase; }
    bool IsEraseMode() const { return m_eraseMode; }
    void MakeRound(int radius, float strength);
    void MakeSquare(int size, float strength);
    // Copies a rows × columns mask (row-major); the anchor stays as it was. False (mask
    // unchanged) for no values or a negative size.
    bool SetMask(const float* values, int rows, int columns);
    // The checkers shape of the big brush: 3 × 3 blocks of 6 × 6 cells, corners and centre on.
    void MakeCheckers();

    // A stroke starts a new undo step and stamps at `point`; false without a picture or a
    // swatch. Ending it closes its undo step.
    bool BeginStroke(CGlimImage* picture, CPoint point);
    // Stamps along the line from the last point to `point`; false outside a stroke.
    bool MoveTo(CPoint point);
    void EndStroke(bool forgetPicture);

    // Stamps through one PaintPixel / ErasePixel call per mask cell instead of the bulk
    // path; both give the same pixels. Kept as the reference the bulk path is checked against.
    void SetPerPixelCalls(bool perPixel) { m_perPixelCalls = perPixel; }

    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    CPoint GetAnchor() const { return {m_anchorRow, m_anchorColumn}; }
    float GetCell(int row, int column) const { return m_mask[row * m_columns + column]; }
    int GetRegionLock() const { return m_regionLock; }
    bool IsStrokeActive() const { return m_strokeActive; }

  private:
    void Stamp(CPoint point);
    void StampPerPixel(CPoint point);
    void Refresh();

    CGlimImage* m_picture = nullptr;
    std::optional<Swatch> m_swatch;
    PictureRefresh m_refresh;
    const Preferences* m_preferences = nullptr;
    std::vector<float> m_mask;
    int m_rows = 0;
    int m_columns = 0;
    int m_anchorRow = 0;
    int m_anchorColumn = 0;
    bool m_strokeActive = false;
    CPoint m_lastPoint;
    bool m_eraseMode = false;
    int m_regionLock = -1;
    bool m_perPixelCalls = false;
};
