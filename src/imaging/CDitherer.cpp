#include "imaging/CDitherer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr int kCubeSize = 256;

BYTE Clamp(int value) {
    return static_cast<BYTE>(std::min(std::max(value, 0), 255));
}

// Blue rounds to the nearest of 4 levels: b / 85, plus one when the remainder exceeds 43.
constexpr std::array<BYTE, 256> kBlueLevel = [] {
    std::array<BYTE, 256> levels{};
    for (int b = 0; b < 256; ++b) levels[b] = static_cast<BYTE>(b / 85 + (b % 85 > 43 ? 1 : 0));
    return levels;
}();

// Adds an error (blue, green, red) to one pixel of a row buffer.
void AddError(BYTE* pixel, int blue, int green, int red) {
    pixel[0] = Clamp(pixel[0] + blue);
    pixel[1] = Clamp(pixel[1] + green);
    pixel[2] = Clamp(pixel[2] + red);
}

std::size_t SourceStride(unsigned width) {
    return (3 * static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
}

}  // namespace

CDitherer::CDitherer(unsigned width, unsigned height)
    : m_current(3 * static_cast<std::size_t>(width) + 3),
      m_next(3 * static_cast<std::size_t>(width) + 3),
      m_width(width),
      m_height(height) {}

BYTE CDitherer::QuantiseIndex(BYTE blue, BYTE green, BYTE red) {
    // Red and green are truncated to 8 levels, blue rounded to 4.
    return static_cast<BYTE>((red & 0xE0) + ((green >> 3) & 0xFC) + kBlueLevel[blue]);
}

CDitherer::Quantiser CDitherer::ReadPalette(const CPalette& palette) {
    // Entries a short palette lacks read as black.
    Quantiser q;
    palette.GetPaletteEntries(0, kCubeSize, q.entries.data());
    const auto& e = q.entries;
    q.separable = true;
    for (int i = 0; i < kCubeSize && q.separable; ++i) {
        q.separable = e[i].peRed == e[i & 0xE0].peRed && e[i].peGreen == e[i & 0x1C].peGreen &&
                      e[i].peBlue == e[i & 0x03].peBlue;
    }
    for (int v = 0; v < 256; ++v) {
        q.quarterErrorRed[v] = static_cast<short>((v - e[v & 0xE0].peRed) >> 2);
        q.quarterErrorGreen[v] = static_cast<short>((v - e[(v >> 3) & 0x1C].peGreen) >> 2);
        q.quarterErrorBlue[v] = static_cast<short>((v - e[kBlueLevel[v]].peBlue) >> 2);
    }
    return q;
}

namespace {

// The error diffusion along one row; `quarterErrors` gives the (blue, green, red) error
// of a pixel, each divided by four with an arithmetic shift (rounding towards minus
// infinity: -1 >> 2 = -1). The pixel being quantised is carried in registers: its stored
// bytes plus the half error the previous pixel passed right, clamped.
template <class QuarterErrors>
void DiffuseRow(BYTE* current, BYTE* next, int count, QuarterErrors quarterErrors) {
    if (count <= 0) return;
    int blue = current[0], green = current[1], red = current[2];
    for (int x = 0; x < count; ++x) {
        const BYTE index = CDitherer::QuantiseIndex(
            static_cast<BYTE>(blue), static_cast<BYTE>(green), static_cast<BYTE>(red));
        // Index x overwrites bytes of pixels already quantised.
        current[x] = index;
        int errorBlue, errorGreen, errorRed;
        quarterErrors(index, blue, green, red, errorBlue, errorGreen, errorRed);
        AddError(next + 3 * x, errorBlue, errorGreen, errorRed);
        const BYTE* right = current + 3 * x + 3;
        blue = Clamp(right[0] + 2 * errorBlue);
        green = Clamp(right[1] + 2 * errorGreen);
        red = Clamp(right[2] + 2 * errorRed);
    }
    // What the last pixel pushed right lands in the spare bytes.
    BYTE* spare = current + 3 * count;
    spare[0] = static_cast<BYTE>(blue);
    spare[1] = static_cast<BYTE>(green);
    spare[2] = static_cast<BYTE>(red);
}

}  // namespace

void CDitherer::DitherRow(BYTE* current, BYTE* next, int count, const CPalette& palette) {
    DitherRowWith(current, next, count, ReadPalette(palette));
}

void CDitherer::DitherRowWith(BYTE* current, BYTE* next, int count, const Quantiser& q) {
    if (q.separable) {
        DiffuseRow(current, next, count,
                   [&q](BYTE, int b, int g, int r, int& eb, int& eg, int& er) {
                       eb = q.quarterErrorBlue[b];
                       eg = q.quarterErrorGreen[g];
                       er = q.quarterErrorRed[r];
                   });
        return;
    }
    DiffuseRow(current, next, count,
               [&q](BYTE index, int b, int g, int r, int& eb, int& eg, int& er) {
                   const PALETTEENTRY& shown = q.entries[index];
                   eb = (b - shown.peBlue) >> 2;
                   eg = (g - shown.peGreen) >> 2;
                   er = (r - shown.peRed) >> 2;
               });
}

void CDitherer::LoadRow(std::vector<BYTE>& row, const BYTE* source, int pictureRow, int left,
                        int count) const {
    const std::size_t storedRow = m_height - 1 - static_cast<unsigned>(pictureRow);
    std::memcpy(row.data(), source + storedRow * SourceStride(m_width) + 3 * left, 3 * count);
}

void CDitherer::StoreIndices(const std::vector<BYTE>& row, BYTE* target, std::size_t stride,
                             int storedRow, int count) {
    std::memcpy(target + stride * storedRow, row.data(), count);
}

bool CDitherer::Dither(const BYTE* source, BYTE* target, int left, int top, int right, int bottom,
                       const CPalette& palette) {
    if (source == nullptr || target == nullptr || left < 0 || top < 0 || right <= left ||
        bottom <= top || static_cast<unsigned>(right) > m_width ||
        static_cast<unsigned>(bottom) > m_height) {
        return false;
    }
    const int width = right - left;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const Quantiser quantiser = ReadPalette(palette);
    BYTE* current = m_current.data();
    BYTE* next = m_next.data();
    if (bottom - top == 1) {
        LoadRow(m_current, source, top, left, width);
        std::memcpy(next, current, 3 * static_cast<std::size_t>(width));
        DitherRowWith(current, next, width, quantiser);
        StoreIndices(m_current, target, stride, 0, width);
        return true;
    }
    // Rows go top to bottom, each passing its error down; output rows land bottom-up.
    LoadRow(m_current, source, top, left, width);
    LoadRow(m_next, source, top + 1, left, width);
    for (int y = top; y < bottom - 2; ++y) {
        DitherRowWith(current, next, width, quantiser);
        StoreIndices(m_current, target, stride, bottom - 1 - y, width);
        std::memcpy(current, next, 3 * static_cast<std::size_t>(width));
        LoadRow(m_next, source, y + 2, left, width);
    }
    DitherRowWith(current, next, width, quantiser);
    StoreIndices(m_current, target, stride, 1, width);
    std::memcpy(current, next, 3 * static_cast<std::size_t>(width));
    // The error pushed below the last row has nowhere to go and is dropped.
    DitherRowWith(current, next, width, quantiser);
    StoreIndices(m_current, target, stride, 0, width);
    return true;
}

bool CDitherer::CreateDitherPalette(CPalette& palette) {
    std::vector<PALETTEENTRY> entries(kCubeSize, PALETTEENTRY{0, 0, 0, 0});
    if (!palette.IsCreated() &&
        !palette.CreatePalette(kPaletteVersion, entries.data(), kCubeSize)) {
        return false;
    }
    if (palette.GetEntryCount() != kCubeSize && !palette.ResizePalette(kCubeSize)) return false;
    // Eight red and green levels at k * 36.5 (truncated), four blue levels at b * 85.
    std::size_t i = 0;
    for (int red = 0; red * 36.5f < 256; ++red) {
        for (int green = 0; green * 36.5f < 256; ++green) {
            for (int blue = 0; blue < 4; ++blue) {
                entries[i++] =
                    PALETTEENTRY{static_cast<BYTE>(red * 36.5f), static_cast<BYTE>(green * 36.5f),
                                 static_cast<BYTE>(blue * 85), 0};
            }
        }
    }
    return palette.SetPaletteEntries(0, kCubeSize, entries.data()) == kCubeSize;
}
