#include "story/PictureReader.h"

#include <fstream>
#include <iterator>

namespace {

std::uint32_t Le(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

std::uint32_t Be(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

}  // namespace

std::string PictureReader::Read(const std::string& path, KitImage& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot open " + path;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const std::string problem = Decode(bytes, image);
    return problem.empty() ? "" : path + ": " + problem;
}

std::string PictureReader::Decode(const std::vector<std::uint8_t>& bytes, KitImage& image) {
    if (bytes.size() >= 4 && bytes[0] == 0xDD && bytes[1] == 0xEE && bytes[2] == 0xFF &&
        bytes[3] == 0xEE) {
        std::vector<std::vector<std::uint8_t>> chunks;
        const std::string problem = Unscramble(bytes, chunks);
        if (!problem.empty()) return problem;
        return DecodeRows(chunks[0].data(), chunks[0].size(), chunks[1].data(), chunks[1].size(),
                          image);
    }
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return "not a bitmap file";
    const std::uint32_t offBits = Le(&bytes[10], 4);
    if (offBits < 54 || offBits > bytes.size()) return "bad pixel offset";
    return DecodeRows(&bytes[14], offBits - 14, &bytes[offBits], bytes.size() - offBits, image);
}

std::string PictureReader::DecodeRows(const std::uint8_t* header, std::size_t headerSize,
                                      const std::uint8_t* rows, std::size_t rowBytes,
                                      KitImage& image) {
    if (headerSize < 40) return "short header";
    const int width = static_cast<int>(Le(header + 4, 4));
    const int height = static_cast<int>(Le(header + 8, 4));
    if (Le(header + 14, 2) != 24 || width <= 0 || height <= 0 || Le(header + 16, 4) != 0)
        return "not an uncompressed 24-bit bottom-up picture";
    const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
    if (rowBytes < stride * height) return "pixel data is short";
    image = KitImage(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rows + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            image.Set(x, y,
                      (std::uint32_t{row[3 * x + 2]} << 16) | (std::uint32_t{row[3 * x + 1]} << 8) |
                          row[3 * x]);
    }
    return "";
}

std::string PictureReader::Unscramble(const std::vector<std::uint8_t>& bytes,
                                      std::vector<std::vector<std::uint8_t>>& chunks) {
    if (bytes.size() < 13 || bytes[4] != 1) return "bad container header";
    const std::uint32_t tableLength = Be(&bytes[5]);
    if (tableLength < 4 || tableLength > 1024 || 9 + tableLength > bytes.size())
        return "bad container table";
    const std::uint32_t count = Be(&bytes[9]);
    if (count < 2 || 4 + 8 * count != tableLength)
        return "container needs a header and a pixel chunk";
    std::size_t at = 9 + tableLength;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t length = Be(&bytes[13 + 8 * i + 4]);
        if (at + length > bytes.size()) return "container chunk is short";
        std::vector<std::uint8_t> chunk(length);
        for (std::uint32_t j = 0; j < length; ++j)
            chunk[j] = bytes[at + j] ^ static_cast<std::uint8_t>((length - j) & 0xFF);
        chunks.push_back(std::move(chunk));
        at += length;
    }
    return "";
}
