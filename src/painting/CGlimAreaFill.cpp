#include "painting/CGlimAreaFill.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "imaging/CCursor.h"
#include "models/CGlimImage.h"
#include "painting/CColourFloodFill.h"
#include "platform/window/MessageLoop.h"
#include "sound/CBasicSound.h"

namespace {

// Shows the wait cursor while it lives and puts the previous cursor back on every way out.
class WaitCursor {
  public:
    explicit WaitCursor(CCursor* cursor) : m_cursor(cursor) {
        if (m_cursor == nullptr) return;
        m_previous = m_cursor->GetShape();
        m_cursor->SetShape(CursorShape::Wait);
    }
    ~WaitCursor() {
        if (m_cursor != nullptr) m_cursor->SetShape(m_previous);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    CCursor* m_cursor;
    CursorShape m_previous = CursorShape::Wait;
};

}  // namespace

CGlimAreaFill::CGlimAreaFill(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(&GetTickCount)) {}

bool CGlimAreaFill::Fill(CGlimImage* picture, CPoint point, CBasicSound* fallbackSound) {
    m_picture = picture;
    const int regionId = picture != nullptr ? picture->GetRegionId(point.x, point.y) : -1;
    const bool played = picture != nullptr && picture->PlayObjectSound(regionId);
    if (!played && fallbackSound != nullptr) fallbackSound->Play(CBasicSound::kObjectSound);
    return FillRegion(point);
}

void CGlimAreaFill::Refresh() {
    if (m_refresh) m_refresh(*m_picture);
}

// Reads the clock after a column and shows what changed so far once more than 100 ms
// passed since the last refresh.
void CGlimAreaFill::RefreshIfDue(DWORD& noted) {
    const DWORD now = m_clock();
    if (now - noted > kRefreshInterval) {
        Refresh();
        noted = now;
    }
}

void CGlimAreaFill::SweepPerPixel(CSize size, int regionId, DWORD& noted) {
    for (int x = 0; x < size.cx; ++x) {
        for (int y = 0; y < size.cy; ++y) m_picture->PaintPixel(x, y, *m_swatch, 1.0f, regionId);
        RefreshIfDue(noted);
    }
}

// Paints strips of columns row by row, the order the layers lie in memory, then marks the
// strip's columns changed one at a time, reading the clock after each exactly as after
// painting that column alone. A refresh thus follows the same column and draws the same
// area with the same bytes (the strip's later columns lie outside it). Only its moment can
// be later, by at most one strip's painting: kStripPixels pixels take under a millisecond
// here (a few without the vector unit, tens on a slow machine), far below the 100 ms
// between refreshes.
void CGlimAreaFill::SweepStrips(CSize size, int regionId, DWORD& noted) {
    m_picture->PrepareSwatch(*m_swatch);
    const int stripWidth = std::max(1, kStripPixels / std::max(size.cy, 1));
    std::vector<CRect> changed;
    for (int left = 0; left < size.cx; left += stripWidth) {
        const int right = std::min(size.cx, left + stripWidth);
        m_picture->PaintObjectColumns(left, right, *m_swatch, regionId, changed);
        for (const CRect& column : changed) {
            m_picture->MarkChanged(column);
            RefreshIfDue(noted);
        }
    }
}

bool CGlimAreaFill::FillRegion(CPoint point) {
    if (m_picture == nullptr || !m_swatch) return false;
    const WaitCursor busy(m_cursor);
    m_picture->SaveUndo();
    const CSize size = m_picture->GetSize();
    const int regionId = m_picture->GetRegionId(point.x, point.y);
    if ((size.cx == 0 && size.cy == 0) || regionId == -1) return false;
    if (m_picture->IsWholePicture(regionId)) {
        // A blank page has no objects to fill: the child's own strokes bound the fill.
        const bool filled = CColourFloodFill::Fill(*m_picture, point, *m_swatch);
        Refresh();
        return filled;
    }
    DWORD noted = m_clock();
    if (m_perPixelCalls)
        SweepPerPixel(size, regionId, noted);
    else
        SweepStrips(size, regionId, noted);
    m_picture->SaveUndo();  // the fill is one undo step
    Refresh();
    return true;
}
