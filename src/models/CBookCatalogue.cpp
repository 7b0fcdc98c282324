#include "models/CBookCatalogue.h"

#include <algorithm>

#include "models/CContentText.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CFile.h"

namespace {

// A catalogue line names a folder or a scrapbook; control bytes mean the file is damaged.
bool IsTextLine(const std::string& line) {
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

}  // namespace

bool CBookCatalogue::Read(const std::string& booksFolder) {
    m_lines.clear();
    std::string text;
    if (!CFile::ReadWholeFile(booksFolder + ContentPaths::kBookCatalogue, text)) {
        CContentReport::Report(booksFolder + ContentPaths::kBookCatalogue,
                               "cannot be read, so no book is shown; check that the file "
                               "exists and that the program may read it.");
        return false;
    }
    Parse(text, booksFolder);
    return true;
}

void CBookCatalogue::Parse(const std::string& text, const std::string& booksFolder) {
    m_lines.clear();
    int number = 0;
    for (const std::string& line : CContentText::Lines(text)) {
        ++number;
        if (line.empty()) continue;
        if (!IsTextLine(line)) {
            CContentReport::Report(booksFolder + ContentPaths::kBookCatalogue,
                                   "line " + std::to_string(number) +
                                       " is not text and is skipped; write one book folder "
                                       "or one scrapbook= line per line.");
            continue;
        }
        m_lines.push_back(ParseLine(line, booksFolder));
    }
}

CBookCatalogue::Line CBookCatalogue::ParseLine(std::string text, const std::string& booksFolder) {
    Line line;
    const std::string scrapbookKey = "scrapbook=";
    if (const std::size_t key = text.find(scrapbookKey); key != std::string::npos) {
        const std::string name = text.substr(key + scrapbookKey.size());
        line.isScrapbook = true;
        line.scrapbookFolder = booksFolder + name;
        line.indexFile = name + ".txt";
        return line;
    }
    std::replace(text.begin(), text.end(), '\\', '/');
    const std::size_t slash = text.find('/');
    line.isPath = slash != std::string::npos && slash + 1 < text.size();
    if (!line.isPath) {
        if (!text.empty() && text.back() == '/') text.pop_back();
        line.folder = booksFolder + text;
        line.descriptionFile = text + ".txt";
        return line;
    }
    if (text.back() == '/') text.pop_back();
    line.folder = text;
    line.descriptionFile = text.substr(text.rfind('/') + 1) + ".txt";
    return line;
}

const CBookCatalogue::Line* CBookCatalogue::GetFirstBook() const {
    for (const Line& line : m_lines)
        if (!line.isScrapbook) return &line;
    return nullptr;
}

const CBookCatalogue::Line* CBookCatalogue::GetScrapbook() const {
    const Line* found = nullptr;
    for (const Line& line : m_lines)
        if (line.isScrapbook) found = &line;
    return found;
}
