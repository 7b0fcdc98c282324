#include "coloring/CStartupSequence.h"

#include <utility>

void CStartupSequence::Restart() {
    m_phase = StartupPhase::Hidden;
    m_paintedPhase = StartupPhase::Hidden;
    m_ticks = 0;
    m_skipRequested = false;
}

void CStartupSequence::EnterPhase(StartupPhase phase) {
    m_phase = phase;
    m_ticks = 0;
    m_steps.Repaint();
}

void CStartupSequence::Tick() {
    if (m_halted || m_inStep) return;
    // Each phase waits until its picture is on screen.
    if (m_phase != StartupPhase::Hidden && m_paintedPhase != m_phase) return;
    m_inStep = true;
    const bool ticked = RunPhase();
    m_inStep = false;
    if (ticked) ++m_ticks;
}

bool CStartupSequence::JumpTo(StartupPhase next, void (Steps::*step)()) {
    m_phase = next;
    m_ticks = 1;
    (m_steps.*step)();
    m_steps.Repaint();
    return false;
}

bool CStartupSequence::RunPhase() {
    switch (m_phase) {
        case StartupPhase::Hidden:
            return JumpTo(StartupPhase::Blank, &Steps::ShowScreen);
        case StartupPhase::Blank:
            if (m_ticks == 1) m_steps.LoadSplashPictures();
            if (m_ticks >= 2) EnterPhase(StartupPhase::BrandSplash);
            return true;
        case StartupPhase::BrandSplash:
            if (m_ticks == 1) m_steps.LoadScreenResources();
            if (SplashDone(kBrandSplashTicks)) EnterPhase(StartupPhase::StorySplash);
            return true;
        case StartupPhase::StorySplash:
            if (m_ticks == 1 && !m_steps.LoadBooks()) return false;
            if (SplashDone(kStorySplashTicks)) EnterPhase(StartupPhase::Cleared);
            return true;
        case StartupPhase::Cleared:
            if (m_ticks >= 1) EnterPhase(StartupPhase::OpeningBook);
            return true;
        case StartupPhase::OpeningBook:
            return JumpTo(StartupPhase::Running, &Steps::OpenBook);
        case StartupPhase::Running:
            m_steps.FinishStartup();
            if (auto finished = std::exchange(m_finished, nullptr)) finished();
            return false;
        case StartupPhase::Closing:
            return false;
    }
    return false;
}

bool CStartupSequence::RequestSkip() {
    if (!m_skippable) return false;
    switch (m_phase) {
        case StartupPhase::Hidden:
        case StartupPhase::Blank:
        case StartupPhase::BrandSplash:
        case StartupPhase::StorySplash:
            m_skipRequested = true;
            return true;
        default:
            return false;
    }
}

void CStartupSequence::Close() {
    m_phase = StartupPhase::Closing;
    m_paintedPhase = StartupPhase::Closing;
}
