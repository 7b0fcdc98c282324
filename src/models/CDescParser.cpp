#include "models/CDescParser.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

// Offsets are ints in the interface; a text too long for them is clamped, never overrun.
int ClampOffset(std::size_t offset, std::size_t length) {
    return static_cast<int>(std::min({offset, length, static_cast<std::size_t>(INT_MAX)}));
}

// A key occurrence counts only when it starts exactly `column` bytes after the start of
// the searched text or `column` bytes after a line feed.
bool IsInColumn(std::string_view rest, std::size_t found, std::size_t column) {
    if (found < column) return false;
    if (found == column) return true;
    return rest[found - column - 1] == kLF;
}

}  // namespace

std::string CDescParser::GetValue(const std::string& text, const std::string& key, int startPos,
                                  int& nextPos, std::string& depthPrefix) const {
    const std::string prefix = depthPrefix;
    nextPos = startPos;
    depthPrefix.clear();
    if (startPos < 0 || static_cast<std::size_t>(startPos) >= text.size()) return "";

    const std::string entryKey = (!key.empty() && key.back() == '=') ? key : key + "=";
    const std::string_view rest = std::string_view(text).substr(static_cast<std::size_t>(startPos));
    const std::size_t found = rest.find(entryKey);
    if (found == std::string_view::npos || !IsInColumn(rest, found, prefix.size())) return "";

    const std::string_view entry = rest.substr(found);
    const std::size_t valueAt = entryKey.size();
    const std::size_t entryOffset = static_cast<std::size_t>(startPos) + found;

    if (valueAt < entry.size() && entry[valueAt] == kCR) {
        // A block: its body runs from the line after the key up to the line feed that
        // precedes this depth's terminator.
        const std::string terminator = std::string(1, kLF) + prefix + "]";
        const std::size_t bodyAt = valueAt + 2;
        const std::size_t end = entry.find(terminator, valueAt + 1);
        depthPrefix = prefix + "[";
        if (end == std::string_view::npos) {
            nextPos = ClampOffset(text.size(), text.size());
            return bodyAt < entry.size() ? std::string(entry.substr(bodyAt)) : "";
        }
        nextPos = ClampOffset(entryOffset + end + prefix.size() + 3, text.size());
        return end + 1 > bodyAt ? std::string(entry.substr(bodyAt, end + 1 - bodyAt)) : "";
    }

    // A simple entry: everything up to the carriage return, or to the end of the text when
    // the last line has none.
    const std::size_t lineEnd = entry.find(kCR, valueAt);
    if (lineEnd == std::string_view::npos) {
        nextPos = ClampOffset(text.size(), text.size());
        return std::string(entry.substr(valueAt));
    }
    nextPos = ClampOffset(entryOffset + lineEnd + 2, text.size());
    return std::string(entry.substr(valueAt, lineEnd - valueAt));
}

std::string CDescParser::GetValue(CFile& file, const std::string& key, int startPos, int& nextPos,
                                  std::string& depthPrefix) const {
    const long long length = file.GetLength();
    std::string text;
    bool complete = length >= 0 && length <= INT_MAX && file.SeekToBegin() == 0;
    if (complete) {
        text.resize(static_cast<std::size_t>(length));
        complete = file.Read(text.data(), static_cast<UINT>(length)) == static_cast<UINT>(length);
    }
    if (!complete) {
        nextPos = startPos;
        depthPrefix.clear();
        return "";
    }
    return GetValue(text, key, startPos, nextPos, depthPrefix);
}

std::string CDescParser::GetNumberedBlock(const std::string& text, int index, int& position,
                                          std::string& depthPrefix) const {
    depthPrefix.clear();
    int next = position;
    std::string block = GetValue(text, std::to_string(index), position, next, depthPrefix);
    position = next;
    return block;
}

int CDescParser::GetCount(const std::string& text, const std::string& key, int& position) const {
    std::string prefix;
    position = 0;
    return std::atoi(GetValue(text, key, 0, position, prefix).c_str());
}

int CDescParser::LoadNumberedBlocks(const std::string& text, int count, int position,
                                    const BlockLoader& load) const {
    std::string prefix;
    for (int i = 0; i < count; ++i) {
        const std::string block = GetNumberedBlock(text, i, position, prefix);
        if (!load(i, block, prefix)) return i;
    }
    return std::max(count, 0);
}
