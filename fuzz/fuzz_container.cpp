// Feeds arbitrary bytes to the scrambled-container reader through a file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/CEncrypt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_container_" + std::to_string(getpid()) + ".bin";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return 0;
    CEncrypt container;
    std::vector<CEncrypt::Chunk> chunks;
    if (!container.Unscramble(file, chunks)) return 0;
    // Scrambling each chunk again must give back exactly the bytes stored after the table.
    std::size_t offset = 9 + 4 + 8 * chunks.size();
    for (CEncrypt::Chunk& chunk : chunks) {
        if (offset + chunk.length > size) __builtin_trap();
        CEncrypt::ScrambleBytes(chunk.bytes.get(), chunk.length);
        if (std::memcmp(chunk.bytes.get(), data + offset, chunk.length) != 0) __builtin_trap();
        offset += chunk.length;
    }
    return 0;
}
