// The recovery slot for the default scene's canvas (398 x 264, 24 bits): what the screen
// spends when colouring is due to be written (the fingerprint that confirms a change and
// the copy handed to the writer thread), and the write itself on that thread (canvas and
// label replaced atomically, synced).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "coloring/CRecoveryWriter.h"
#include "imaging/CDib.h"
#include "models/CPictureSlot.h"

namespace {

constexpr int kSceneWidth = 398;
constexpr int kSceneHeight = 264;

CDib DefaultSceneCanvas() {
    CDib canvas;
    canvas.Create(kSceneWidth, kSceneHeight, 24);
    for (DWORD i = 0; i < canvas.GetImageSize(); ++i)
        canvas.GetBits()[i] = static_cast<BYTE>(i * 31 % 251);
    return canvas;
}

std::string NewFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bench-slot-XXXXXX").string();
    return mkdtemp(pattern.data());
}

const CPictureSlot::Label kLabel{"Pip's Big Day", "morning", "pic001"};

void BM_RecoveryOnScreenThread(benchmark::State& state) {
    const std::string folder = NewFolder();
    CDib canvas = DefaultSceneCanvas();
    {
        CRecoveryWriter writer(folder + "/recovery");
        BYTE stroke = 0;
        for (auto _ : state) {
            canvas.GetBits()[0] = ++stroke;  // a change, as a brush stroke makes
            benchmark::DoNotOptimize(CRecoveryWriter::Fingerprint(canvas));
            writer.Submit(canvas, kLabel);
            state.PauseTiming();
            writer.WaitIdle();
            state.ResumeTiming();
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryOnScreenThread)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_RecoveryWriteOnWriterThread(benchmark::State& state) {
    const std::string folder = NewFolder();
    const CDib canvas = DefaultSceneCanvas();
    CPictureSlot slot(folder + "/recovery");
    for (auto _ : state) benchmark::DoNotOptimize(slot.Write(canvas, kLabel));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryWriteOnWriterThread)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
