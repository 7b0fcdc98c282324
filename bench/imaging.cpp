// Dithering a 640 x 480 picture, and loading a 640 x 480 24-bit file beside a plain copy
// of the same number of bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/CDib.h"
#include "imaging/CDitherer.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

CDib MakePicture() {
    CDib dib;
    dib.Create(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            dib.SetPixel(static_cast<DWORD>((x * 255 / kWidth) | ((y * 255 / kHeight) << 8) |
                                            (((x + y) & 0xFF) << 16)),
                         x, y);
        }
    }
    return dib;
}

const std::string& PicturePath() {
    static const std::string path = [] {
        const std::string p = "/tmp/bench_imaging_" + std::to_string(getpid()) + ".bmp";
        MakePicture().Save(p);
        return p;
    }();
    return path;
}

void BM_Dither640x480(benchmark::State& state) {
    CDib dib = MakePicture();
    CPalette cube;
    CDitherer::CreateDitherPalette(cube);
    CDitherer ditherer(kWidth, kHeight);
    std::vector<BYTE> target(static_cast<std::size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        ditherer.Dither(dib.GetBits(), target.data(), 0, 0, kWidth, kHeight, cube);
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(BM_Dither640x480)->Unit(benchmark::kMillisecond);

void BM_Load640x480Bmp(benchmark::State& state) {
    const std::string& path = PicturePath();
    for (auto _ : state) {
        CDib dib;
        benchmark::DoNotOptimize(dib.Load(path));
    }
}
BENCHMARK(BM_Load640x480Bmp)->Unit(benchmark::kMicrosecond);

void BM_Memcpy640x480Bytes(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(kWidth) * 3 * kHeight;
    std::vector<BYTE> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Memcpy640x480Bytes)->Unit(benchmark::kMicrosecond);

// Opening and closing the file alone: the fixed cost a load pays before its first byte.
void BM_OpenClose(benchmark::State& state) {
    const std::string& path = PicturePath();
    for (auto _ : state) {
        CFile file;
        benchmark::DoNotOptimize(file.Open(path, CFile::modeRead));
    }
}
BENCHMARK(BM_OpenClose)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
