#include "coloring/CStartupSequence.h"

void CStartupSequence::Restart() {
    m_phase = StartupPhase::Hidden;
    m_paintedPhase = StartupPhase::Hidden;
    m_ticks = 0;
}

void CStartupSequence::EnterPhase(StartupPhase phase) {
    m_phase = phase;
    m_ticks = 0;
    m_steps.Repaint();
}

void CStartupSequence::Tick() {
    if (m_halted) return;
    // Each phase waits until its picture is on screen.
    if (m_phase != StartupPhase::Hidden && m_paintedPhase != m_phase) return;
    if (RunPhase()) ++m_ticks;
}

bool CStartupSequence::RunPhase() {
    switch (m_phase) {
        case StartupPhase::Hidden:
            m_phase = StartupPhase::Blank;
            m_ticks = 1;
            m_steps.ShowScreen();
            m_steps.Repaint();
            return false;
        case StartupPhase::Blank:
            if (m_ticks == 1) m_steps.LoadSplashPictures();
            if (m_ticks >= 2) EnterPhase(StartupPhase::BrandSplash);
            return true;
        case StartupPhase::BrandSplash:
            if (m_ticks == 1) m_steps.LoadScreenResources();
            if (m_ticks >= kBrandSplashTicks) EnterPhase(StartupPhase::StorySplash);
            return true;
        case StartupPhase::StorySplash:
            if (m_ticks == 1 && !m_steps.LoadBooks()) return false;
            if (m_ticks >= kStorySplashTicks) EnterPhase(StartupPhase::Cleared);
            return true;
        case StartupPhase::Cleared:
            if (m_ticks >= 1) EnterPhase(StartupPhase::OpeningBook);
            return true;
        case StartupPhase::OpeningBook:
            m_phase = StartupPhase::Running;
            m_ticks = 1;
            m_steps.OpenBook();
            m_steps.Repaint();
            return false;
        case StartupPhase::Running:
            m_steps.FinishStartup();
            return false;
        case StartupPhase::Closing:
            return false;
    }
    return false;
}

bool CStartupSequence::SkipStory() {
    if (m_phase != StartupPhase::StorySplash || m_ticks <= 1) return false;
    EnterPhase(StartupPhase::Cleared);
    return true;
}

void CStartupSequence::Close() {
    m_phase = StartupPhase::Closing;
    m_paintedPhase = StartupPhase::Closing;
}
