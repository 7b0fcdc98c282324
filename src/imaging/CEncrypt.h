#pragma once
#include <memory>
#include <vector>

#include "platform/base/CObject.h"
#include "platform/base/WinTypes.h"
#include "platform/files/CFile.h"

// Reader of the scrambled bitmap container: a big-endian chunk table followed by the
// chunks back to back, each byte XORed with a sequence that depends only on the chunk's
// length. Every table field is checked against the file before anything is allocated.
class CEncrypt : public CObject {
  public:
    // One unpacked chunk; it owns its bytes.
    struct Chunk {
        std::unique_ptr<BYTE[]> bytes;
        DWORD length = 0;
    };

    static constexpr BYTE kSignature[4] = {0xDD, 0xEE, 0xFF, 0xEE};
    static constexpr DWORD kMaxTableLength = 1024;

    // True when the file starts with the container signature; the file is left at 0.
    bool IsScrambled(CFile& file) const;
    // Unpacks every chunk of the container at the start of `file` into `chunks`.
    // On failure returns false with `chunks` empty.
    bool Unscramble(CFile& file, std::vector<Chunk>& chunks) const;

    // The XOR that scrambles and unscrambles a chunk in place (the same operation both ways).
    static void ScrambleBytes(BYTE* bytes, DWORD length);
};
