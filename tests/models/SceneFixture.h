#pragma once
// Small scenes written as real files in a temporary folder, for the model and tool tests.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/window/MessageBox.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace fixture {

struct Rgb {
    BYTE b = 0;
    BYTE g = 0;
    BYTE r = 0;
};
using PixelFn = std::function<Rgb(int x, int y)>;

using testsupport::ReadAll;
using testsupport::TempDir;
using testsupport::WriteText;

template <class T>
void Put(std::string& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
}

// A bottom-up BMP of 16, 24 or 32 bits per pixel (16-bit pixels take blue and green).
inline void WriteBmpBits(const std::string& path, int width, int height, int bitCount,
                         const PixelFn& pixel) {
    const int bytesPerPixel = bitCount / 8;
    const int stride = (width * bytesPerPixel + 3) / 4 * 4;
    std::string out;
    Put<WORD>(out, 0x4D42);
    Put<DWORD>(out, 54 + stride * height);
    Put<DWORD>(out, 0);
    Put<DWORD>(out, 54);
    Put<DWORD>(out, 40);
    Put<LONG>(out, width);
    Put<LONG>(out, height);
    Put<WORD>(out, 1);
    Put<WORD>(out, static_cast<WORD>(bitCount));
    for (int i = 0; i < 6; ++i) Put<DWORD>(out, 0);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, row);
            const char bytes[4] = {static_cast<char>(c.b), static_cast<char>(c.g),
                                   static_cast<char>(c.r), 0};
            out.append(bytes, static_cast<std::size_t>(bytesPerPixel));
        }
        out.append(static_cast<std::size_t>(stride - width * bytesPerPixel), '\0');
    }
    WriteText(path, out);
}

// A 24-bit bottom-up BMP file.
inline void WriteBmp(const std::string& path, int width, int height, const PixelFn& pixel) {
    WriteBmpBits(path, width, height, 24, pixel);
}

inline PixelFn Solid(Rgb colour) {
    return [colour](int, int) { return colour; };
}

// A short valid wave file (8-bit mono silence).
inline void WriteWave(const std::string& path) {
    std::string out = "RIFF";
    Put<DWORD>(out, 36 + 8);
    out += "WAVEfmt ";
    Put<DWORD>(out, 16);
    Put<WORD>(out, 1);
    Put<WORD>(out, 1);
    Put<DWORD>(out, 8000);
    Put<DWORD>(out, 8000);
    Put<WORD>(out, 1);
    Put<WORD>(out, 8);
    out += "data";
    Put<DWORD>(out, 8);
    out.append(8, static_cast<char>(128));
    WriteText(path, out);
}

// Description text: lines joined with CR LF.
inline std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Collects message boxes while it lives.
class MessageRecorder {
  public:
    MessageRecorder()
        : m_previous(
              SetMessageBoxHandler([this](const std::string& text) { messages.push_back(text); })) {
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<std::string> messages;

  private:
    MessageBoxHandler m_previous;
};

// Scene layers: shading, mapping, uncoloured, a plain white swatch and the book file
// that names them, in `folder`. Mapping pixels come from `mapping`.
struct SceneFiles {
    std::string bookFolder;
    std::string texture;
    std::string selected;
};

inline SceneFiles WriteScene(const std::string& folder, int width, int height,
                             const PixelFn& shading, const PixelFn& mapping,
                             const PixelFn& uncoloured) {
    WriteBmp(folder + "/scene/lt.bmp", width, height, shading);
    WriteBmp(folder + "/scene/mg.bmp", width, height, mapping);
    WriteBmp(folder + "/scene/ou.bmp", width, height, uncoloured);
    WriteBmp(folder + "/tex.bmp", 16, 16, Solid({200, 100, 50}));
    WriteBmp(folder + "/sel.bmp", 4, 4, Solid({1, 2, 3}));
    WriteText(folder + "/story.txt",
              Lines({"bookname=Story", "NumImages=1", "0=", "[imagefolder=scene",
                     "[imagename=first", "[lt=lt.bmp", "[mg=mg.bmp", "[ou=ou.bmp", "]"}));
    return {folder, folder + "/tex.bmp", folder + "/sel.bmp"};
}

}  // namespace fixture
