#include "KitGreyImage.h"

#include <utility>

#include "KitImage.h"

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

constexpr std::uint32_t kColours = 256;
constexpr std::uint32_t kPixelOffset = 14 + 40 + kColours * 4;

}  // namespace

KitGreyImage::KitGreyImage(int width, int height, std::vector<std::uint8_t> values)
    : m_width(width), m_height(height), m_values(std::move(values)) {
    m_values.resize(static_cast<std::size_t>(width) * height, 0);
}

std::vector<std::uint8_t> KitGreyImage::EncodeBmp() const {
    const std::size_t stride = (static_cast<std::size_t>(m_width) + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * m_height);
    std::vector<std::uint8_t> out;
    PutLe(out, 0x4D42, 2);
    PutLe(out, kPixelOffset + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, kPixelOffset, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(m_width), 4);
    PutLe(out, static_cast<std::uint32_t>(m_height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 8, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, kColours, 4);
    PutLe(out, 0, 4);
    for (std::uint32_t grey = 0; grey < kColours; ++grey)
        PutLe(out, grey << 16 | grey << 8 | grey, 4);
    for (int y = m_height - 1; y >= 0; --y) {
        const auto row = m_values.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        out.insert(out.end(), row, row + m_width);
        out.resize(out.size() + (stride - static_cast<std::size_t>(m_width)), 0);
    }
    return out;
}

bool KitGreyImage::WriteBmp(const std::string& path) const {
    return WriteFileBytes(path, EncodeBmp());
}
