// talewick-kit: writes, checks and reviews the content tree the program reads.
#include <cstdio>
#include <string>

#include "check/ContentKit.h"
#include "icons/AppIcon.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: talewick-kit generate DIR\n"
                 "       talewick-kit check DIR\n"
                 "       talewick-kit book BOOKDIR OUTDIR\n"
                 "       talewick-kit sheet DIR OUT.png\n"
                 "       talewick-kit icons THEME-DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    const std::string dir = argv[2];
    if (command == "generate" && argc == 3) return GenerateContent(dir) ? 0 : 1;
    if (command == "check" && argc == 3) return CheckContent(dir) ? 0 : 1;
    if (command == "book" && argc == 4) return MakeBook(dir, argv[3]) ? 0 : 1;
    if (command == "icons" && argc == 3) return AppIcon::WriteTheme(dir, "talewick") ? 0 : 1;
    if (command == "sheet" && argc == 4) return SheetContent(dir, argv[3]) ? 0 : 1;
    return Usage();
}
