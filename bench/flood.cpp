// The blank page's colour flood on a 640 × 480 page: tracing alone over an empty page (every
// pixel joins) and over a page of soft-edged rings (many fringe pixels), and the whole bucket
// click with the painting, on a one-object page loaded from files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/CDib.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "painting/CColourFloodFill.h"
#include "painting/CGlimAreaFill.h"
#include "platform/window/MessageBox.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Grey level of the ring page at (x, y): soft dark rings of radius 20 on a 64-pixel grid.
int RingLevel(int x, int y) {
    const double d = std::hypot(x % 64 - 32, y % 64 - 32);
    const double ink = std::clamp((3.0 - std::abs(d - 20.0)) / 1.5, 0.0, 1.0);
    return static_cast<int>(255 - 230 * ink);
}

// A 24-bit page in memory, as the canvas is laid out in a picture.
struct Page {
    explicit Page(bool rings) {
        picture.Create(kWidth, kHeight, 24);
        const CLayerView view = View();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                std::fill_n(view.At(x, y), 3, static_cast<BYTE>(rings ? RingLevel(x, y) : 255));
    }
    CLayerView View() {
        return CLayerView(&picture.GetHeader()->bmiHeader, picture.GetBits(),
                          picture.GetImageSize());
    }

    CDib picture;
};

void Trace(benchmark::State& state, bool rings) {
    Page page(rings);
    std::size_t covered = 0;
    for (auto _ : state) {
        const CColourFloodFill::Coverage coverage =
            CColourFloodFill::Trace(page.View(), CPoint(0, 0));
        covered = coverage.strength.size();
        benchmark::DoNotOptimize(coverage.strength.data());
    }
    state.counters["cells"] = static_cast<double>(covered);
}

void BM_FloodTraceBlank640x480(benchmark::State& state) {
    Trace(state, false);
}
void BM_FloodTraceRings640x480(benchmark::State& state) {
    Trace(state, true);
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

template <class Colour>
void WriteBmp(const std::string& path, Colour colour) {
    std::string out;
    for (std::uint32_t v : {0x4D42u, 54u + kWidth * 3u * kHeight, 0u, 54u, 40u})
        Put(out, v, v == 0x4D42u ? 2 : 4);
    Put(out, kWidth, 4);
    Put(out, kHeight, 4);
    Put(out, 1, 2);
    Put(out, 24, 2);
    out.append(24, '\0');
    for (int y = kHeight - 1; y >= 0; --y)
        for (int x = 0; x < kWidth; ++x) Put(out, colour(x, y), 3);
    std::ofstream(path, std::ios::binary) << out;
}

// The whole bucket click on a one-object page showing the rings: trace, painting with the
// swatch by the page's coordinates and light, and the undo snapshot.
void BM_BucketOnRingPage640x480(benchmark::State& state) {
    SetMessageBoxHandler([](ChildMessage, const std::string&) {});
    std::string pattern = (std::filesystem::temp_directory_path() / "bench-XXXXXX").string();
    const std::string folder = mkdtemp(pattern.data());
    std::filesystem::create_directories(folder + "/page");
    WriteBmp(folder + "/page/lt.bmp", [](int, int) { return 0xFFFFFFu; });
    WriteBmp(folder + "/page/mg.bmp", [](int x, int y) {
        return static_cast<std::uint32_t>(x * 256 / kWidth) << 16 |
               static_cast<std::uint32_t>(y * 256 / kHeight) << 8 | 1u;
    });
    WriteBmp(folder + "/page/ou.bmp",
             [](int x, int y) { return static_cast<std::uint32_t>(RingLevel(x, y)) * 0x010101u; });
    std::ofstream(folder + "/pad.txt", std::ios::binary)
        << "bookname=Pad\r\nNumImages=1\r\n0=\r\n[imagefolder=page\r\n[lt=lt.bmp\r\n"
           "[mg=mg.bmp\r\n[ou=ou.bmp\r\n]\r\n";
    CGlimBook book;
    book.Load(folder, "pad.txt");
    CGlimImage* picture = book.GetImage(0);
    CGlimAreaFill bucket;
    bool red = false;
    for (auto _ : state) {
        // Alternating colours, so every click changes the whole patch.
        red = !red;
        bucket.SetSwatch(red ? Swatch::Solid(250, 20, 20) : Swatch::Solid(255, 255, 255));
        benchmark::DoNotOptimize(bucket.Fill(picture, CPoint(0, 0), nullptr));
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_FloodTraceBlank640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodTraceRings640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BucketOnRingPage640x480)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
