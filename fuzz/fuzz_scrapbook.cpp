// Scrapbook index and entry files: the input's first line-break-free half is the index file,
// the rest the entry file of every entry named "e". The scrapbook loads, links to a small
// book, steps through its entries and deletes them (only inside its own folder).
#include <cstddef>
#include <cstdint>
#include <string>

#include "ModelsFuzzFolder.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& root = fuzzfolder::Root();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string index = input.substr(0, split);
    const std::string entry = split == std::string::npos ? "" : input.substr(split + 1);
    const std::string folder = root + "/scrap/";
    fuzzfolder::Write(folder + "scrap.txt", index);
    fuzzfolder::Write(folder + "e/e.txt", entry);
    fuzzfolder::Write(folder + "e/s.bmp", fuzzfolder::SmallBmp(4, 4, 1));
    fuzzfolder::Write(
        root + "/book.txt",
        "bookname=Story\r\nNumImages=1\r\n0=\r\n[imagename=first\r\n[ou=a.bmp\r\n]\r\n");
    CGlimBook book;
    book.Load(root, "book.txt");
    CGlimScrapbook scrapbook;
    if (!scrapbook.Load(folder, "scrap.txt")) return 0;
    scrapbook.LinkToBooks(&book, 1);
    scrapbook.Select(0);
    scrapbook.SelectNext();
    if (CGlimImage* image = scrapbook.GetCurrentImage()) image->GetThumbnail();
    scrapbook.FindCurrentInBook();
    while (scrapbook.GetCount() > 0 && scrapbook.DeleteEntry(0)) {
    }
    return 0;
}
