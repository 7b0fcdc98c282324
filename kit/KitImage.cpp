#include "KitImage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBe(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::size_t RowStride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
}

}  // namespace

std::vector<std::uint8_t> BmpInfoHeader(int width, int height, int bitCount,
                                        std::uint32_t colours) {
    std::vector<std::uint8_t> h;
    PutLe(h, 40, 4);
    PutLe(h, static_cast<std::uint32_t>(width), 4);
    PutLe(h, static_cast<std::uint32_t>(height), 4);
    PutLe(h, 1, 2);
    PutLe(h, static_cast<std::uint32_t>(bitCount), 2);
    PutLe(h, 0, 4);
    PutLe(h, static_cast<std::uint32_t>(RowStride(width, bitCount) * height), 4);
    PutLe(h, 2835, 4);
    PutLe(h, 2835, 4);
    PutLe(h, colours, 4);
    PutLe(h, 0, 4);
    return h;
}

std::vector<std::uint8_t> BmpFile(const std::vector<std::uint8_t>& info,
                                  const std::vector<std::uint8_t>& table,
                                  const std::vector<std::uint8_t>& rows) {
    const auto offset = static_cast<std::uint32_t>(14 + info.size() + table.size());
    std::vector<std::uint8_t> out;
    PutLe(out, 0x4D42, 2);
    PutLe(out, offset + static_cast<std::uint32_t>(rows.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, offset, 4);
    for (const std::vector<std::uint8_t>* part : {&info, &table, &rows})
        out.insert(out.end(), part->begin(), part->end());
    return out;
}

KitImage::KitImage(int width, int height, std::uint32_t rgb)
    : m_width(width), m_height(height), m_bgr(static_cast<std::size_t>(width) * height * 3) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Set(x, y, rgb);
}

std::uint32_t KitImage::Get(int x, int y) const {
    const std::uint8_t* p = &m_bgr[(static_cast<std::size_t>(y) * m_width + x) * 3];
    return (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) |
           p[0];
}

void KitImage::Set(int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = PixelBytes(x, y);
    p[0] = static_cast<std::uint8_t>(rgb);
    p[1] = static_cast<std::uint8_t>(rgb >> 8);
    p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

static std::vector<std::uint8_t> BottomUpRows(const KitImage& image) {
    const std::size_t stride = RowStride(image.Width(), 24);
    std::vector<std::uint8_t> rows(stride * image.Height(), 0);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* src = &image.Bytes()[static_cast<std::size_t>(y) * image.Width() * 3];
        std::copy_n(src, static_cast<std::size_t>(image.Width()) * 3,
                    &rows[stride * (image.Height() - 1 - y)]);
    }
    return rows;
}

std::vector<std::uint8_t> KitImage::EncodeBmp() const {
    return BmpFile(BmpInfoHeader(m_width, m_height, 24, 0), {}, BottomUpRows(*this));
}

std::vector<std::uint8_t> KitImage::EncodeScrambled() const {
    return ScrambleChunks({BmpInfoHeader(m_width, m_height, 24, 0), BottomUpRows(*this)});
}

bool KitImage::WriteBmp(const std::string& path) const {
    return WriteFileBytes(path, EncodeBmp());
}

bool KitImage::WriteScrambled(const std::string& path) const {
    return WriteFileBytes(path, EncodeScrambled());
}

std::vector<std::uint8_t> ScrambleChunks(const std::vector<std::vector<std::uint8_t>>& chunks) {
    const std::uint32_t tableLength = 4 + 8 * static_cast<std::uint32_t>(chunks.size());
    std::vector<std::uint8_t> out = {0xDD, 0xEE, 0xFF, 0xEE, 1};
    PutBe(out, tableLength);
    PutBe(out, static_cast<std::uint32_t>(chunks.size()));
    std::uint32_t offset = 9 + tableLength;
    for (const auto& chunk : chunks) {
        PutBe(out, offset);
        PutBe(out, static_cast<std::uint32_t>(chunk.size()));
        offset += static_cast<std::uint32_t>(chunk.size());
    }
    for (const auto& chunk : chunks) {
        const std::size_t length = chunk.size();
        for (std::size_t j = 0; j < length; ++j)
            out.push_back(static_cast<std::uint8_t>(
                chunk[j] ^ static_cast<std::uint8_t>((length - j) & 0xFF)));
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}
