#include "platform/draw/CWindowDC.h"

#include "platform/backend/Backend.h"
#include "platform/window/CWnd.h"
#include "platform/window/WindowManager.h"

namespace {

CRect ClipFor(CWnd* wnd, const std::optional<CRect>& clip) {
    CRect visible = VisibleScreenRect(wnd);
    if (clip) {
        CRect area = *clip;
        wnd->ClientToScreen(&area);
        visible.IntersectRect(visible, area);
    }
    return visible;
}

}  // namespace

CWindowDC::CWindowDC(CWnd* wnd, std::optional<CRect> clip)
    : CMemoryDC(GetBackend().Surface(), ScreenOrigin(wnd), ClipFor(wnd, clip)), m_wnd(wnd) {}

CWindowDC::~CWindowDC() {
    if (WindowManager::Instance().IsLive(m_wnd)) WindowManager::Instance().NoteDrawn(m_wnd, Clip());
}

CPalette* CWindowDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    m_background = forceBackground != FALSE;
    m_palette = palette;
    return CMemoryDC::SelectPalette(palette, forceBackground);
}

UINT CWindowDC::RealizePalette() {
    // A background palette maps onto the colours the display already shows.
    if (m_background || m_palette == nullptr) return 0;
    const UINT changed = CMemoryDC::RealizePalette();
    if (changed > 0) WindowManager::Instance().BroadcastPaletteChanged(m_wnd);
    return changed;
}
