// Presenting on the real backend's CPU path: a brush-sized change and a whole frame,
// scaled onto outputs from 640 x 480 to 4K. Each result also reports `x_memcpy`, its time
// as a multiple of copying the output bytes it wrote with memcpy, both in CPU time of the
// thread and measured in the same run, so the ratio holds on any machine.
//
// BM_Scale* time the scaler alone (the display as the full-screen program sizes it);
// BM_Present* the whole present through SDL's offscreen video driver (no X server),
// including the window surface update, with a 640 x 480 windowed display.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/backend/ScreenLayout.h"
#include "platform/backend/ScreenScaler.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/draw/CSurface.h"

namespace {

constexpr int kBrush = 32;

struct Output {
    int width;
    int height;
};

// 1, 1.6 (1366 x 768), 2 (1920 x 1080), 3 (1920 x 1440) and 4K.
const Output kOutputs[] = {{640, 480}, {1366, 768}, {1920, 1080}, {1920, 1440}, {3840, 2160}};

void FillPattern(CSurface& surface) {
    for (int y = 0; y < surface.Height(); ++y) {
        std::uint8_t* row = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.BitsPerPixel() == 8) {
                row[x] = static_cast<std::uint8_t>(x ^ y);
            } else {
                row[x * 4 + 0] = static_cast<std::uint8_t>(x);
                row[x * 4 + 1] = static_cast<std::uint8_t>(y);
                row[x * 4 + 2] = static_cast<std::uint8_t>(x + y);
                row[x * 4 + 3] = 255;
            }
        }
    }
}

// CPU seconds of this thread: on a shared machine wall time measures the neighbours too.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds per memcpy of `bytes`, between buffers too large to stay in cache.
double MemcpySeconds(std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 0);
    constexpr int kRounds = 40;
    const double start = ThreadSeconds();
    for (int i = 0; i < kRounds; ++i) {
        from[static_cast<std::size_t>(i) % bytes] = static_cast<std::uint8_t>(i);
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
    return (ThreadSeconds() - start) / kRounds;
}

// The brush moves one step along a diagonal each time, as in a drag.
CRect BrushAt(long step, CSize display) {
    const int x = static_cast<int>((step * 7) % (display.cx - kBrush));
    const int y = static_cast<int>((step * 5) % (display.cy - kBrush));
    return CRect(x, y, x + kBrush, y + kBrush);
}

void ReportRatio(benchmark::State& state, double seconds, std::size_t outputBytes) {
    const double per = seconds / static_cast<double>(state.iterations());
    state.counters["x_memcpy"] = per / MemcpySeconds(outputBytes);
    state.counters["out_bytes"] = static_cast<double>(outputBytes);
}

void ScaleOnly(benchmark::State& state, bool whole) {
    const Output output = kOutputs[state.range(0)];
    const double scale =
        ScreenLayout::ChooseScale(CSize(output.width, output.height), CSize(640, 480));
    const CSize display(static_cast<int>(output.width / scale + 1e-6),
                        static_cast<int>(output.height / scale + 1e-6));
    const ScreenLayout layout(CSize(output.width, output.height), display);
    CSurface surface(display.cx, display.cy, 32);
    FillPattern(surface);
    std::vector<std::uint32_t> target(static_cast<std::size_t>(output.width) * output.height);
    ScreenScaler scaler;
    scaler.Configure(display, layout.Dest().Size());
    std::size_t bytes = 0;
    long step = 0;
    const double start = ThreadSeconds();
    for (auto _ : state) {
        const CRect changed =
            whole ? CRect(0, 0, display.cx, display.cy) : BrushAt(step++, display);
        const CRect out = scaler.AffectedOutput(changed);
        scaler.Scale(surface.Row(0), surface.Stride(),
                     reinterpret_cast<std::uint8_t*>(target.data()), output.width * 4, out);
        bytes = static_cast<std::size_t>(out.Width()) * out.Height() * 4;
    }
    ReportRatio(state, (ThreadSeconds() - start), bytes);
    state.counters["scale"] = layout.Scale();
}

void PresentThroughSdl(benchmark::State& state, bool whole, const char* depth) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TALEWICK_DEPTH", depth, 1);
    const Output output = kOutputs[state.range(0)];
    SdlBackend backend(true);
    if (!backend.IsReady()) {
        state.SkipWithError(backend.Error().c_str());
        return;
    }
    CSurface& surface = backend.Surface();
    backend.ResizeWindow(CSize(output.width, output.height));
    FillPattern(surface);
    backend.Present();  // lays the window out outside the timed loop
    const CSize display(surface.Width(), surface.Height());
    ScreenScaler sizes;
    sizes.Configure(display, CSize(static_cast<int>(display.cx * backend.Scale() + 0.5),
                                   static_cast<int>(display.cy * backend.Scale() + 0.5)));
    long step = 0;
    std::size_t bytes = 0;
    const double start = ThreadSeconds();
    for (auto _ : state) {
        const CRect changed =
            whole ? CRect(0, 0, display.cx, display.cy) : BrushAt(step++, display);
        surface.MarkChanged(changed);
        backend.Present();
        const CRect out = sizes.AffectedOutput(changed);
        bytes = static_cast<std::size_t>(out.Width()) * out.Height() * 4;
    }
    ReportRatio(state, (ThreadSeconds() - start), bytes);
    state.counters["scale"] = backend.Scale();
}

void BM_ScaleBrush(benchmark::State& state) {
    ScaleOnly(state, false);
}
void BM_ScaleFrame(benchmark::State& state) {
    ScaleOnly(state, true);
}
void BM_PresentBrush(benchmark::State& state) {
    PresentThroughSdl(state, false, "24");
}
void BM_PresentFrame(benchmark::State& state) {
    PresentThroughSdl(state, true, "24");
}
void BM_PresentFrameEightBit(benchmark::State& state) {
    PresentThroughSdl(state, true, "8");
}

}  // namespace

BENCHMARK(BM_ScaleBrush)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScaleFrame)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentBrush)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFrame)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFrameEightBit)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
