#pragma once
#include <cstddef>

#include "platform/base/WinTypes.h"

// Direct, bounds-checked access to the pixels of an uncompressed bottom-up picture with
// 24 or 32 bits per pixel (the layers a scene is coloured with), or with 8 when asked for a
// view of bytes (a data layer of one byte a pixel). A view refuses pictures whose pixel
// buffer is shorter than their header claims, so no access can leave the buffer.
class CLayerView {
  public:
    CLayerView() = default;
    // Builds a view over `bits` (`size` bytes) described by `header`; an unusable picture
    // gives an invalid view (IsValid false, 0 × 0).
    CLayerView(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size);
    // A view of an 8-bit picture's bytes, whatever its colour table says they mean.
    static CLayerView OfBytes(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size);

    bool IsValid() const { return m_bits != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Address of pixel (x, y), y = 0 the top row; the caller checks Contains first.
    BYTE* At(int x, int y) const {
        return m_bits + static_cast<std::ptrdiff_t>(m_height - 1 - y) * m_stride +
               static_cast<std::ptrdiff_t>(x) * m_bytesPerPixel;
    }
    // Start of picture row y; pixels follow at BytesPerPixel() steps.
    BYTE* Row(int y) const { return At(0, y); }
    int BytesPerPixel() const { return m_bytesPerPixel; }
    // Views of the same pixels with the same layout.
    bool operator==(const CLayerView& other) const = default;

  private:
    CLayerView(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size, bool bytes);

    BYTE* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    std::ptrdiff_t m_stride = 0;
    int m_bytesPerPixel = 0;
};
