#include "coloring/CBackdropAnimation.h"

#include <utility>

#include "platform/draw/CDC.h"
#include "platform/window/CWnd.h"

bool CBackdropAnimation::Load(Plan plan) {
    m_plan = std::move(plan);
    const CRect& place = m_plan.place;
    m_loaded = m_frames.Load(m_plan.framesFile) && m_plan.frameCount > 0 &&
               m_frames.GetSize().cx == place.Width() * m_plan.frameCount &&
               m_frames.GetSize().cy == place.Height();
    // A missing sound leaves the animation silent rather than still.
    m_sound.Load(m_plan.soundFile);
    return m_loaded;
}

bool CBackdropAnimation::Click(CWnd& screen, CPoint point) {
    if (!m_loaded || !m_plan.place.PtInRect(point)) return false;
    if (IsPlaying()) return true;
    if (screen.SetTimer(m_plan.timerId, kFrameInterval) == 0) return false;
    m_frame = 0;
    m_sound.Play(CBasicSound::kInterruptingSound);
    screen.InvalidateRect(&m_plan.place, FALSE);
    return true;
}

bool CBackdropAnimation::OnTimer(CWnd& screen, UINT timerId) {
    // Before a plan loads, its timer id means nothing: the screen's other timers pass by.
    if (!m_loaded || timerId != m_plan.timerId) return false;
    if (IsPlaying() && m_frame + 1 < m_plan.frameCount) {
        ++m_frame;
        screen.InvalidateRect(&m_plan.place, FALSE);
    } else {
        Stop(screen);
    }
    return true;
}

void CBackdropAnimation::Stop(CWnd& screen) {
    if (!IsPlaying()) return;
    screen.KillTimer(m_plan.timerId);
    m_frame = -1;
    screen.InvalidateRect(&m_plan.place, FALSE);
}

void CBackdropAnimation::Paint(CDC& dc, const CRect& update) {
    CRect area;
    if (!IsPlaying() || !area.IntersectRect(update, m_plan.place)) return;
    CRect source = area;
    source.OffsetRect(m_frame * m_plan.place.Width() - m_plan.place.left, -m_plan.place.top);
    m_frames.PaintRect(dc, area.TopLeft(), area.Size(), source, nullptr);
}
