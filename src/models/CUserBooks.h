#pragma once
#include <string>
#include <vector>

#include "models/CBookCatalogue.h"

// Books a grown-up added to the user's own folder. The catalogue lives in the shared,
// read-only folder, so a book needs no catalogue line of its own there: every folder NAME
// in the user's books folder whose description NAME/NAME.txt names the book and counts its
// scenes (bookname= and NumImages= lines) joins the shelf after the catalogue's books, in
// the order of the folder names.
// Folders the catalogue already names (a shipped book the user changed, the scrapbook) and
// the scribble pad are not added again.
class CUserBooks {
  public:
    // Catalogue lines for the user's added books of `booksFolder` (a path the program reads
    // through CDataFolders, such as "../books/"); none while no user folder is in use.
    static std::vector<CBookCatalogue::Line> Find(const CBookCatalogue& catalogue,
                                                  const std::string& booksFolder);

  private:
    static bool IsListed(const CBookCatalogue& catalogue, const std::string& folder);
    static bool HoldsBook(const std::string& folder, const std::string& name);
};
