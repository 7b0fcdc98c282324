#pragma once
#include <memory>
#include <string>

#include "imaging/CDitherer.h"
#include "imaging/CEncrypt.h"
#include "platform/base/CObject.h"
#include "platform/base/CPoint.h"
#include "platform/base/CRect.h"
#include "platform/base/CSize.h"
#include "platform/base/WinTypes.h"
#include "platform/draw/CDC.h"
#include "platform/draw/CPalette.h"
#include "platform/files/CFile.h"

// A device-independent bitmap in memory: a header block (a 40-byte BITMAPINFOHEADER and
// its colour table) and bottom-up pixel rows padded to 4 bytes. Picture row y (0 = top) is
// stored row height - 1 - y; a 24-bit pixel's bytes are blue, green, red.
//
// Reads plain BMP files and the scrambled container, writes plain BMP files, and draws to
// a device context (dithered to a palette on displays of 8 bits or fewer). Every header
// field of a file is checked before it is trusted: a refused file leaves the image
// empty (not valid), and an image that is not valid draws nothing.
class CDib : public CObject {
  public:
    // Largest accepted picture: 16384 pixels a side and 256 MiB of pixel data.
    static constexpr int kMaxSide = 16384;
    static constexpr unsigned long long kMaxImageSize = 256ull << 20;

    CDib();
    ~CDib() override;
    // Copies (undo snapshots): header block and bits are duplicated, a new palette built.
    CDib(const CDib& other);
    CDib& operator=(const CDib& other);
    CDib(CDib&& other) noexcept;
    CDib& operator=(CDib&& other) noexcept;

    // Loading and saving: 1 on success, 0 on failure (with the user told why, and the
    // grown-ups told the file's path and the reason it was refused).
    bool Read(CFile& file);
    bool Load(const std::string& path);
    bool Load(const std::string* path);
    bool Write(CFile& file) const;
    bool Save(const std::string& path) const;
    // A blank valid image with zero pixels (colour table: a grey ramp for 1, 4 and 8 bits).
    bool Create(int width, int height, int bitCount = 24);
    // Frees everything; the image is empty and not valid.
    void Empty();

    // Queries.
    CSize GetSize() const;
    bool IsValid() const { return m_header != nullptr && m_bits != nullptr; }
    BITMAPINFO* GetHeader() { return reinterpret_cast<BITMAPINFO*>(m_header.get()); }
    const BITMAPINFO* GetHeader() const {
        return reinterpret_cast<const BITMAPINFO*>(m_header.get());
    }
    BYTE* GetBits() { return m_bits.get(); }
    const BYTE* GetBits() const { return m_bits.get(); }
    RGBQUAD* GetColourTable() { return m_colourTable; }
    CPalette* GetPalette() { return m_palette.get(); }
    DWORD GetHeaderSize() const { return m_headerSize; }
    DWORD GetImageSize() const { return m_imageSize; }
    int GetColourCount() const { return m_colourCount; }
    int GetBitCount() const;
    // Bytes from one stored row to the next.
    DWORD GetStride() const;

    // Pixel access: failure (0 or -1) for an invalid image or a point outside the picture.
    bool GetPixelBytes(int x, int y, BYTE out[3]) const;
    int GetByte0(int x, int y) const { return GetByte(x, y, 0); }
    int GetByte1(int x, int y) const { return GetByte(x, y, 1); }
    int GetByte2(int x, int y) const { return GetByte(x, y, 2); }
    // Writes bits 0-7, 8-15 and 16-23 of `value` to the pixel's bytes 0, 1 and 2 (24 and
    // 32-bit images only).
    bool SetPixel(DWORD value, int x, int y);

    // Drawing with SRCCOPY. Paint stretches the whole image into (x, y, width, height);
    // PaintRect stretches `sourceRect` (picture coordinates) into (destPoint, destSize).
    // A true-colour image on a device of 8 bits or fewer is dithered to `palette`.
    bool Paint(CDC& dc, int x, int y, int width, int height, CPalette* palette);
    bool PaintRect(CDC& dc, CPoint destPoint, CSize destSize, const CRect& sourceRect,
                   CPalette* palette);

  private:
    bool ReadPlain(CFile& file);
    bool ReadScrambled(CFile& file);
    bool AdoptHeader(std::unique_ptr<BYTE[]> block, DWORD size);
    const char* CheckHeader() const;
    // Notes why the file being read is refused; always false.
    bool Refuse(const char* problem);
    // Tells the grown-ups why the file at `path` was refused.
    void ReportProblem(const std::string& path) const;
    bool DeriveFields(unsigned long long available);
    void FlipTopDown();
    void MakePalette();
    void CopyFrom(const CDib& other);
    void MoveFrom(CDib& other) noexcept;

    // Byte offset of pixel (x, y) and how many of its bytes lie inside the bits; -1 when
    // the image is not valid or the point is outside.
    long long PixelOffset(int x, int y) const;
    int GetByte(int x, int y, int which) const;

    bool Draw(CDC& dc, const CRect& dest, const CRect& source, CPalette* palette);
    bool DrawDithered(CDC& dc, const CRect& dest, const CRect& source, CPalette& palette);

    RGBQUAD* m_colourTable = nullptr;
    std::unique_ptr<BYTE[]> m_bits;
    std::unique_ptr<BYTE[]> m_header;
    DWORD m_headerSize = 0;
    DWORD m_imageSize = 0;
    int m_colourCount = 0;
    std::unique_ptr<CPalette> m_palette;
    std::unique_ptr<CDitherer> m_ditherer;
    // Why the last Read refused its file; null after a good one.
    const char* m_problem = nullptr;
};
