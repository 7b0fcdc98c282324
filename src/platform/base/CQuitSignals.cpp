#include "platform/base/CQuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {

std::atomic<bool> g_requested{false};
// The pipe the handler writes a byte into for the watcher thread; -1 without a watcher.
std::atomic<int> g_wakeDescriptor{-1};

constexpr char kRequestByte = 1;
constexpr char kStopByte = 0;

void WriteByte(int descriptor, char byte) {
    // write is safe inside a signal handler; a full pipe already holds a wake-up.
    [[maybe_unused]] const ssize_t written = write(descriptor, &byte, 1);
}

extern "C" void OnQuitSignal(int) {
    const int savedErrno = errno;
    CQuitSignals::Request();
    const int descriptor = g_wakeDescriptor.load();
    if (descriptor >= 0) WriteByte(descriptor, kRequestByte);
    errno = savedErrno;
}

}  // namespace

CQuitSignals::CQuitSignals() {
    Install();
}

CQuitSignals::CQuitSignals(std::function<void()> wake) : m_wake(std::move(wake)) {
    if (m_wake && pipe2(m_pipe, O_CLOEXEC) == 0) {
        g_wakeDescriptor.store(m_pipe[1]);
        m_watcher = std::thread([this] { Watch(); });
    }
    Install();
}

CQuitSignals::~CQuitSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &m_previous[i], nullptr);
    if (m_watcher.joinable()) {
        g_wakeDescriptor.store(-1);
        WriteByte(m_pipe[1], kStopByte);
        m_watcher.join();
    }
    for (int descriptor : m_pipe) {
        if (descriptor >= 0) close(descriptor);
    }
}

void CQuitSignals::Install() {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns early and the loop sees the request.
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &m_previous[i]);
}

// Sleeps in read until the handler writes; the thread costs nothing while no signal comes.
void CQuitSignals::Watch() {
    for (;;) {
        char byte = kStopByte;
        const ssize_t count = read(m_pipe[0], &byte, 1);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0 || byte == kStopByte) return;
        m_wake();
    }
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
