#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture of one byte a pixel, rows top-down, written as an 8-bit BMP whose colour table
// is the 256 greys: a data layer that needs no more than a byte, at a third of the size of
// a true-colour one.
class KitGreyImage {
  public:
    KitGreyImage() = default;
    KitGreyImage(int width, int height, std::vector<std::uint8_t> values);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The picture as an 8-bit bottom-up BMP file image (40-byte header, 256 greys, rows
    // padded to 4).
    std::vector<std::uint8_t> EncodeBmp() const;
    // Writes EncodeBmp() to `path`, creating missing folders; false on failure.
    bool WriteBmp(const std::string& path) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_values;
};
