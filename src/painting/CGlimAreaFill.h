#pragma once
#include <functional>
#include <optional>

#include "models/Swatch.h"
#include "painting/PictureRefresh.h"
#include "platform/base/CObject.h"
#include "platform/base/CPoint.h"
#include "platform/base/CSize.h"
#include "platform/base/WinTypes.h"

class CBasicSound;
class CCursor;
class CGlimImage;

// The region fill: one click colours every pixel of the clicked object, wherever its
// patches lie, sweeping left to right and refreshing the screen at most every 100 ms. On a
// blank page, whose one object is the whole picture, it floods the clicked colour instead
// (CColourFloodFill).
class CGlimAreaFill : public CObject {
  public:
    // Milliseconds since some fixed moment.
    using Clock = std::function<DWORD()>;
    static constexpr DWORD kRefreshInterval = 100;

    // `clock` measures the refresh cadence; without one, the tick count does.
    explicit CGlimAreaFill(Clock clock = {});

    // The swatch fills paint with; none: no fill happens.
    void SetSwatch(std::optional<Swatch> swatch) { m_swatch = std::move(swatch); }
    // How what the fill changed so far is shown (nothing is drawn without it).
    void SetRefresh(PictureRefresh refresh) { m_refresh = std::move(refresh); }
    // Plays the object's own sound, or `fallbackSound` when it has none, then fills.
    bool Fill(CGlimImage* picture, CPoint point, CBasicSound* fallbackSound);
    // Fills the object at `point` of the picture of the last Fill; false when nothing was
    // filled (no picture, no swatch, no object there).
    bool FillRegion(CPoint point);

    // The cursor set whose wait cursor is shown while a fill runs (none: no busy cursor).
    void SetCursor(CCursor* cursor) { m_cursor = cursor; }
    // Colours through one PaintPixel call per pixel of the picture instead of the object
    // index; both give the same canvas and refreshes. Kept as the reference.
    void SetPerPixelCalls(bool perPixel) { m_perPixelCalls = perPixel; }

  private:
    // Most pixels one strip of columns holds (see SweepStrips).
    static constexpr int kStripPixels = 1 << 20;

    void RefreshIfDue(DWORD& noted);
    void Refresh();
    void SweepPerPixel(CSize size, int regionId, DWORD& noted);
    void SweepStrips(CSize size, int regionId, DWORD& noted);

    Clock m_clock;
    CGlimImage* m_picture = nullptr;
    std::optional<Swatch> m_swatch;
    PictureRefresh m_refresh;
    CCursor* m_cursor = nullptr;
    bool m_perPixelCalls = false;
};
