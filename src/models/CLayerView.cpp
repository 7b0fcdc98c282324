#include "models/CLayerView.h"

CLayerView::CLayerView(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size)
    : CLayerView(header, bits, size, false) {}

CLayerView CLayerView::OfBytes(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size) {
    return CLayerView(header, bits, size, true);
}

CLayerView::CLayerView(const BITMAPINFOHEADER* header, BYTE* bits, std::size_t size, bool bytes) {
    if (header == nullptr || bits == nullptr) return;
    const int bitCount = header->biBitCount;
    const bool depthFits = bytes ? bitCount == 8 : bitCount == 24 || bitCount == 32;
    if (!depthFits || header->biCompression != BI_RGB) return;
    if (header->biWidth <= 0 || header->biHeight <= 0) return;
    const long long bytesPerPixel = bitCount / 8;
    const long long stride = (bytesPerPixel * header->biWidth + 3) / 4 * 4;
    if (stride * header->biHeight > static_cast<long long>(size)) return;
    m_bits = bits;
    m_width = header->biWidth;
    m_height = header->biHeight;
    m_stride = static_cast<std::ptrdiff_t>(stride);
    m_bytesPerPixel = static_cast<int>(bytesPerPixel);
}
