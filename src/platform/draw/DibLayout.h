#pragma once
#include <cstddef>

#include "platform/base/WinTypes.h"

// Where an uncompressed device-independent bitmap's pixels are and how to read them: the
// one reading of bitmap rows that every device context shares.
struct DibLayout {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bitCount = 0;
    std::size_t stride = 0;
    const RGBQUAD* colours = nullptr;
    int colourCount = 0;

    // Reads the header; false for compressed pictures, empty sizes and depths other than
    // 1, 4, 8, 16 (five bits each of red, green and blue), 24 and 32 bits.
    bool Describe(const BITMAPINFO* info);
    // The stored row that holds picture row `y` counted from the top.
    int StoredRow(int y) const { return bottomUp ? height - 1 - y : y; }
    // The first byte of stored row `storedRow`.
    const BYTE* Row(const BYTE* bits, int storedRow) const { return bits + stride * storedRow; }
    // The colour-table index of pixel `x` in a stored row of a 1-, 4- or 8-bit picture.
    int IndexAt(const BYTE* row, int x) const;
    // The colour of pixel `x` in a stored row; black for an index past the colour table.
    COLORREF PixelAt(const BYTE* row, int x) const;
};
