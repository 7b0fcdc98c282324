#include "story/StoryKit.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "check/CompositionCheck.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "resources/ContentPaths.h"
#include "story/BookReader.h"
#include "story/PictureReader.h"
#include "story/StoryCheck.h"
#include "story/StoryGenerator.h"
#include "story/StorySheet.h"

namespace {

const char* const kCrLf = "\r\n";

std::string BooksSourceDir() {
    return std::string(TALEWICK_KIT_SOURCE_DIR) + "/books";
}

// The folders the catalogue lists, read back from each book file, in `books` order.
bool CatalogueFolders(const std::vector<std::string>& books, std::vector<std::string>& folders) {
    for (const std::string& file : books) {
        BookPlan book;
        std::string error;
        if (!book.Read(file, error)) return false;
        folders.push_back(book.folder);
    }
    return true;
}

// Renders one book and writes its own files, leaving the files the tree shares.
bool RenderBook(const std::string& bookFile, const std::string& contentDir) {
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

// The catalogue naming `books` in their order, the scrapbook and the scribble pad.
bool WriteTreeFiles(const std::vector<std::string>& books, const std::string& contentDir) {
    std::vector<std::string> folders;
    std::string error;
    if (!CatalogueFolders(books, folders)) return false;
    if (StoryGenerator::WriteTreeFiles(contentDir, folders, error)) return true;
    std::fprintf(stderr, "story: %s\n", error.c_str());
    return false;
}

}  // namespace

std::vector<std::string> KitBookFiles() {
    // The first story stays first: the program opens the catalogue's first book. The
    // other books each live in a folder of their own beside it, in name order.
    std::vector<std::string> more;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BooksSourceDir(), error))
        if (entry.is_directory())
            if (std::string book = FindBookFile(entry.path().string()); !book.empty())
                more.push_back(book);
    std::sort(more.begin(), more.end());
    more.insert(more.begin(), BooksSourceDir() + "/story.book");
    return more;
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
    const std::vector<std::string> books = KitBookFiles();
    bool ok = true;
    for (const std::string& book : books) ok = RenderBook(book, contentDir) && ok;
    return ok && WriteTreeFiles(books, contentDir);
}

std::vector<std::string> CatalogueBooks(const std::string& contentDir) {
    const std::string booksDir =
        contentDir + "/" + std::string(ContentPaths::InTree(ContentPaths::kBooks));
    std::string catalogue;
    std::vector<std::string> folders;
    if (!ReadTextFile(booksDir + ContentPaths::kBookCatalogue, catalogue)) return folders;
    for (std::size_t start = 0; start < catalogue.size();) {
        const std::size_t end = catalogue.find(kCrLf, start);
        if (end == std::string::npos) break;
        const std::string line = catalogue.substr(start, end - start);
        if (!line.empty() && line.find('=') == std::string::npos) folders.push_back(line);
        start = end + 2;
    }
    return folders;
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
    return RenderBook(bookFile, contentDir) && WriteTreeFiles({bookFile}, contentDir);
}

void CheckStory(const std::string& contentDir, std::vector<std::string>& problems) {
    StoryCheck::Run(contentDir, problems);
}

bool SheetStory(const std::string& contentDir, const std::string& folder,
                const std::string& outPng) {
    const std::string booksDir =
        contentDir + "/" + std::string(ContentPaths::InTree(ContentPaths::kBooks));
    BookReader book;
    if (!book.Read(booksDir + folder + "/" + folder + ".txt").empty()) return false;
    CGlimBook loaded;
    if (!loaded.Load(booksDir + folder, folder + ".txt") ||
        loaded.GetImageCount() != static_cast<int>(book.scenes.size()))
        return false;
    const std::string textures =
        contentDir + "/" + std::string(ContentPaths::InTree(ContentPaths::kTextures));
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
            StorySheet::AutoColour(row.pictures[0], row.pictures[1], row.pictures[2], seed));
        CGlimImage* loadedScene = loaded.GetImage(static_cast<int>(rows.size()));
        row.pictures.push_back(StorySheet::Textured(*loadedScene, textures, seed++));
        loadedScene->ReleaseAll();
        rows.push_back(std::move(row));
    }
    return StorySheet::WritePng(rows,
                                {"shading", "mapping", "uncoloured", "print",
                                 "auto-coloured, dithered", "textured, dithered"},
                                outPng);
}
