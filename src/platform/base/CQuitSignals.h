#pragma once
#include <csignal>
#include <functional>
#include <thread>

// Turns the system's requests to stop (SIGTERM, SIGINT, SIGHUP) into a flag the event
// loop takes, so the program can keep the child's picture and end in order instead of
// dying where it stands. The handlers are installed while an object exists; the
// previous ones come back when it goes.
class CQuitSignals {
  public:
    CQuitSignals();
    // `wake` is called on a thread of its own after each request, so that a loop blocked
    // waiting for input learns of it at once without waking up to look; it must be safe
    // to call from another thread.
    explicit CQuitSignals(std::function<void()> wake);
    ~CQuitSignals();
    CQuitSignals(const CQuitSignals&) = delete;
    CQuitSignals& operator=(const CQuitSignals&) = delete;

    // Asks the program to stop, as a signal does (safe inside a signal handler).
    static void Request();
    // Whether a request is waiting.
    static bool IsRequested();
    // Takes the waiting request: true once per request.
    static bool Take();

  private:
    void Install();
    void Watch();

    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    struct sigaction m_previous[3]{};
    std::function<void()> m_wake;
    int m_pipe[2] = {-1, -1};
    std::thread m_watcher;
};
