#include "models/CUserBooks.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "models/CContentText.h"
#include "models/CDescParser.h"
#include "platform/files/CDataFolders.h"
#include "resources/ContentPaths.h"

namespace fs = std::filesystem;

namespace {

std::string WithoutSlash(std::string folder) {
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder;
}

// The names of the folders directly inside `folder`, sorted.
std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_directory(error)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<CBookCatalogue::Line> CUserBooks::Find(const CBookCatalogue& catalogue,
                                                   const std::string& booksFolder) {
    std::vector<CBookCatalogue::Line> added;
    const std::string own = CDataFolders::UserCopy(booksFolder);
    if (own.empty()) return added;
    for (const std::string& name : FolderNames(own)) {
        const std::string folder = booksFolder + name;
        if (IsListed(catalogue, folder) || !HoldsBook(folder, name)) continue;
        CBookCatalogue::Line line;
        line.folder = folder;
        line.descriptionFile = name + ".txt";
        added.push_back(line);
    }
    return added;
}

bool CUserBooks::IsListed(const CBookCatalogue& catalogue, const std::string& folder) {
    if (WithoutSlash(ContentPaths::kScribblePad) == folder) return true;
    return std::any_of(catalogue.GetLines().begin(), catalogue.GetLines().end(),
                       [&](const CBookCatalogue::Line& line) {
                           return WithoutSlash(line.folder) == folder ||
                                  WithoutSlash(line.scrapbookFolder) == folder;
                       });
}

// A book's description names the book and counts its scenes; a scrapbook's index names a
// book too but counts nothing, and a stray folder has neither.
bool CUserBooks::HoldsBook(const std::string& folder, const std::string& name) {
    std::string text;
    if (!CContentText::Read(folder + "/" + name + ".txt", text)) return false;
    const CDescParser parser;
    auto has = [&](const char* key) {
        int next = 0;
        std::string prefix;
        return !parser.GetValue(text, key, 0, next, prefix).empty();
    };
    return has("bookname") && has("NumImages");
}
