#include "imaging/CEncrypt.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr DWORD kPreambleLength = 9;  // signature, version, table length
constexpr DWORD kEntryLength = 8;     // chunk offset, chunk length
constexpr UINT kBlockLength = 1024;

DWORD BigEndian32(const BYTE* p) {
    return (static_cast<DWORD>(p[0]) << 24) | (static_cast<DWORD>(p[1]) << 16) |
           (static_cast<DWORD>(p[2]) << 8) | static_cast<DWORD>(p[3]);
}

struct TableEntry {
    DWORD offset;
    DWORD length;
};

// Parses and checks the chunk table: a count N >= 1, a table of exactly 4 + 8N bytes, and
// chunks lying back to back right after the table within `fileLength` bytes.
bool ParseTable(const BYTE* table, DWORD tableLength, long long fileLength,
                std::vector<TableEntry>& entries) {
    if (tableLength < 4) return false;
    const DWORD count = BigEndian32(table);
    if (count == 0 || tableLength != 4 + kEntryLength * static_cast<unsigned long long>(count)) {
        return false;
    }
    unsigned long long expected = kPreambleLength + tableLength;
    entries.resize(count);
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = table + 4 + kEntryLength * i;
        entries[i] = {BigEndian32(entry), BigEndian32(entry + 4)};
        if (entries[i].offset != expected) return false;
        expected += entries[i].length;
    }
    return expected <= static_cast<unsigned long long>(fileLength);
}

// Reads `length` bytes in blocks of at most 1024; false when the file runs short.
bool ReadBlocks(CFile& file, BYTE* out, DWORD length) {
    DWORD done = 0;
    while (done < length) {
        const UINT want = std::min<DWORD>(kBlockLength, length - done);
        if (file.Read(out + done, want) != want) return false;
        done += want;
    }
    return true;
}

}  // namespace

bool CEncrypt::IsScrambled(CFile& file) const {
    if (file.Seek(0, CFile::begin) != 0) return false;
    BYTE head[4] = {};
    const UINT got = file.Read(head, sizeof head);
    file.Seek(0, CFile::begin);
    return got == sizeof head && std::memcmp(head, kSignature, sizeof head) == 0;
}

void CEncrypt::ScrambleBytes(BYTE* bytes, DWORD length) {
    // Byte j is XORed with (length - j) mod 256: the low byte of the length first, then
    // one less each byte, wrapping from 0 to 255.
    BYTE key = static_cast<BYTE>(length);
    for (DWORD j = 0; j < length; ++j) bytes[j] ^= key--;
}

bool CEncrypt::Unscramble(CFile& file, std::vector<Chunk>& chunks) const {
    chunks.clear();
    if (!IsScrambled(file)) return false;
    BYTE preamble[kPreambleLength];
    if (file.Read(preamble, kPreambleLength) != kPreambleLength || preamble[4] != 1) return false;
    const DWORD tableLength = BigEndian32(preamble + 5);
    if (tableLength > kMaxTableLength) return false;
    std::array<BYTE, kMaxTableLength> table{};
    if (file.Read(table.data(), tableLength) != tableLength) return false;
    std::vector<TableEntry> entries;
    if (!ParseTable(table.data(), tableLength, file.GetLength(), entries)) return false;

    std::vector<Chunk> unpacked(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Chunk& chunk = unpacked[i];
        chunk.length = entries[i].length;
        chunk.bytes = std::make_unique_for_overwrite<BYTE[]>(std::max<DWORD>(chunk.length, 1));
        if (!ReadBlocks(file, chunk.bytes.get(), chunk.length)) return false;
        ScrambleBytes(chunk.bytes.get(), chunk.length);
    }
    chunks = std::move(unpacked);
    return true;
}
