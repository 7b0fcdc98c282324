// Presenting a frame on the real backend: the display surface converted, uploaded and
// scaled onto the window. Runs on SDL's offscreen video driver so it needs no X server.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/draw/CSurface.h"
#include "platform/backend/sdl/SdlBackend.h"

namespace {

void FillPattern(CSurface& surface) {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            std::uint8_t* row = surface.Row(y);
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

void PresentFrame(benchmark::State& state, const char* depth) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TALEWICK_DEPTH", depth, 1);
    SdlBackend backend(true);
    if (!backend.IsReady()) {
        state.SkipWithError(backend.Error().c_str());
        return;
    }
    CSurface& surface = backend.Surface();
    FillPattern(surface);
    backend.Present();  // opens the window and the renderer outside the timed loop
    for (auto _ : state) backend.Present();
    state.counters["scale"] = backend.Scale();
    state.counters["width"] = surface.Width();
    state.counters["height"] = surface.Height();
}

void BM_PresentTrueColour(benchmark::State& state) {
    PresentFrame(state, "24");
}
void BM_PresentEightBit(benchmark::State& state) {
    PresentFrame(state, "8");
}

}  // namespace

BENCHMARK(BM_PresentTrueColour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresentEightBit)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
