#include "imaging/CDitherer.h"

#include <cstring>

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr int kCubeSize = 256;

BYTE Clamp(int value) {
    if (value < 0) return 0;
    if (value >= 255) return 255;
    return static_cast<BYTE>(value);
}

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
    // Blue rounds to the nearest of 4 levels; red and green are truncated to 8 levels.
    const int blueLevel = blue / 85 + (blue % 85 > 43 ? 1 : 0);
    return static_cast<BYTE>((red & 0xE0) + ((green >> 3) & 0xFC) + blueLevel);
}

CDitherer::EntryTable CDitherer::ReadEntries(const CPalette& palette) {
    // Entries a short palette lacks read as black.
    EntryTable entries{};
    palette.GetPaletteEntries(0, kCubeSize, entries.data());
    return entries;
}

void CDitherer::DitherRow(BYTE* current, BYTE* next, int count, const CPalette& palette) {
    const EntryTable entries = ReadEntries(palette);
    DitherRowWith(current, next, count, entries);
}

void CDitherer::DitherRowWith(BYTE* current, BYTE* next, int count, const EntryTable& entries) {
    for (int x = 0; x < count; ++x) {
        const BYTE* pixel = current + 3 * x;
        const int blue = pixel[0], green = pixel[1], red = pixel[2];
        const BYTE index = QuantiseIndex(pixel[0], pixel[1], pixel[2]);
        // Index x overwrites bytes that belong to pixels already quantised.
        current[x] = index;
        const PALETTEENTRY& shown = entries[index];
        // Arithmetic shifts: a negative error rounds towards minus infinity.
        const int errorBlue = (blue - shown.peBlue) >> 2;
        const int errorGreen = (green - shown.peGreen) >> 2;
        const int errorRed = (red - shown.peRed) >> 2;
        AddError(next + 3 * x, errorBlue, errorGreen, errorRed);
        AddError(current + 3 * x + 3, 2 * errorBlue, 2 * errorGreen, 2 * errorRed);
    }
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

BOOL CDitherer::Dither(const BYTE* source, BYTE* target, int left, int top, int right, int bottom,
                       const CPalette& palette) {
    if (source == nullptr || target == nullptr || left < 0 || top < 0 || right <= left ||
        bottom <= top || static_cast<unsigned>(right) > m_width ||
        static_cast<unsigned>(bottom) > m_height) {
        return FALSE;
    }
    const int width = right - left;
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    const EntryTable entries = ReadEntries(palette);
    BYTE* current = m_current.data();
    BYTE* next = m_next.data();
    if (bottom - top == 1) {
        LoadRow(m_current, source, top, left, width);
        std::memcpy(next, current, 3 * static_cast<std::size_t>(width));
        DitherRowWith(current, next, width, entries);
        StoreIndices(m_current, target, stride, 0, width);
        return TRUE;
    }
    // Rows go top to bottom, each passing its error down; output rows land bottom-up.
    LoadRow(m_current, source, top, left, width);
    LoadRow(m_next, source, top + 1, left, width);
    for (int y = top; y < bottom - 2; ++y) {
        DitherRowWith(current, next, width, entries);
        StoreIndices(m_current, target, stride, bottom - 1 - y, width);
        std::memcpy(current, next, 3 * static_cast<std::size_t>(width));
        LoadRow(m_next, source, y + 2, left, width);
    }
    DitherRowWith(current, next, width, entries);
    StoreIndices(m_current, target, stride, 1, width);
    std::memcpy(current, next, 3 * static_cast<std::size_t>(width));
    // The error pushed below the last row has nowhere to go and is dropped.
    DitherRowWith(current, next, width, entries);
    StoreIndices(m_current, target, stride, 0, width);
    return TRUE;
}

BOOL CDitherer::CreateDitherPalette(CPalette& palette) {
    std::vector<PALETTEENTRY> entries(kCubeSize, PALETTEENTRY{0, 0, 0, 0});
    if (!palette.IsCreated() &&
        !palette.CreatePalette(kPaletteVersion, entries.data(), kCubeSize)) {
        return FALSE;
    }
    if (palette.GetEntryCount() != kCubeSize && !palette.ResizePalette(kCubeSize)) return FALSE;
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
