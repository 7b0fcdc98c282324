#include "models/CBookCatalogue.h"

#include <algorithm>

#include "platform/files/CFile.h"

bool CBookCatalogue::Read(const std::string& booksFolder) {
    m_lines.clear();
    CFile file;
    if (!file.Open(booksFolder + ContentPaths::kBookCatalogue, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    std::string text;
    char buffer[4096];
    for (UINT got = 0; (got = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    Parse(text, booksFolder);
    return true;
}

void CBookCatalogue::Parse(const std::string& text, const std::string& booksFolder) {
    m_lines.clear();
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        // The byte before the LF is the CR.
        const std::size_t length = end > start ? end - start - 1 : 0;
        if (length == 0) continue;
        m_lines.push_back(ParseLine(text.substr(start, length), booksFolder));
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
