#include "KitGreyImage.h"

#include <utility>

#include "KitImage.h"

KitGreyImage::KitGreyImage(int width, int height, std::vector<std::uint8_t> values)
    : m_width(width), m_height(height), m_values(std::move(values)) {
    m_values.resize(static_cast<std::size_t>(width) * height, 0);
}

std::vector<std::uint8_t> KitGreyImage::EncodeBmp() const {
    constexpr std::uint32_t kColours = 256;
    std::vector<std::uint8_t> greys;
    for (std::uint32_t grey = 0; grey < kColours; ++grey)
        greys.insert(greys.end(), {static_cast<std::uint8_t>(grey), static_cast<std::uint8_t>(grey),
                                   static_cast<std::uint8_t>(grey), 0});
    const std::size_t stride = (static_cast<std::size_t>(m_width) + 3) / 4 * 4;
    std::vector<std::uint8_t> rows;
    rows.reserve(stride * m_height);
    for (int y = m_height - 1; y >= 0; --y) {
        const auto row = m_values.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        rows.insert(rows.end(), row, row + m_width);
        rows.resize(rows.size() + (stride - static_cast<std::size_t>(m_width)), 0);
    }
    return BmpFile(BmpInfoHeader(m_width, m_height, 8, kColours), greys, rows);
}

bool KitGreyImage::WriteBmp(const std::string& path) const {
    return WriteFileBytes(path, EncodeBmp());
}
