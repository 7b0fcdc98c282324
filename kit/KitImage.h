#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A true-colour picture the kit draws into, rows top-down, 3 bytes a pixel in the
// bitmap order blue, green, red. Written out as a plain BMP or as the scrambled
// container the program also reads.
class KitImage {
  public:
    KitImage() = default;
    KitImage(int width, int height, std::uint32_t rgb = 0xFFFFFF);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixel access with colours as 0xRRGGBB.
    std::uint32_t Get(int x, int y) const;
    void Set(int x, int y, std::uint32_t rgb);
    std::uint8_t* PixelBytes(int x, int y) {
        return &m_bgr[(static_cast<std::size_t>(y) * m_width + x) * 3];
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_bgr; }

    // The picture as a 24-bit bottom-up BMP file image (40-byte header, rows padded to 4).
    std::vector<std::uint8_t> EncodeBmp() const;
    // The same header block and pixel rows as two chunks of the scrambled container.
    std::vector<std::uint8_t> EncodeScrambled() const;
    // Writes EncodeBmp() or EncodeScrambled() to `path`, creating missing folders; false on
    // failure.
    bool WriteBmp(const std::string& path) const;
    bool WriteScrambled(const std::string& path) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bgr;
};

// The 40-byte information header of an uncompressed bottom-up BMP of width × height at
// `bitCount` bits a pixel, whose colour table holds `colours` entries.
std::vector<std::uint8_t> BmpInfoHeader(int width, int height, int bitCount, std::uint32_t colours);
// A BMP file image: the file header, then the information header, colour table and rows.
std::vector<std::uint8_t> BmpFile(const std::vector<std::uint8_t>& info,
                                  const std::vector<std::uint8_t>& table,
                                  const std::vector<std::uint8_t>& rows);
// Writes bytes to a file, creating its folders; false on failure.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Writes text to a file exactly as given, creating its folders; false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);
// Packs chunks into the scrambled container (version 1, big-endian table, each chunk's
// byte j XORed with (length - j) mod 256).
std::vector<std::uint8_t> ScrambleChunks(const std::vector<std::vector<std::uint8_t>>& chunks);
