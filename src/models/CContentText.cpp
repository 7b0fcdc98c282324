#include "models/CContentText.h"

#include "platform/files/CContentReport.h"
#include "platform/files/CFile.h"
#include "platform/window/MessageBox.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

// Length of the line end at `at`, 0 when none starts there. CR LF is one end, and so are
// several CRs before an LF: that is what converting CR LF text twice leaves behind.
std::size_t LineEndLength(std::string_view text, std::size_t at) {
    if (text[at] == kLF) return 1;
    if (text[at] != kCR) return 0;
    std::size_t end = at;
    while (end < text.size() && text[end] == kCR) ++end;
    return end < text.size() && text[end] == kLF ? end + 1 - at : 1;
}

}  // namespace

std::vector<std::string> CContentText::Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = LineEndLength(text, at);
        if (end == 0) {
            ++at;
            continue;
        }
        lines.emplace_back(text.substr(start, at - start));
        at += end;
        start = at;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string CContentText::WithCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16 + 2);
    for (const std::string& line : Lines(text)) {
        result += line;
        result += "\r\n";
    }
    return result;
}

bool CContentText::Read(const std::string& path, std::string& text) {
    std::string raw;
    if (!CFile::ReadWholeFile(path, raw)) {
        text.clear();
        return false;
    }
    text = WithCrLf(raw);
    return true;
}

bool CContentText::ReadCatalogue(const std::string& path, const std::string& things,
                                 std::string& text) {
    if (Read(path, text)) return true;
    CContentReport::Report(path, "cannot be read, so there are no " + things +
                                     "; check that the file exists and that the program "
                                     "may read it.");
    AfxMessageBox(ChildMessage::ContentMissing, "The " + things + " cannot be found.");
    return false;
}
