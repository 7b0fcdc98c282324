// Feeds arbitrary bytes to the bitmap reader through a file, then reads and draws what it
// accepted, on a true-colour and a palette surface.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "imaging/CDIBPal.h"
#include "imaging/CDib.h"
#include "platform/draw/CMemoryDC.h"
#include "platform/window/MessageBox.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path = "/tmp/fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
    return path;
}

void Exercise(CDib& dib, CPalette& palette) {
    const CSize size = dib.GetSize();
    BYTE bytes[3];
    for (int y : {0, size.cy - 1}) {
        for (int x : {0, size.cx - 1}) {
            dib.GetPixelBytes(x, y, bytes);
            dib.GetByte2(x, y);
        }
    }
    for (int bits : {32, 8}) {
        CSurface surface(8, 8, bits);
        CMemoryDC dc(surface);
        dib.Paint(dc, 0, 0, 8, 8, &palette);
        dib.PaintRect(dc, CPoint(1, 1), CSize(4, 4),
                      CRect(size.cx / 2, size.cy / 2, size.cx, size.cy), &palette);
    }
    CDib copy(dib);
    copy.SetPixel(0xFFFFFF, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        SetMessageBoxHandler([](ChildMessage, const std::string&) {});
        return true;
    }();
    (void)quiet;
    static CDIBPal palette;
    if (!palette.IsCreated()) palette.CreateColourCube();
    std::FILE* out = std::fopen(ScratchPath().c_str(), "wb");
    if (out == nullptr) return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    CDib dib;
    if (dib.Load(ScratchPath()) && dib.GetSize().cx <= 2048 && dib.GetSize().cy <= 2048) {
        Exercise(dib, palette);
    }
    return 0;
}
