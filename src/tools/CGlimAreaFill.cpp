#include "tools/CGlimAreaFill.h"

#include "imaging/CCursor.h"
#include "platform/CWnd.h"
#include "sound/CBasicSound.h"
#include "stories/CGlimImage.h"

namespace {

// Shows the wait cursor while it lives and puts the previous cursor back on every way out.
class WaitCursor {
  public:
    explicit WaitCursor(CCursor* cursor) : m_cursor(cursor) {
        if (m_cursor == nullptr) return;
        m_previous = m_cursor->GetCurrentIndex();
        m_cursor->SetCursorIndex(0);
    }
    ~WaitCursor() {
        if (m_cursor != nullptr) m_cursor->SetCursorIndex(m_previous);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    CCursor* m_cursor;
    int m_previous = 0;
};

}  // namespace

int CGlimAreaFill::SetCrayon(const CCrayon* crayon) {
    m_crayon = crayon;
    return 1;
}

int CGlimAreaFill::Fill(CGlimImage* picture, CPoint point, CBasicSound* fallbackSound) {
    m_picture = picture;
    const int regionId = picture != nullptr ? picture->GetRegionId(point.x, point.y) : -1;
    const bool played = picture != nullptr && picture->PlayObjectSound(regionId);
    if (!played && fallbackSound != nullptr) fallbackSound->Play(CBasicSound::kObjectSound);
    return FillRegion(point);
}

void CGlimAreaFill::PaintColumn(int x, int height, int regionId) {
    if (!m_perPixelCalls) {
        m_picture->PaintObjectColumn(x, m_crayon, regionId);
        return;
    }
    for (int y = 0; y < height; ++y) m_picture->PaintPixel(x, y, m_crayon, false, 1.0f, regionId);
}

int CGlimAreaFill::FillRegion(CPoint point) {
    if (m_picture == nullptr || m_crayon == nullptr) return 0;
    const WaitCursor busy(m_cursor);
    m_picture->SaveUndo();
    const CSize size = m_picture->GetSize();
    const int regionId = m_picture->GetRegionId(point.x, point.y);
    if ((size.cx == 0 && size.cy == 0) || regionId == -1) return 0;
    const TickSource ticks = m_ticks != nullptr ? m_ticks : &GetTickCount;
    DWORD noted = ticks();
    for (int x = 0; x < size.cx; ++x) {
        PaintColumn(x, size.cy, regionId);
        const DWORD now = ticks();
        if (now - noted > kRefreshInterval) {
            m_picture->Redraw(false);
            noted = now;
        }
    }
    m_picture->Redraw(false);
    return 1;
}
