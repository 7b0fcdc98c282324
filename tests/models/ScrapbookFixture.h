#pragma once
// A one-scene book in a temporary folder with a scrapbook folder beside it, for the
// scrapbook tests: planting entries and leftovers as files and reading back what is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"
#include "models/CPictureExport.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"

namespace fixture {

class ScrapbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(dir.Path(), 8, 6, Solid({90, 120, 150}), Solid({1, 10, 10}),
                   Solid({100, 100, 100}));
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        ASSERT_TRUE(crayon.LoadFiles(dir / "tex.bmp", dir / "sel.bmp"));
        folder = dir / "scrap";
        CContentReport::ClearLog();
    }
    void TearDown() override {
        CAtomicFile::ResetSteps();
        CPictureExport::SetFolder("");
        CPictureExport::SetExportEnabled(true);
        CContentReport::ClearLog();
    }

    std::string Index() const { return ReadAll(folder + "/scrap.txt"); }
    bool Reload(CGlimScrapbook& scrapbook) {
        const bool loaded = scrapbook.Load(folder, "scrap.txt");
        scrapbook.LinkToBooks(&book, 1);
        return loaded;
    }
    CGlimImage* Coloured() {
        CGlimImage* picture = book.GetImage(0);
        picture->PaintPixel(1, 1, crayon.GetSwatch(), 1.0f, -1);
        return picture;
    }

    // An entry folder as a finished save leaves it, of scene "first" in `bookName`.
    void PlantEntry(const std::string& name, const std::string& bookName = "Story") const {
        const std::string entry = folder + "/" + name + "/";
        WriteText(entry + name + ".txt", Lines({"imagename=first", "book=" + bookName,
                                                "image=first", "saved=saved.bmp", "tn=thumb.bmp"}));
        WriteBmp(entry + "saved.bmp", 8, 6, Solid({10, 20, 30}));
        WriteBmp(entry + "thumb.bmp", 2, 1, Solid({10, 20, 30}));
    }
    // An index text listing `names`.
    static std::string Listing(const std::vector<std::string>& names) {
        std::string text = "bookname=scrapbook\r\n";
        for (const std::string& name : names) text += "image=" + name + "\r\n";
        return text;
    }
    // The names in `path`, sorted; empty when it is no folder.
    static std::vector<std::string> NamesIn(const std::string& path) {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(path, error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static bool Exists(const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(path, error));
    }
    // Whether a content report names `what`.
    static bool Reported(const std::string& what) {
        const std::vector<std::string> log = CContentReport::Log();
        return std::any_of(log.begin(), log.end(), [&](const std::string& line) {
            return line.find(what) != std::string::npos;
        });
    }

    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
    CCrayon crayon;
    std::string folder;
};

}  // namespace fixture
