#pragma once
// Test-side writers of bitmap files and scrambled containers, built from first principles
// so that they check the reader rather than repeat it.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/window/MessageBox.h"
#include "platform/base/WinTypes.h"

using Bytes = std::vector<BYTE>;

struct BmpLayout {
    int width = 3;
    int height = 2;
    int bitCount = 24;
    bool topDown = false;
    DWORD clrUsed = 0;
};

inline int TableEntries(const BmpLayout& s) {
    if (s.clrUsed != 0) return static_cast<int>(s.clrUsed);
    return s.bitCount <= 8 ? 1 << s.bitCount : 0;
}
inline int Stride(const BmpLayout& s) {
    return (s.bitCount * s.width + 31) / 32 * 4;
}
// Byte i of picture row y: a pattern that differs between rows and positions.
inline BYTE Pattern(int i, int y) {
    return static_cast<BYTE>(i * 7 + y * 31 + 5);
}

template <class T>
void Put(Bytes& out, T value) {
    const auto* p = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

// A plain BMP: file header, 40-byte info header, colour table, rows filled with Pattern.
inline Bytes MakeBmp(const BmpLayout& s) {
    const int entries = TableEntries(s);
    const DWORD offBits = 54 + 4 * entries;
    const DWORD rows = static_cast<DWORD>(Stride(s) * s.height);
    Bytes out;
    Put<WORD>(out, 0x4D42), Put<DWORD>(out, offBits + rows), Put<DWORD>(out, 0);
    Put<DWORD>(out, offBits);
    BITMAPINFOHEADER info{40,
                          s.width,
                          s.topDown ? -s.height : s.height,
                          1,
                          static_cast<WORD>(s.bitCount),
                          0,
                          0,
                          0,
                          0,
                          s.clrUsed,
                          0};
    Put(out, info);
    for (int i = 0; i < entries; ++i) Put(out, RGBQUAD{BYTE(i), BYTE(2 * i), BYTE(255 - i), 0});
    for (int stored = 0; stored < s.height; ++stored) {
        const int y = s.topDown ? stored : s.height - 1 - stored;
        for (int i = 0; i < Stride(s); ++i) out.push_back(Pattern(i, y));
    }
    return out;
}

inline void PutBigEndian(Bytes& out, DWORD v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(BYTE(v >> shift));
}

// A version-1 container holding `chunks`, each byte j XORed with (length - j) mod 256.
inline Bytes MakeContainer(const std::vector<Bytes>& chunks) {
    Bytes out{0xDD, 0xEE, 0xFF, 0xEE, 1};
    const DWORD table = 4 + 8 * static_cast<DWORD>(chunks.size());
    PutBigEndian(out, table);
    PutBigEndian(out, static_cast<DWORD>(chunks.size()));
    DWORD offset = 9 + table;
    for (const Bytes& c : chunks) {
        PutBigEndian(out, offset);
        PutBigEndian(out, static_cast<DWORD>(c.size()));
        offset += static_cast<DWORD>(c.size());
    }
    for (const Bytes& c : chunks) {
        for (std::size_t j = 0; j < c.size(); ++j) out.push_back(c[j] ^ BYTE(c.size() - j));
    }
    return out;
}

// The header block and the rows of a plain BMP as the two chunks of a container.
inline Bytes ContainerOf(const Bytes& bmp) {
    DWORD offBits;
    std::memcpy(&offBits, bmp.data() + 10, 4);
    return MakeContainer(
        {Bytes(bmp.begin() + 14, bmp.begin() + offBits), Bytes(bmp.begin() + offBits, bmp.end())});
}

inline std::string TempPath(const std::string& name) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("talewick_imaging_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

inline std::string WriteTemp(const std::string& name, const Bytes& bytes) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

inline Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Records message boxes for the life of the object.
class MessageRecorder {
  public:
    MessageRecorder()
        : m_previous(SetMessageBoxHandler(
              [this](ChildMessage, const std::string& t) { texts.push_back(t); })) {}
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    std::vector<std::string> texts;

  private:
    MessageBoxHandler m_previous;
};
