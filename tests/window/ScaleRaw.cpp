// Scales a raw 4-bytes-a-pixel picture with the screen scaler, as the real backend shows the
// display: the window tests compare what the program shows with the headless driver's
// picture scaled by this.
// Usage: talewick-scale-raw IN.raw WIDTH HEIGHT OUT.raw OUT_WIDTH OUT_HEIGHT
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/backend/ScreenScaler.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: talewick-scale-raw IN.raw W H OUT.raw OUT_W OUT_H\n");
        return 2;
    }
    const CSize source(std::atoi(argv[2]), std::atoi(argv[3]));
    const CSize dest(std::atoi(argv[5]), std::atoi(argv[6]));
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> pixels(std::istreambuf_iterator<char>(in), {});
    if (source.cx <= 0 || source.cy <= 0 || dest.cx <= 0 || dest.cy <= 0 ||
        pixels.size() != static_cast<std::size_t>(source.cx) * source.cy * 4) {
        std::fprintf(stderr, "talewick-scale-raw: %s is not %dx%d\n", argv[1], source.cx,
                     source.cy);
        return 1;
    }
    ScreenScaler scaler;
    scaler.Configure(source, dest);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(dest.cx) * dest.cy * 4);
    scaler.Scale(pixels.data(), source.cx * 4, out.data(), dest.cx * 4, CRect(CPoint(0, 0), dest));
    std::ofstream(argv[4], std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return 0;
}
