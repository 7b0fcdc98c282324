#include "platform/draw/DibLayout.h"

#include <cstdlib>

bool DibLayout::Describe(const BITMAPINFO* info) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0) return false;
    switch (h.biBitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    width = h.biWidth;
    height = std::abs(h.biHeight);
    bottomUp = h.biHeight > 0;
    bitCount = h.biBitCount;
    stride = ((static_cast<std::size_t>(h.biBitCount) * width + 31) / 32) * 4;
    if (h.biBitCount <= 8) {
        colourCount = h.biClrUsed != 0 ? static_cast<int>(h.biClrUsed) : 1 << h.biBitCount;
        // The colour table follows the header, whatever header version it is.
        colours = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + h.biSize);
    }
    return true;
}

int DibLayout::IndexAt(const BYTE* row, int x) const {
    switch (bitCount) {
        case 8:
            return row[x];
        case 4:
            return (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        default:
            return 0;
    }
}

COLORREF DibLayout::PixelAt(const BYTE* row, int x) const {
    if (bitCount == 16) {
        // Five bits each of red, green and blue; the top bit is unused.
        const unsigned value = row[2 * x] | (row[2 * x + 1] << 8);
        auto widen = [](unsigned five) { return static_cast<BYTE>((five << 3) | (five >> 2)); };
        return RGB(widen((value >> 10) & 31), widen((value >> 5) & 31), widen(value & 31));
    }
    if (bitCount >= 24) {
        const BYTE* p = row + x * (bitCount / 8);
        return RGB(p[2], p[1], p[0]);
    }
    const int index = IndexAt(row, x);
    if (index >= colourCount) return 0;
    const RGBQUAD& q = colours[index];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}
