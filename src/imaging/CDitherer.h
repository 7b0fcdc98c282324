#pragma once
#include <array>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/WinTypes.h"
#include "platform/draw/CPalette.h"

// Converts 24-bit pictures to 8-bit indices into the colour cube (8 red x 8 green x
// 4 blue levels) with an error diffusion that sends half of a pixel's error to its right
// neighbour and a quarter to the pixel below. Works a row at a time with two buffers.
class CDitherer : public CObject {
  public:
    // Sized for a source picture of `width` x `height` pixels.
    CDitherer(unsigned width, unsigned height);

    unsigned GetWidth() const { return m_width; }
    unsigned GetHeight() const { return m_height; }

    // Dithers the picture rectangle [left, right) x [top, bottom) (top = 0 is the top row) of
    // the bottom-up 24-bit `source` (this ditherer's size) into the bottom-up 8-bit
    // `target` of (right - left) x (bottom - top) pixels, rows padded to 4 bytes.
    // Rectangles outside the picture or empty are refused (false, nothing written).
    bool Dither(const BYTE* source, BYTE* target, int left, int top, int right, int bottom,
                const CPalette& palette);

    // Quantises `count` pixels (blue, green, red) of `current` in place: index x lands in
    // byte x; the error goes to pixel x + 1 of `current` and pixel x of `next`. Both
    // buffers need 3 x count + 3 bytes.
    static void DitherRow(BYTE* current, BYTE* next, int count, const CPalette& palette);

    // Fills `palette` with the 256-entry colour cube: index = r * 32 + g * 4 + b.
    static bool CreateDitherPalette(CPalette& palette);

    // The colour-cube index a pixel (blue, green, red) quantises to.
    static BYTE QuantiseIndex(BYTE blue, BYTE green, BYTE red);

  private:
    // The palette read once per call. When every entry's red, green and blue depend only on
    // the index's red, green and blue bits (as in the colour cube), the quarter errors are
    // tabulated per channel value, which gives the same results with a shorter chain.
    struct Quantiser {
        std::array<PALETTEENTRY, 256> entries{};
        bool separable = false;
        std::array<short, 256> quarterErrorBlue{};
        std::array<short, 256> quarterErrorGreen{};
        std::array<short, 256> quarterErrorRed{};
    };
    static Quantiser ReadPalette(const CPalette& palette);
    static void DitherRowWith(BYTE* current, BYTE* next, int count, const Quantiser& quantiser);
    void LoadRow(std::vector<BYTE>& row, const BYTE* source, int pictureRow, int left,
                 int count) const;
    static void StoreIndices(const std::vector<BYTE>& row, BYTE* target, std::size_t stride,
                             int storedRow, int count);

    std::vector<BYTE> m_current;
    std::vector<BYTE> m_next;
    unsigned m_width;
    unsigned m_height;
};
