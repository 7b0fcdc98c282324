// The coloring screen on the headless backend with the generated content: CPU from the start
// to the first interactive frame (the splash waits skipped by the virtual clock), a full
// repaint of the running screen on true-colour and 8-bit displays, and the memory held
// with a scene loaded.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "app/CColoringApp.h"
#include "coloring/CColoringDlg.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"

namespace fs = std::filesystem;

namespace {

// The content's play folder beside this program's build (bench/ is next to content/).
bool EnterContent() {
    char self[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return false;
    const fs::path play = fs::path(self).parent_path().parent_path() / "content" / "play";
    std::error_code error;
    fs::current_path(play, error);
    return !error;
}

long ResidentKilobytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::atol(line + 6);
    }
    std::fclose(status);
    return kb;
}

// Runs the screen until it is interactive, then `atReady` with it, then ends the run.
void RunToInteractive(HeadlessBackend& backend, const std::function<void(CColoringDlg&)>& atReady) {
    Backend* previous = SetBackend(&backend);
    WindowManager::Instance().Reset();
    {
        CColoringDlg screen(nullptr, CColoringApp::kScriptedFillSoundSeed);
        bool done = false;
        backend.SetIdleHook([&] {
            // Interactive: the end of the start-up has shown the buttons and stopped the timer.
            if (done || !screen.GetButton(CColoringDlg::kExit).IsWindowVisible()) return false;
            done = true;
            atReady(screen);
            PostQuitMessage(0);
            return true;
        });
        screen.DoModal();
        backend.SetIdleHook(nullptr);
    }
    SetBackend(previous);
}

void BM_StartToInteractive(benchmark::State& state) {
    if (!EnterContent()) {
        state.SkipWithError("no generated content");
        return;
    }
    long resident = 0;
    for (auto _ : state) {
        HeadlessBackend backend(640, 480, 32);
        RunToInteractive(backend, [&](CColoringDlg&) { resident = ResidentKilobytes(); });
    }
    state.counters["resident_MB"] = static_cast<double>(resident) / 1024.0;
}
BENCHMARK(BM_StartToInteractive)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void FullRepaint(benchmark::State& state, int depth) {
    if (!EnterContent()) {
        state.SkipWithError("no generated content");
        return;
    }
    HeadlessBackend backend(640, 480, depth);
    RunToInteractive(backend, [&](CColoringDlg& screen) {
        for (auto _ : state) {
            screen.InvalidateRect(nullptr, FALSE);
            screen.UpdateWindow();
            WindowManager::Instance().PresentIfDirty();
        }
    });
}

void BM_FullRepaintTrueColour(benchmark::State& state) {
    FullRepaint(state, 32);
}
BENCHMARK(BM_FullRepaintTrueColour)->Unit(benchmark::kMillisecond);

void BM_FullRepaint8Bit(benchmark::State& state) {
    FullRepaint(state, 8);
}
BENCHMARK(BM_FullRepaint8Bit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
