#include "check/ContentKit.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "check/KitJob.h"
#include "check/TreeCheck.h"
#include "crayons/CrayonKit.h"
#include "docs/DocsKit.h"
#include "screens/ScreenKit.h"
#include "sheet/ContactSheet.h"
#include "sounds/SoundKit.h"
#include "story/StoryKit.h"
#include "textures/TextureKit.h"

bool GenerateKitPart(const std::string& dir, std::vector<std::string>& failures) {
    std::vector<KitJob> jobs;
    AddScreenJobs(dir, CreditsText(), jobs);
    AddSoundJobs(dir, ScreenSounds(), jobs);
    AddCrayonJobs(dir, jobs);
    AddTextureJobs(dir, jobs);
    AddDocJobs(dir, jobs);
    return RunJobs(jobs, failures);
}

bool GenerateContent(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir + "/play", error);
    std::filesystem::create_directories(dir + "/books", error);
    std::vector<std::string> failures;
    bool ok = GenerateKitPart(dir, failures);
    for (const auto& name : failures)
        std::fprintf(stderr, "talewick-kit: could not make %s\n", name.c_str());
    if (!GenerateStory(dir)) {
        std::fprintf(stderr, "talewick-kit: could not make the story book\n");
        ok = false;
    }
    return ok;
}

void CollectProblems(const std::string& dir, std::vector<std::string>& problems) {
    CheckTree(dir, problems);
    CheckStory(dir, problems);
    for (const std::string& book : KitBookFiles()) CheckComposition(book, problems);
}

bool CheckContent(const std::string& dir) {
    std::vector<std::string> problems;
    // A folder with a book file is a book being written: check its scenes.
    if (const std::string book = FindBookFile(dir); !book.empty())
        CheckComposition(book, problems);
    else
        CollectProblems(dir, problems);
    for (const auto& line : problems) std::printf("%s\n", line.c_str());
    if (problems.empty()) std::printf("%s: no problems\n", dir.c_str());
    return problems.empty();
}

bool SheetContent(const std::string& dir, const std::string& outPng) {
    if (!WriteContactSheet(dir, outPng)) return false;
    const std::string base = outPng.size() > 4 && outPng.ends_with(".png")
                                 ? outPng.substr(0, outPng.size() - 4)
                                 : outPng;
    std::vector<std::string> problems;
    CheckStory(dir, problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "story: %s\n", problem.c_str());
    // The first book's sheet keeps its old name; every other book's is named by its folder.
    const std::vector<std::string> books = CatalogueBooks(dir);
    bool ok = !books.empty();
    for (std::size_t i = 0; i < books.size(); ++i)
        ok = SheetStory(dir, books[i], base + "-" + (i == 0 ? "story" : books[i]) + ".png") && ok;
    return ok;
}

bool MakeBook(const std::string& bookDir, const std::string& outDir) {
    const std::string book = FindBookFile(bookDir);
    if (book.empty()) {
        std::fprintf(stderr, "%s: no .book file here; write one that names the scenes.\n",
                     bookDir.c_str());
        return false;
    }
    std::vector<std::string> problems;
    CheckComposition(book, problems);
    for (const auto& line : problems) std::fprintf(stderr, "%s\n", line.c_str());
    std::error_code error;
    std::filesystem::create_directories(outDir + "/books", error);
    return problems.empty() && GenerateBook(book, outDir);
}
