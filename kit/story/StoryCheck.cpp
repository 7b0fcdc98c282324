#include "story/StoryCheck.h"

#include <filesystem>
#include <set>

#include "KitImage.h"
#include "imaging/CDib.h"
#include "resources/ContentPaths.h"
#include "sounds/WaveFile.h"
#include "story/BookPlan.h"
#include "story/BookReader.h"
#include "story/PictureReader.h"

namespace {

std::string TwoDigits(std::size_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

void CheckWave(const std::string& path, std::vector<std::string>& problems) {
    WaveFile wave;
    const std::string problem = wave.Read(path);
    if (!problem.empty())
        problems.push_back(path + ": " + problem);
    else if (wave.samples.empty())
        problems.push_back(path + ": the sound is empty");
}

// Reads the scene's layers; all must exist and share the size of the shading layer
// (the thumbnail is only required to exist).
void CheckLayers(const std::string& dir, const BookReader::SceneEntry& scene, KitImage& mapping,
                 std::vector<std::string>& problems) {
    const std::pair<const char*, const std::string*> layers[] = {{"shading", &scene.shading},
                                                                 {"mapping", &scene.mapping},
                                                                 {"uncoloured", &scene.uncoloured},
                                                                 {"print", &scene.print},
                                                                 {"thumbnail", &scene.thumbnail}};
    int width = -1, height = -1;
    for (const auto& [what, file] : layers) {
        if (file->empty()) {
            problems.push_back(dir + ": no " + what + " layer named");
            continue;
        }
        KitImage image;
        const std::string problem = PictureReader::Read(dir + *file, image);
        if (!problem.empty()) {
            problems.push_back(problem);
            continue;
        }
        if (std::string(what) == "thumbnail") continue;
        if (width < 0) {
            width = image.Width();
            height = image.Height();
        } else if (image.Width() != width || image.Height() != height) {
            problems.push_back(dir + *file + ": " + what +
                               " layer size differs from the shading layer");
        }
        if (std::string(what) == "mapping") mapping = image;
    }
}

// The footprint layer, when one is named: an 8-bit picture the size of the mapping layer.
void CheckFootprint(const std::string& dir, const BookReader::SceneEntry& scene,
                    const KitImage& mapping, std::vector<std::string>& problems) {
    if (scene.footprint.empty()) return;
    const std::string path = dir + scene.footprint;
    CDib footprint;
    if (!footprint.Load(path) || !footprint.IsValid()) {
        problems.push_back(path + ": the footprint layer does not load; render the book again");
        return;
    }
    if (footprint.GetBitCount() != 8)
        problems.push_back(path + ": the footprint layer has " +
                           std::to_string(footprint.GetBitCount()) +
                           " bits per pixel, it needs 8; render the book again");
    else if (mapping.Width() > 0 && (footprint.GetSize().cx != mapping.Width() ||
                                     footprint.GetSize().cy != mapping.Height()))
        problems.push_back(path + ": the footprint layer's size differs from the mapping layer");
}

}  // namespace

void StoryCheck::Run(const std::string& contentDir, std::vector<std::string>& problems) {
    const std::string booksDir =
        contentDir + "/" + std::string(ContentPaths::InTree(ContentPaths::kBooks));
    const std::string catalogueFile = booksDir + ContentPaths::kBookCatalogue;
    std::string catalogue;
    if (!ReadTextFile(catalogueFile, catalogue)) {
        problems.push_back(catalogueFile + " is missing");
        return;
    }
    const std::size_t end = catalogue.find("\r\n");
    if (end == std::string::npos || end == 0) {
        problems.push_back(catalogueFile + " does not start with a book line ending in CR LF");
        return;
    }
    // Every line before the scrapbook's names a book folder.
    for (std::size_t start = 0; start < catalogue.size();) {
        const std::size_t stop = catalogue.find("\r\n", start);
        if (stop == std::string::npos) break;
        const std::string line = catalogue.substr(start, stop - start);
        if (!line.empty() && line.find('=') == std::string::npos)
            CheckBook(booksDir, line, true, problems);
        start = stop + 2;
    }
    CheckBook(booksDir, "scribble", false, problems);
    CheckCompanions(booksDir, problems);
}

void StoryCheck::CheckBook(const std::string& booksDir, const std::string& folder, bool needsSlides,
                           std::vector<std::string>& problems) {
    const std::string bookDir = booksDir + folder + "/";
    BookReader book;
    const std::string problem = book.Read(bookDir + folder + ".txt");
    if (!problem.empty()) {
        problems.push_back(bookDir + folder + ".txt: " + problem);
        return;
    }
    if (book.declaredScenes != static_cast<int>(book.scenes.size()) || book.scenes.empty())
        problems.push_back(bookDir + ": NumImages does not match the scene blocks");
    for (const std::string& binder : {book.binder, book.binderHighlight}) {
        KitImage image;
        const std::string bad = PictureReader::Read(bookDir + binder, image);
        if (!bad.empty()) problems.push_back(bad);
    }
    for (std::size_t i = 0; i < book.scenes.size(); ++i) {
        const BookReader::SceneEntry& scene = book.scenes[i];
        const std::string dir = bookDir + scene.folder;
        KitImage mapping;
        CheckLayers(dir, scene, mapping, problems);
        CheckFootprint(dir, scene, mapping, problems);
        std::set<int> ids;
        for (int y = 0; y < mapping.Height(); ++y)
            for (int x = 0; x < mapping.Width(); ++x)
                ids.insert(static_cast<int>(mapping.Get(x, y) & 0xFF));
        for (const auto& [id, file] : scene.sounds) {
            if (mapping.Width() > 0 && !ids.count(id))
                problems.push_back(dir + ": a sound is named for object " + std::to_string(id) +
                                   ", which the mapping layer does not show");
            CheckWave(dir + "sounds/" + file, problems);
        }
        if (scene.voice.empty() || scene.caption.empty())
            problems.push_back(dir + ": no caption or voice-over");
        else
            CheckWave(dir + "sounds/" + scene.voice, problems);
        if (needsSlides) {
            KitImage slide;
            const std::string bad =
                PictureReader::Read(bookDir + book.slides + "/" + TwoDigits(i) + ".vkb", slide);
            if (!bad.empty()) problems.push_back(bad);
        }
    }
    if (needsSlides && !std::filesystem::exists(booksDir + book.script))
        problems.push_back(booksDir + book.script + " (the slide script) is missing");
}

void StoryCheck::CheckCompanions(const std::string& booksDir, std::vector<std::string>& problems) {
    std::string index;
    if (!ReadTextFile(booksDir + "scrapbook/scrapbook.txt", index) ||
        index != "bookname=scrapbook\r\n")
        problems.push_back(booksDir +
                           "scrapbook/scrapbook.txt is missing or not an empty scrapbook index");
}
