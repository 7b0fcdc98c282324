#include "imaging/CDib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

namespace {

constexpr DWORD kFileHeaderSize = sizeof(BITMAPFILEHEADER);
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
// A header block is never shorter than the info header and one colour-table entry.
constexpr DWORD kMinHeaderBlock = kInfoHeaderSize + 4;
// Info header, a full colour table and room for a gap before the pixels.
constexpr DWORD kMaxHeaderBlock = 64 * 1024;
constexpr WORD kPaletteVersion = 0x300;

const char* const kOpenFailed = "Failed to open bitmap file";
const char* const kShortFileHeader = "read error 1";
const char* const kInvalidFile = "Invalid bitmap file";
const char* const kReadError = "Read error 1";

// What the grown-ups are told about a picture file that is refused, after its path.
constexpr const char* kResave = " Save it again as an uncompressed 24-bit BMP picture.";
const char* const kCannotOpen =
    "cannot be opened, so it is left out; check that the picture exists and that the program "
    "may read it.";
const char* const kTooShort = "is too short to be a picture, so it is left out.";
const char* const kNotBmp = "is not a BMP picture, so it is left out.";
const char* const kCutShort = "ends before its last row of pixels, so it is left out.";
const char* const kCompressed = "is compressed or uses colour masks, so it is left out.";
const char* const kBadSize =
    "has a width or height of 0 or more than 16384 pixels, or more than 256 MiB of pixels, "
    "so it is left out.";
const char* const kBadDepth =
    "has a number of bits per pixel other than 1, 4, 8, 16, 24 or 32, so it is left out.";
const char* const kBadHeader =
    "has a header of a form the program does not read, or a colour table that does not fit, "
    "so it is left out.";
const char* const kDamagedContainer =
    "is a scrambled picture whose chunk table does not fit the file, so it is left out; "
    "render it again with the content kit.";
const char* const kShortContainer =
    "is a scrambled picture with fewer pixels than its header says, so it is left out; "
    "render it again with the content kit.";

bool IsSupportedBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

unsigned long long RowStride(int bitCount, long long width) {
    return ((static_cast<unsigned long long>(bitCount) * width + 31) / 32) * 4;
}

// Colour-table entries an image header calls for.
unsigned long long ColourCountOf(const BITMAPINFOHEADER& info) {
    if (info.biClrUsed != 0) return info.biClrUsed;
    return info.biBitCount <= 8 ? 1ull << info.biBitCount : 0;
}

// Pixel bytes the rows of an image header need.
unsigned long long RowsSize(const BITMAPINFOHEADER& info) {
    return RowStride(info.biBitCount, info.biWidth) * std::llabs(info.biHeight);
}

long long BytesLeft(CFile& file) {
    return file.GetLength() - file.GetPosition();
}

}  // namespace

CDib::CDib() = default;

CDib::~CDib() = default;

CDib::CDib(const CDib& other) : CObject() {
    CopyFrom(other);
}

CDib& CDib::operator=(const CDib& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

CDib::CDib(CDib&& other) noexcept : CObject() {
    MoveFrom(other);
}

CDib& CDib::operator=(CDib&& other) noexcept {
    if (this != &other) MoveFrom(other);
    return *this;
}

void CDib::Empty() {
    m_colourTable = nullptr;
    m_bits.reset();
    m_header.reset();
    m_headerSize = 0;
    m_imageSize = 0;
    m_colourCount = 0;
    m_palette.reset();
    m_ditherer.reset();
}

void CDib::CopyFrom(const CDib& other) {
    Empty();
    if (!other.IsValid()) return;
    m_header = std::make_unique_for_overwrite<BYTE[]>(other.m_headerSize);
    std::memcpy(m_header.get(), other.m_header.get(), other.m_headerSize);
    m_headerSize = other.m_headerSize;
    m_bits = std::make_unique_for_overwrite<BYTE[]>(std::max<DWORD>(other.m_imageSize, 1));
    std::memcpy(m_bits.get(), other.m_bits.get(), other.m_imageSize);
    m_imageSize = other.m_imageSize;
    m_colourTable = reinterpret_cast<RGBQUAD*>(m_header.get() + kInfoHeaderSize);
    m_colourCount = other.m_colourCount;
    MakePalette();
}

void CDib::MoveFrom(CDib& other) noexcept {
    Empty();
    m_colourTable = std::exchange(other.m_colourTable, nullptr);
    m_bits = std::move(other.m_bits);
    m_header = std::move(other.m_header);
    m_headerSize = std::exchange(other.m_headerSize, 0);
    m_imageSize = std::exchange(other.m_imageSize, 0);
    m_colourCount = std::exchange(other.m_colourCount, 0);
    m_palette = std::move(other.m_palette);
    m_ditherer = std::move(other.m_ditherer);
}

// ---- Reading ---------------------------------------------------------------------------

bool CDib::Load(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        Empty();
        AfxMessageBox(ChildMessage::ContentMissing, kOpenFailed);
        CContentReport::Report(path, kCannotOpen);
        return false;
    }
    return Read(file);
}

bool CDib::Load(const std::string* path) {
    if (path == nullptr) {
        Empty();
        AfxMessageBox(ChildMessage::ContentMissing, kOpenFailed);
        return false;
    }
    return Load(*path);
}

bool CDib::Read(CFile& file) {
    Empty();
    CEncrypt container;
    m_problem = nullptr;
    const bool ok = container.IsScrambled(file) ? ReadScrambled(file) : ReadPlain(file);
    if (!ok) {
        Empty();
        ReportProblem(file.GetFilePath());
    }
    return ok;
}

bool CDib::ReadPlain(CFile& file) {
    BITMAPFILEHEADER fileHeader;
    if (file.Read(&fileHeader, kFileHeaderSize) != kFileHeaderSize) {
        AfxMessageBox(ChildMessage::ContentMissing, kShortFileHeader);
        return Refuse(kTooShort);
    }
    if (fileHeader.bfType != BITMAP_FILE_TYPE || fileHeader.bfOffBits < kFileHeaderSize ||
        fileHeader.bfOffBits - kFileHeaderSize < kInfoHeaderSize ||
        fileHeader.bfOffBits - kFileHeaderSize > kMaxHeaderBlock) {
        AfxMessageBox(ChildMessage::ContentMissing, kInvalidFile);
        return Refuse(kNotBmp);
    }
    const DWORD headerBytes = fileHeader.bfOffBits - kFileHeaderSize;
    if (headerBytes > BytesLeft(file)) {
        AfxMessageBox(ChildMessage::ContentMissing, kReadError);
        return Refuse(kCutShort);
    }
    // A block of exactly the info header gets 4 spare bytes, room for one colour entry.
    const DWORD blockSize = std::max(headerBytes, kMinHeaderBlock);
    auto block = std::make_unique<BYTE[]>(blockSize);
    if (file.Read(block.get(), headerBytes) != headerBytes) {
        AfxMessageBox(ChildMessage::ContentMissing, kReadError);
        return Refuse(kCutShort);
    }
    if (!AdoptHeader(std::move(block), blockSize)) {
        AfxMessageBox(ChildMessage::ContentMissing, kInvalidFile);
        return false;  // AdoptHeader named the problem
    }
    if (m_imageSize > BytesLeft(file)) {
        AfxMessageBox(ChildMessage::ContentMissing, kReadError);
        return Refuse(kCutShort);
    }
    m_bits = std::make_unique_for_overwrite<BYTE[]>(m_imageSize);
    if (file.Read(m_bits.get(), m_imageSize) != m_imageSize) {
        AfxMessageBox(ChildMessage::ContentMissing, kReadError);
        return Refuse(kCutShort);
    }
    FlipTopDown();
    MakePalette();
    return true;
}

bool CDib::ReadScrambled(CFile& file) {
    CEncrypt container;
    std::vector<CEncrypt::Chunk> chunks;
    if (!container.Unscramble(file, chunks) || chunks.size() < 2) return Refuse(kDamagedContainer);
    CEncrypt::Chunk& header = chunks[0];
    if (header.length < kInfoHeaderSize) return Refuse(kDamagedContainer);
    std::unique_ptr<BYTE[]> block = std::move(header.bytes);
    DWORD blockSize = header.length;
    if (blockSize < kMinHeaderBlock) {
        auto padded = std::make_unique<BYTE[]>(kMinHeaderBlock);
        std::memcpy(padded.get(), block.get(), blockSize);
        block = std::move(padded);
        blockSize = kMinHeaderBlock;
    }
    if (!AdoptHeader(std::move(block), blockSize)) return false;
    if (chunks[1].length < m_imageSize) return Refuse(kShortContainer);
    m_bits = std::move(chunks[1].bytes);
    FlipTopDown();
    MakePalette();
    return true;
}

// Takes ownership of a header block, checks it and derives the image size, colour count
// and colour-table pointer. false (block kept for Empty) when the header is refused.
bool CDib::AdoptHeader(std::unique_ptr<BYTE[]> block, DWORD size) {
    m_header = std::move(block);
    m_headerSize = size;
    m_colourTable = reinterpret_cast<RGBQUAD*>(m_header.get() + kInfoHeaderSize);
    if (const char* problem = CheckHeader()) return Refuse(problem);
    const BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    m_imageSize = info.biSizeImage != 0 ? info.biSizeImage : static_cast<DWORD>(RowsSize(info));
    m_colourCount = static_cast<int>(ColourCountOf(info));
    return true;
}

// Every field the rest of the program trusts: the 40-byte form, a sensible size, a bit
// count it can address, uncompressed rows, and a colour table that fits in the block.
// Null when the header is accepted, else what is wrong with it.
const char* CDib::CheckHeader() const {
    const BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    const long long height = std::llabs(static_cast<long long>(info.biHeight));
    if (info.biSize != kInfoHeaderSize) return kBadHeader;
    if (info.biCompression != BI_RGB) return kCompressed;
    if (info.biWidth <= 0 || info.biWidth > kMaxSide || height == 0 || height > kMaxSide) {
        return kBadSize;
    }
    if (!IsSupportedBitCount(info.biBitCount)) return kBadDepth;
    const unsigned long long colours = ColourCountOf(info);
    if (colours > 256 || kInfoHeaderSize + 4 * colours > m_headerSize) return kBadHeader;
    const unsigned long long rows = RowsSize(info);
    if (rows > kMaxImageSize || info.biSizeImage > kMaxImageSize) return kBadSize;
    return info.biSizeImage == 0 || info.biSizeImage >= rows ? nullptr : kBadHeader;
}

bool CDib::Refuse(const char* problem) {
    m_problem = problem;
    return false;
}

void CDib::ReportProblem(const std::string& path) const {
    if (m_problem == nullptr) return;
    const bool scrambled = m_problem == kDamagedContainer || m_problem == kShortContainer;
    CContentReport::Report(path, std::string(m_problem) + (scrambled ? "" : kResave));
}

// Files stored top-down (negative height) are turned bottom-up so that every image in
// memory has the one layout.
void CDib::FlipTopDown() {
    BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    if (info.biHeight >= 0) return;
    info.biHeight = -info.biHeight;
    const std::size_t stride = GetStride();
    std::vector<BYTE> spare(stride);
    for (int top = 0, bottom = info.biHeight - 1; top < bottom; ++top, --bottom) {
        BYTE* a = m_bits.get() + stride * top;
        BYTE* b = m_bits.get() + stride * bottom;
        std::memcpy(spare.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, spare.data(), stride);
    }
}

void CDib::MakePalette() {
    m_palette.reset();
    if (m_colourCount == 0) return;
    std::vector<PALETTEENTRY> entries(m_colourCount);
    for (int i = 0; i < m_colourCount; ++i) {
        const RGBQUAD& q = m_colourTable[i];
        entries[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    m_palette = std::make_unique<CPalette>();
    m_palette->CreatePalette(kPaletteVersion, entries.data(), static_cast<UINT>(m_colourCount));
}

// ---- Writing and creating --------------------------------------------------------------

bool CDib::Write(CFile& file) const {
    if (!IsValid()) return false;
    const DWORD tableBytes = static_cast<DWORD>(m_colourCount) * 4;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = BITMAP_FILE_TYPE;
    fileHeader.bfSize = tableBytes + kInfoHeaderSize + m_imageSize + kFileHeaderSize;
    fileHeader.bfOffBits = tableBytes + kFileHeaderSize + kInfoHeaderSize;
    return file.Write(&fileHeader, kFileHeaderSize) &&
           file.Write(m_header.get(), kInfoHeaderSize + tableBytes) &&
           file.Write(m_bits.get(), m_imageSize);
}

// Replaces the file as a whole, so a failed save never leaves a half-written picture
// where a good one was.
bool CDib::Save(const std::string& path) const {
    if (!IsValid()) return false;
    CAtomicFile file;
    return file.Open(path) && Write(file) && file.Commit();
}

bool CDib::Create(int width, int height, int bitCount) {
    Empty();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        !IsSupportedBitCount(bitCount)) {
        return false;
    }
    const unsigned long long rows = RowStride(bitCount, width) * height;
    if (rows > kMaxImageSize) return false;
    const int colours = bitCount <= 8 ? 1 << bitCount : 0;
    m_headerSize = std::max<DWORD>(kInfoHeaderSize + 4 * colours, kMinHeaderBlock);
    m_header = std::make_unique<BYTE[]>(m_headerSize);
    BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    info.biSize = kInfoHeaderSize;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitCount);
    info.biSizeImage = static_cast<DWORD>(rows);
    m_colourTable = reinterpret_cast<RGBQUAD*>(m_header.get() + kInfoHeaderSize);
    for (int i = 0; i < colours; ++i) {
        const BYTE grey = static_cast<BYTE>(i * 255 / (colours - 1));
        m_colourTable[i] = RGBQUAD{grey, grey, grey, 0};
    }
    m_colourCount = colours;
    m_imageSize = static_cast<DWORD>(rows);
    m_bits = std::make_unique<BYTE[]>(m_imageSize);
    MakePalette();
    return true;
}

// ---- Queries and pixels ----------------------------------------------------------------

CSize CDib::GetSize() const {
    if (m_header == nullptr) return CSize(0, 0);
    const BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    return CSize(info.biWidth, info.biHeight);
}

int CDib::GetBitCount() const {
    return m_header == nullptr ? 0 : GetHeader()->bmiHeader.biBitCount;
}

DWORD CDib::GetStride() const {
    if (m_header == nullptr) return 0;
    const BITMAPINFOHEADER& info = GetHeader()->bmiHeader;
    return static_cast<DWORD>(RowStride(info.biBitCount, info.biWidth));
}

long long CDib::PixelOffset(int x, int y) const {
    if (!IsValid()) return -1;
    const CSize size = GetSize();
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return -1;
    const long long bytesPerPixel = GetBitCount() / 8;
    return static_cast<long long>(size.cy - 1 - y) * GetStride() + bytesPerPixel * x;
}

bool CDib::GetPixelBytes(int x, int y, BYTE out[3]) const {
    if (GetBitCount() < 8) return false;
    const long long offset = PixelOffset(x, y);
    if (offset < 0) return false;
    // The last pixels of an 8 or 16-bit image may sit at the very end of the bits.
    for (int i = 0; i < 3; ++i) {
        out[i] = offset + i < m_imageSize ? m_bits[offset + i] : 0;
    }
    return true;
}

int CDib::GetByte(int x, int y, int which) const {
    if (GetBitCount() < 8) return -1;
    const long long offset = PixelOffset(x, y);
    if (offset < 0 || offset + which >= m_imageSize) return -1;
    return m_bits[offset + which];
}

bool CDib::SetPixel(DWORD value, int x, int y) {
    if (GetBitCount() < 24) return false;
    const long long offset = PixelOffset(x, y);
    if (offset < 0) return false;
    BYTE* pixel = m_bits.get() + offset;
    pixel[0] = static_cast<BYTE>(value);
    pixel[1] = static_cast<BYTE>(value >> 8);
    pixel[2] = static_cast<BYTE>(value >> 16);
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------

bool CDib::Paint(CDC& dc, int x, int y, int width, int height, CPalette* palette) {
    if (!IsValid()) return false;
    const CSize size = GetSize();
    return Draw(dc, CRect(x, y, x + width, y + height), CRect(0, 0, size.cx, size.cy), palette);
}

bool CDib::PaintRect(CDC& dc, CPoint destPoint, CSize destSize, const CRect& sourceRect,
                     CPalette* palette) {
    if (!IsValid()) return false;
    return Draw(dc, CRect(destPoint, destSize), sourceRect, palette);
}

bool CDib::Draw(CDC& dc, const CRect& dest, const CRect& source, CPalette* palette) {
    const bool paletteDisplay = GetBitCount() > 8 && dc.GetDeviceCaps(BITSPIXEL) < 9 &&
                                palette != nullptr && palette->GetEntryCount() > 0;
    if (paletteDisplay && GetBitCount() == 24) return DrawDithered(dc, dest, source, *palette);
    if (paletteDisplay) {
        // 16 and 32-bit pictures are not dithered; the display maps them to the nearest
        // entries of the realised palette.
        dc.SelectPalette(palette, false);
        dc.RealizePalette();
    }
    const int height = GetSize().cy;
    return dc.StretchDIBits(dest.left, dest.top, dest.Width(), dest.Height(), source.left,
                            height - source.bottom, source.Width(), source.Height(), m_bits.get(),
                            GetHeader(), DIB_RGB_COLORS, SRCCOPY) != 0;
}

bool CDib::DrawDithered(CDC& dc, const CRect& dest, const CRect& source, CPalette& palette) {
    const CSize size = GetSize();
    CRect clipped;
    if (source.IsRectEmpty() || !clipped.IntersectRect(source, CRect(0, 0, size.cx, size.cy))) {
        return false;
    }
    // A source rectangle reaching past the picture keeps its scale: the destination shrinks
    // by the same proportion as the source.
    auto scale = [](int delta, int to, int from) {
        return static_cast<int>(static_cast<long long>(delta) * to / from);
    };
    const CRect target(
        dest.left + scale(clipped.left - source.left, dest.Width(), source.Width()),
        dest.top + scale(clipped.top - source.top, dest.Height(), source.Height()),
        dest.left + scale(clipped.right - source.left, dest.Width(), source.Width()),
        dest.top + scale(clipped.bottom - source.top, dest.Height(), source.Height()));
    const int width = clipped.Width();
    const int height = clipped.Height();
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
    std::vector<BYTE> indices(stride * height);
    if (m_ditherer == nullptr) m_ditherer = std::make_unique<CDitherer>(size.cx, size.cy);
    if (!m_ditherer->Dither(m_bits.get(), indices.data(), clipped.left, clipped.top, clipped.right,
                            clipped.bottom, palette)) {
        return false;
    }
    const UINT colours = std::min<UINT>(palette.GetEntryCount(), 256);
    std::vector<BYTE> block(kInfoHeaderSize + 4 * colours);
    BITMAPINFOHEADER info = GetHeader()->bmiHeader;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = 8;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    info.biClrUsed = colours;
    std::memcpy(block.data(), &info, kInfoHeaderSize);
    std::vector<PALETTEENTRY> entries(colours);
    palette.GetPaletteEntries(0, colours, entries.data());
    for (UINT i = 0; i < colours; ++i) {
        const RGBQUAD quad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        std::memcpy(block.data() + kInfoHeaderSize + 4 * i, &quad, 4);
    }
    dc.SelectPalette(&palette, false);
    dc.RealizePalette();
    return dc.StretchDIBits(target.left, target.top, target.Width(), target.Height(), 0, 0, width,
                            height, indices.data(),
                            reinterpret_cast<const BITMAPINFO*>(block.data()), DIB_RGB_COLORS,
                            SRCCOPY) != 0;
}
