#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/CQuitSignals.h"

namespace {

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (m_had) m_old = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (m_had) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

  private:
    std::string m_name, m_old;
    bool m_had = false;
};

TEST(HonestStart, WithoutADisplayTheBackendRefusesAndSaysWhatToSet) {
    ScopedVariable display("DISPLAY", nullptr);
    ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
    ScopedVariable driver("SDL_VIDEODRIVER", nullptr);
    SdlBackend backend(false);
    EXPECT_FALSE(backend.IsReady());
    EXPECT_NE(backend.Error().find("DISPLAY"), std::string::npos) << backend.Error();
}

TEST(HonestStart, ADisplayThatTurnsItAwayIsNotReplacedByAnInvisibleOne) {
    // SDL would fall back to its window-less driver; the backend keeps trying the display for
    // a few seconds and then refuses, naming it.
    ScopedVariable display("DISPLAY", ":4093");
    ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
    ScopedVariable driver("SDL_VIDEODRIVER", nullptr);
    SdlBackend backend(false);
    EXPECT_FALSE(backend.IsReady());
    EXPECT_NE(backend.Error().find("cannot open the display"), std::string::npos)
        << backend.Error();
}

// A windowed backend on the offscreen driver that counts the quit requests it passes on,
// with the stop signals caught and waking its waits.
class HonestStop : public ::testing::Test {
  protected:
    ScopedVariable m_driver{"SDL_VIDEODRIVER", "offscreen"};
    ScopedVariable m_audio{"SDL_AUDIODRIVER", "dummy"};
    SdlBackend backend{true};
    int requests = 0;
    CQuitSignals m_signals{[this] { backend.Wake(); }};

    void SetUp() override {
        ASSERT_TRUE(backend.IsReady()) << backend.Error();
        backend.SetQuitHandler([this] { ++requests; });
    }
};

// Each stop signal wakes a loop waiting for input and reaches the quit handler once;
// the process itself lives on to save and end in order.
TEST_F(HonestStop, StopSignalsReachTheQuitHandlerFromAWaitingLoop) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        requests = 0;
        ASSERT_EQ(std::raise(signal), 0);
        const auto start = std::chrono::steady_clock::now();
        backend.WaitEvent(INFINITE);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_LT(waited, std::chrono::milliseconds(500)) << "signal " << signal;
        InputEvent event;
        while (backend.PollEvent(event)) {
        }
        EXPECT_EQ(requests, 1) << "signal " << signal;
        while (backend.PollEvent(event)) {
        }
        EXPECT_EQ(requests, 1) << "one request, one call";
    }
}

// A signal that comes while the loop is already blocked waiting wakes it through the
// watcher, without the loop waking on its own to look.
TEST_F(HonestStop, ASignalDuringAWaitEndsIt) {
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        kill(getpid(), SIGTERM);
    });
    const auto start = std::chrono::steady_clock::now();
    backend.WaitEvent(INFINITE);
    const auto waited = std::chrono::steady_clock::now() - start;
    sender.join();
    EXPECT_GE(waited, std::chrono::milliseconds(150));
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    InputEvent event;
    while (backend.PollEvent(event)) {
    }
    EXPECT_EQ(requests, 1);
}

TEST(HonestStopSignals, TheSignalsGoBackToWhatTheyWereAfterwards) {
    struct sigaction before {};
    sigaction(SIGHUP, nullptr, &before);
    {
        CQuitSignals signals;
        struct sigaction during {};
        sigaction(SIGHUP, nullptr, &during);
        EXPECT_NE(during.sa_handler, before.sa_handler);
    }
    struct sigaction after {};
    sigaction(SIGHUP, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
    EXPECT_FALSE(CQuitSignals::Take());
}

}  // namespace
