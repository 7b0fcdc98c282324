#pragma once
#include <string>
#include <vector>

#include "resources/ContentPaths.h"

// The books catalogue ("books.txt" in the books folder): which book the screen opens and
// which scrapbook goes with it. Lines may end in CR LF, LF or CR, the last one without an
// end counts too; empty lines are skipped and damaged lines reported and skipped.
class CBookCatalogue {
  public:
    static constexpr const char* kBooksFolder = ContentPaths::kBooks;

    struct Line {
        bool isScrapbook = false;
        // A book named by a path (a "/" before its last character) rather than a plain name.
        bool isPath = false;
        // Book lines: the book's folder and its description file inside it.
        std::string folder;
        std::string descriptionFile;
        // Scrapbook lines: its folder and index file.
        std::string scrapbookFolder;
        std::string indexFile;
    };

    // Reads "books.txt" of `booksFolder`; false when it cannot be opened.
    bool Read(const std::string& booksFolder = kBooksFolder);
    // Parses catalogue text as Read does.
    void Parse(const std::string& text, const std::string& booksFolder = kBooksFolder);
    const std::vector<Line>& GetLines() const { return m_lines; }
    // Appends lines found elsewhere (books in the user's folder) after the catalogue's own.
    void Add(const std::vector<Line>& lines) {
        m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    }
    // The first book line (the screen holds one book), or none.
    const Line* GetFirstBook() const;
    // The last scrapbook line, or none.
    const Line* GetScrapbook() const;

  private:
    static Line ParseLine(std::string line, const std::string& booksFolder);

    std::vector<Line> m_lines;
};
