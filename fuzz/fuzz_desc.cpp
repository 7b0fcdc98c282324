// Feeds arbitrary description texts to the parser. The input's first bytes choose the key,
// the depth and the start offset; the rest is the text. Every block found is searched
// again with the prefix it returned, and repeated keys are walked through nextPos.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "models/CDescParser.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void Walk(const std::string& text, const std::string& key, int start, const std::string& prefix,
          int depthLeft) {
    const CDescParser parser;
    int pos = start;
    for (int repeat = 0; repeat < 64; ++repeat) {
        std::string found = prefix;
        int next = -1;
        const std::string value = parser.GetValue(text, key, pos, next, found);
        Check(next >= pos);
        Check(next <= static_cast<int>(text.size()) || next == pos);
        Check(value.size() <= text.size());
        Check(found.empty() || found == prefix + "[");
        if (value.empty() && next == pos) return;
        if (!found.empty() && depthLeft > 0) Walk(value, key, 0, found, depthLeft - 1);
        if (next == pos) return;
        pos = next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t depth = data[0] % 4;
    const std::size_t keyLength = data[1] % 16;
    if (size < 3 + keyLength) return 0;
    const std::string key(reinterpret_cast<const char*>(data) + 2, keyLength);
    const std::string text(reinterpret_cast<const char*>(data) + 2 + keyLength,
                           size - 2 - keyLength - 1);
    const int start = static_cast<int>(data[size - 1] % (text.size() + 2)) - 1;
    Walk(text, key, start, std::string(depth, '['), 4);
    return 0;
}
