#include "platform/base/CQuitSignals.h"

#include <atomic>

namespace {

std::atomic<bool> g_requested{false};

extern "C" void OnQuitSignal(int) {
    CQuitSignals::Request();
}

}  // namespace

CQuitSignals::CQuitSignals() {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns early and the loop sees the request.
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &m_previous[i]);
}

CQuitSignals::~CQuitSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &m_previous[i], nullptr);
}

void CQuitSignals::Request() {
    g_requested.store(true);
}

bool CQuitSignals::IsRequested() {
    return g_requested.load();
}

bool CQuitSignals::Take() {
    return g_requested.exchange(false);
}
