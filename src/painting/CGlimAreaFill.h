#pragma once
#include "platform/base/CObject.h"
#include "platform/base/CPoint.h"
#include "platform/base/CSize.h"
#include "platform/base/WinTypes.h"

class CBasicSound;
class CCrayon;
class CCursor;
class CGlimImage;

// The region fill: one click colours every pixel of the clicked object, wherever its
// patches lie, sweeping left to right and refreshing the screen at most every 100 ms.
class CGlimAreaFill : public CObject {
  public:
    using TickSource = DWORD (*)();
    static constexpr DWORD kRefreshInterval = 100;


    int SetCrayon(const CCrayon* crayon);
    // Plays the object's own sound, or `fallbackSound` when it has none, then fills.
    int Fill(CGlimImage* picture, CPoint point, CBasicSound* fallbackSound);
    int FillRegion(CPoint point);

    // The cursor set whose wait cursor is shown while a fill runs (none: no busy cursor).
    void SetCursor(CCursor* cursor) { m_cursor = cursor; }
    // The clock the refresh cadence is measured with (GetTickCount unless replaced).
    void SetTickSource(TickSource ticks) { m_ticks = ticks; }
    // Colours through one PaintPixel call per pixel of the picture instead of the object
    // index; both give the same canvas and refreshes. Kept as the reference.
    void SetPerPixelCalls(bool perPixel) { m_perPixelCalls = perPixel; }

  private:
    // Most pixels one strip of columns holds (see SweepStrips).
    static constexpr int kStripPixels = 1 << 20;

    void RefreshIfDue(TickSource ticks, DWORD& noted);
    void SweepPerPixel(CSize size, int regionId, TickSource ticks, DWORD& noted);
    void SweepStrips(CSize size, int regionId, TickSource ticks, DWORD& noted);

    CGlimImage* m_picture = nullptr;
    const CCrayon* m_crayon = nullptr;
    CCursor* m_cursor = nullptr;
    TickSource m_ticks = nullptr;
    bool m_perPixelCalls = false;
};
