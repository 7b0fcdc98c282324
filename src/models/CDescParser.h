#pragma once
#include <functional>
#include <string>

#include "platform/base/CObject.h"
#include "platform/files/CFile.h"

// Reader of description files: CR LF lines of key=value, where a key line that ends right
// after its "=" opens a block closed by a line of d "[" and one "]" (d = the block's depth).
// Callers ask for one key at a time and walk repeated keys through `nextPos`. The parser
// keeps no state; every lookup stays inside the text it was given.
class CDescParser : public CObject {
  public:
    // Looks up `key` (with or without its trailing "=") in `text` from byte `startPos`, at
    // the column given by the length of `depthPrefix`. Returns the value, or "" when the
    // key is absent or not in its column. `nextPos` receives the offset to continue from
    // (`startPos` on failure). `depthPrefix` comes back one "[" longer when the value is a
    // block (the prefix for the keys inside it) and empty otherwise.
    std::string GetValue(const std::string& text, const std::string& key, int startPos,
                         int& nextPos, std::string& depthPrefix) const;
    // The number under `key` from the start of `text` (0 when absent); `position` comes back
    // just after it, where the numbered blocks that it counts begin.
    int GetCount(const std::string& text, const std::string& key, int& position) const;
    // Hands the blocks numbered 0 to count - 1 to `load` in turn, stopping at the first it
    // refuses; returns how many it took.
    using BlockLoader =
        std::function<bool(int index, const std::string& block, const std::string& prefix)>;
    int LoadNumberedBlocks(const std::string& text, int count, int position,
                           const BlockLoader& load) const;
    // The block keyed by the number `index` at or after `position`, which moves past it
    // when found; `depthPrefix` as above.
    std::string GetNumberedBlock(const std::string& text, int index, int& position,
                                 std::string& depthPrefix) const;

    // The same lookup on the whole contents of an open file; a short read fails the lookup.
    std::string GetValue(CFile& file, const std::string& key, int startPos, int& nextPos,
                         std::string& depthPrefix) const;
};
