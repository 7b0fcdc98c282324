#pragma once
// Bitmap and wave files the tests write themselves, built from the formats' own layout so
// that they check the program's readers rather than repeat them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "support/FileText.h"

namespace testsupport {

// Appends `value` to `out` least significant byte first.
template <class T, class Bytes>
void PutLittleEndian(Bytes& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<typename Bytes::value_type>(
            (static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
}

struct Rgb {
    BYTE b = 0;
    BYTE g = 0;
    BYTE r = 0;
};
using PixelFn = std::function<Rgb(int x, int y)>;

// A bottom-up BMP of 8, 16, 24 or 32 bits per pixel (16-bit pixels take blue and green; 8-bit
// ones take blue, over a table of the 256 greys).
inline void WriteBmpBits(const std::string& path, int width, int height, int bitCount,
                         const PixelFn& pixel) {
    const int bytesPerPixel = bitCount / 8;
    const int stride = (width * bytesPerPixel + 3) / 4 * 4;
    const int colours = bitCount == 8 ? 256 : 0;
    const int offset = 54 + colours * 4;
    std::string out;
    PutLittleEndian<WORD>(out, 0x4D42);
    PutLittleEndian<DWORD>(out, offset + stride * height);
    PutLittleEndian<DWORD>(out, 0);
    PutLittleEndian<DWORD>(out, offset);
    PutLittleEndian<DWORD>(out, 40);
    PutLittleEndian<LONG>(out, width);
    PutLittleEndian<LONG>(out, height);
    PutLittleEndian<WORD>(out, 1);
    PutLittleEndian<WORD>(out, static_cast<WORD>(bitCount));
    for (int i = 0; i < 4; ++i) PutLittleEndian<DWORD>(out, 0);
    PutLittleEndian<DWORD>(out, colours);
    PutLittleEndian<DWORD>(out, 0);
    for (DWORD grey = 0; grey < static_cast<DWORD>(colours); ++grey)
        PutLittleEndian<DWORD>(out, grey << 16 | grey << 8 | grey);
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
    PutLittleEndian<DWORD>(out, 36 + 8);
    out += "WAVEfmt ";
    PutLittleEndian<DWORD>(out, 16);
    PutLittleEndian<WORD>(out, 1);
    PutLittleEndian<WORD>(out, 1);
    PutLittleEndian<DWORD>(out, 8000);
    PutLittleEndian<DWORD>(out, 8000);
    PutLittleEndian<WORD>(out, 1);
    PutLittleEndian<WORD>(out, 8);
    out += "data";
    PutLittleEndian<DWORD>(out, 8);
    out.append(8, static_cast<char>(128));
    WriteText(path, out);
}

inline void PutTag(std::vector<std::uint8_t>* out, const char* tag) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(tag[i]));
}

// A RIFF WAVE image with a sawtooth in every channel.
// `extra` is a whole chunk placed between "fmt " and "data"; format tag 1 is PCM.
inline std::vector<std::uint8_t> MakeWave(std::uint32_t rate, std::uint16_t channels,
                                          std::uint16_t bits, std::uint32_t frames,
                                          std::uint16_t formatTag = 1,
                                          const std::vector<std::uint8_t>& extra = {}) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    const std::uint32_t dataBytes = frames * blockAlign;
    std::vector<std::uint8_t> out;
    PutTag(&out, "RIFF");
    PutLittleEndian<std::uint32_t>(
        out, 4 + 24 + static_cast<std::uint32_t>(extra.size()) + 8 + dataBytes);
    PutTag(&out, "WAVE");
    PutTag(&out, "fmt ");
    PutLittleEndian<std::uint32_t>(out, 16);
    PutLittleEndian<std::uint16_t>(out, formatTag);
    PutLittleEndian<std::uint16_t>(out, channels);
    PutLittleEndian<std::uint32_t>(out, rate);
    PutLittleEndian<std::uint32_t>(out, rate * blockAlign);
    PutLittleEndian<std::uint16_t>(out, blockAlign);
    PutLittleEndian<std::uint16_t>(out, bits);
    for (std::uint8_t byte : extra) out.push_back(byte);
    PutTag(&out, "data");
    PutLittleEndian<std::uint32_t>(out, dataBytes);
    for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    return out;
}

// A mono 16-bit wave of `ms` milliseconds at 8000 Hz.
inline std::vector<std::uint8_t> MakeWaveMs(std::uint32_t ms) {
    return MakeWave(8000, 1, 16, 8 * ms);
}

}  // namespace testsupport
