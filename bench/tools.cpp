// Colouring tools on synthetic scenes: region fill (bulk, bulk without the vector unit, and
// one call per pixel), a memcpy of the canvas bytes as the yardstick, and a fast big-brush
// drag.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"
#include "platform/window/MessageBox.h"

namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 24-bit BMP whose pixel (x, y) is colour(x, y) as 0xRRGGBB.
template <class Colour>
void WriteBmp(const std::string& path, int width, int height, Colour colour) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string out;
    Put(out, 0x4D42, 2);
    Put(out, static_cast<std::uint32_t>(54 + stride * height), 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(width), 4);
    Put(out, static_cast<std::uint32_t>(height), 4);
    Put(out, 1, 2);
    Put(out, 24, 2);
    out.append(24, '\0');
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) Put(out, colour(x, y), 3);
        out.append(static_cast<std::size_t>(stride - width * 3), '\0');
    }
    std::ofstream(path, std::ios::binary) << out;
}

// A scene of the given size; object 3 covers all but a border band of object 1, with u and v
// varying across it so the swatch lookup does real work: one coordinate a pixel, or, on a
// receding scene, steps growing down the rows past 128 so pixels take every footprint level.
struct Scene {
    Scene(int width, int height, bool receding = false) {
        SetMessageBoxHandler([](ChildMessage, const std::string&) {});
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        std::filesystem::create_directories(folder + "/scene");
        WriteBmp(folder + "/scene/lt.bmp", width, height,
                 [](int x, int y) { return 0x404040u + static_cast<std::uint32_t>((x + y) % 64); });
        WriteBmp(folder + "/scene/mg.bmp", width, height, [&](int x, int y) {
            const bool border = x < width / 20 || y < height / 20;
            const int step = receding ? 1 + y / 2 : 1;
            return (static_cast<std::uint32_t>(x * step % 256) << 16) |
                   (static_cast<std::uint32_t>(y * step % 256) << 8) | (border ? 1u : 3u);
        });
        WriteBmp(folder + "/scene/ou.bmp", width, height, [](int, int) { return 0xC0C0C0u; });
        WriteBmp(folder + "/tex.bmp", 32, 32,
                 [](int x, int y) { return static_cast<std::uint32_t>(x * 8 + y * 2048); });
        std::ofstream(folder + "/story.txt", std::ios::binary)
            << "bookname=Bench\r\nNumImages=1\r\n0=\r\n[imagefolder=scene\r\n[lt=lt.bmp\r\n"
               "[mg=mg.bmp\r\n[ou=ou.bmp\r\n]\r\n";
        book.Load(folder, "story.txt");
        book.SelectImage(0);
        picture = book.GetCurrentImage();
        crayon.LoadFiles(folder + "/tex.bmp", folder + "/tex.bmp");
        fill.SetSwatch(crayon.GetSwatch());
        fill.Fill(picture, CPoint(width / 2, height / 2), nullptr);  // loads every layer
    }
    ~Scene() { std::filesystem::remove_all(folder); }

    std::string folder;
    CGlimBook book;
    CGlimImage* picture = nullptr;
    CCrayon crayon;
    CGlimAreaFill fill;
};

void FillObject(benchmark::State& state, int width, int height, bool perPixel,
                bool vectorUnit = true, bool receding = false) {
    // The book is large; on the heap it leaves the benchmark's stack alone.
    const auto owned = std::make_unique<Scene>(width, height, receding);
    Scene& scene = *owned;
    scene.fill.SetPerPixelCalls(perPixel);
    CGlimImage::AllowVectorUnit(vectorUnit);
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.fill.FillRegion(CPoint(width / 2, height / 2)));
    CGlimImage::AllowVectorUnit(true);
}

void BM_FillScene398x264(benchmark::State& state) {
    FillObject(state, 398, 264, false);
}
void BM_FillScene398x264PerPixel(benchmark::State& state) {
    FillObject(state, 398, 264, true);
}
// Far pixels on every footprint level: the swatch is laid out for each at the fill's start.
void BM_FillReceding398x264(benchmark::State& state) {
    FillObject(state, 398, 264, false, true, true);
}
void BM_Fill1920x1080(benchmark::State& state) {
    FillObject(state, 1920, 1080, false);
}
// The same fill without the processor's vector unit: the plain loop.
void BM_Fill1920x1080Plain(benchmark::State& state) {
    FillObject(state, 1920, 1080, false, false);
}
void BM_Fill1920x1080PerPixel(benchmark::State& state) {
    FillObject(state, 1920, 1080, true);
}

void BM_MemcpyCanvas1920x1080(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(1920 * 3) * 1080;
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
}

void BigBrushDrag(benchmark::State& state, bool perPixel) {
    const auto owned = std::make_unique<Scene>(398, 264);
    Scene& scene = *owned;
    CGlimBrush brush;
    brush.SetPerPixelCalls(perPixel);
    brush.SetSwatch(scene.crayon.GetSwatch());
    brush.MakeRound(9, 1.0f);
    for (auto _ : state) {
        brush.BeginStroke(scene.picture, CPoint(150, 100));
        brush.MoveTo(CPoint(250, 140));
        brush.EndStroke(false);
    }
}

void BM_BigBrushDrag100(benchmark::State& state) {
    BigBrushDrag(state, false);
}
void BM_BigBrushDrag100PerPixel(benchmark::State& state) {
    BigBrushDrag(state, true);
}

}  // namespace

BENCHMARK(BM_FillScene398x264)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillReceding398x264)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillScene398x264PerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyCanvas1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill1920x1080Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill1920x1080PerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigBrushDrag100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigBrushDrag100PerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
