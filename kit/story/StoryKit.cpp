#include "story/StoryKit.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "resources/ContentPaths.h"
#include "check/CompositionCheck.h"
#include "story/BookReader.h"
#include "story/PictureReader.h"
#include "story/StoryCheck.h"
#include "story/StoryGenerator.h"
#include "story/StorySheet.h"

namespace {

std::string BookFile() {
    return std::string(TALEWICK_KIT_SOURCE_DIR) + "/books/story.book";
}

}  // namespace

std::vector<std::string> KitBookFiles() {
    return {BookFile()};
}

void CheckComposition(const std::string& bookFile, std::vector<std::string>& problems) {
    BookPlan book;
    std::vector<Scene> scenes;
    std::string error;
    const std::string dir = bookFile.substr(0, bookFile.find_last_of('/'));
    if (!book.Read(bookFile, error)) {
        problems.push_back(error);
        return;
    }
    // Scene and library mistakes come back as "FILE: line N: what to do".
    if (!book.LoadScenes(dir, scenes, error)) {
        problems.push_back(dir + "/" + error);
        return;
    }
    for (std::size_t i = 0; i < scenes.size(); ++i)
        CompositionCheck::Run(scenes[i], StoryGenerator::kWidth, StoryGenerator::kHeight,
                              dir + "/" + book.sceneFiles[i], problems);
}

bool GenerateStory(const std::string& contentDir) {
    return GenerateBook(BookFile(), contentDir);
}

std::string FindBookFile(const std::string& dir) {
    std::error_code error;
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        if (entry.path().extension() == ".book") found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    return found.empty() ? "" : found.front();
}

bool GenerateBook(const std::string& bookFile, const std::string& contentDir) {
    StoryGenerator generator(contentDir);
    std::string error;
    if (!generator.LoadBook(bookFile, error)) {
        std::fprintf(stderr, "story: %s\n", error.c_str());
        return false;
    }
    generator.RenderAll();
    std::printf("story: rendered %zu scenes in %.2f s (processor time %.2f s)\n",
                generator.Scenes().size(), generator.RenderSeconds(), generator.RenderCpuSeconds());
    if (!generator.WriteAll(error)) {
        std::fprintf(stderr, "story: %s\n", error.c_str());
        return false;
    }
    return true;
}

void CheckStory(const std::string& contentDir, std::vector<std::string>& problems) {
    StoryCheck::Run(contentDir, problems);
}

bool SheetStory(const std::string& contentDir, const std::string& outPng) {
    std::vector<std::string> problems;
    StoryCheck::Run(contentDir, problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "story: %s\n", problem.c_str());
    std::string catalogue;
    const std::string booksDir =
        contentDir + "/" + std::string(ContentPaths::InTree(ContentPaths::kBooks));
    if (!ReadTextFile(booksDir + ContentPaths::kBookCatalogue, catalogue) ||
        catalogue.find("\r\n") == std::string::npos)
        return false;
    const std::string folder = catalogue.substr(0, catalogue.find("\r\n"));
    BookReader book;
    if (!book.Read(booksDir + folder + "/" + folder + ".txt").empty()) return false;
    std::vector<StorySheet::Row> rows;
    unsigned seed = 7;
    for (const BookReader::SceneEntry& scene : book.scenes) {
        const std::string dir = booksDir + folder + "/" + scene.folder;
        StorySheet::Row row;
        row.title = scene.name + ": " + scene.caption;
        for (const std::string* file :
             {&scene.shading, &scene.mapping, &scene.uncoloured, &scene.print}) {
            KitImage image;
            if (!PictureReader::Read(dir + *file, image).empty()) return false;
            row.pictures.push_back(image);
        }
        row.pictures.push_back(
            StorySheet::AutoColour(row.pictures[0], row.pictures[1], row.pictures[2], seed++));
        rows.push_back(std::move(row));
    }
    return StorySheet::WritePng(
        rows, {"shading", "mapping", "uncoloured", "print", "auto-coloured, dithered"}, outPng);
}
