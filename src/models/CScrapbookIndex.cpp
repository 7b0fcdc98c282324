#include "models/CScrapbookIndex.h"

#include <algorithm>

#include "models/CContentText.h"

namespace {

constexpr const char* kNameKey = "bookname=";
constexpr const char* kEntryKey = "image=";
constexpr const char* kDefaultName = "scrapbook";

// The rest of `line` after the first occurrence of `key`, or false when it does not occur.
bool ValueOf(const std::string& line, const std::string& key, std::string& value) {
    const std::size_t found = line.find(key);
    if (found == std::string::npos) return false;
    value = line.substr(found + key.size());
    return true;
}

// An entry name is also a folder name inside the scrapbook folder: it must stay there.
bool IsUsableName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

}  // namespace

void CScrapbookIndex::Parse(const std::string& text) {
    m_name.clear();
    m_entryNames.clear();
    m_problems.clear();
    int garbage = 0, overLong = 0, unusable = 0, twice = 0;
    for (const std::string& line : CContentText::Lines(text)) {
        std::string value;
        if (line.size() > kMaxLineBytes)
            ++overLong;
        else if (ValueOf(line, kNameKey, value))
            m_name = value;
        else if (ValueOf(line, kEntryKey, value))
            AddEntryName(value, unusable, twice);
        else if (!line.empty())
            ++garbage;
    }
    Note(m_problems, garbage, "line(s) that are not index lines");
    Note(m_problems, overLong, "over-long line(s)");
    Note(m_problems, unusable, "entry name(s) that cannot be a folder of the scrapbook");
    Note(m_problems, twice, "entry name(s) listed more than once");
}

void CScrapbookIndex::AddEntryName(const std::string& name, int& unusable, int& twice) {
    if (!IsUsableName(name))
        ++unusable;
    else if (std::find(m_entryNames.begin(), m_entryNames.end(), name) != m_entryNames.end())
        ++twice;
    else
        m_entryNames.push_back(name);
}

void CScrapbookIndex::Note(std::vector<std::string>& problems, int count, const std::string& what) {
    if (count > 0) problems.push_back(std::to_string(count) + " " + what);
}

std::string CScrapbookIndex::Compose(const std::string& name,
                                     const std::vector<std::string>& entryNames) {
    std::string text = kNameKey + (name.empty() ? std::string(kDefaultName) : name) + "\r\n";
    for (const std::string& entry : entryNames) text += kEntryKey + entry + "\r\n";
    return text;
}
