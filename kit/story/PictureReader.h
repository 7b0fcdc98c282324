#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "KitImage.h"

// Reads the 24-bit pictures the kit writes back: a plain BMP or the scrambled
// container, so checks and the contact sheet see the files as shipped.
class PictureReader {
  public:
    // Decodes a file image; "" on success, else what is wrong.
    static std::string Decode(const std::vector<std::uint8_t>& bytes, KitImage& image);
    static std::string Read(const std::string& path, KitImage& image);

  private:
    static std::string DecodeRows(const std::uint8_t* header, std::size_t headerSize,
                                  const std::uint8_t* rows, std::size_t rowBytes, KitImage& image);
    static std::string Unscramble(const std::vector<std::uint8_t>& bytes,
                                  std::vector<std::vector<std::uint8_t>>& chunks);
};
