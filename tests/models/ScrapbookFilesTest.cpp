// The scrapbook's files between runs: the limit of 70 with entries of books that are not
// installed, damaged index files, and what cut-short saves and throw-aways leave behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include "ScrapbookFixture.h"

using namespace fixture;

namespace {

std::vector<std::string> Numbered(const std::string& stem, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(stem + std::to_string(i));
    return names;
}

// Entries of a book that is not installed are not shown but keep their index lines, so
// the index never lists more than 70 entries and nothing vanishes when the book returns.
TEST_F(ScrapbookTest, HeldBackEntriesCountTowardTheLimit) {
    std::vector<std::string> names = Numbered("mine", 64);
    for (const std::string& name : names) PlantEntry(name);
    for (const std::string& name : Numbered("gone", 4)) {
        PlantEntry(name, "Uninstalled");
        names.push_back(name);
    }
    WriteText(folder + "/scrap.txt", Listing(names));
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(Reload(scrapbook));
    ASSERT_EQ(scrapbook.GetCount(), 64);
    ASSERT_EQ(scrapbook.GetHeldCount(), 4);
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 64);
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 65);
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), CGlimScrapbook::kScrapbookFull);
    ASSERT_TRUE(scrapbook.DeleteEntry(0));
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 65);

    // The next start reads all 70, the newest included, without calling the index damaged.
    CGlimScrapbook reloaded;
    ASSERT_TRUE(reloaded.Load(folder, "scrap.txt"));
    EXPECT_EQ(reloaded.GetCount(), 70);
    EXPECT_EQ(reloaded.GetEntryName(69), scrapbook.GetEntryName(65));
    EXPECT_FALSE(Exists(folder + "/scrap.txt.damaged"));
    // With the book back, its pictures are shown again.
    CGlimBook returned;
    WriteText(dir / "uninstalled.txt",
              Lines({"bookname=Uninstalled", "NumImages=1", "0=", "[imagefolder=scene",
                     "[imagename=first", "[lt=lt.bmp", "[mg=mg.bmp", "[ou=ou.bmp", "]"}));
    ASSERT_TRUE(returned.Load(dir.Path(), "uninstalled.txt"));
    reloaded.LinkToBooks(&returned, 1);
    EXPECT_EQ(reloaded.GetCount(), 4);
    EXPECT_EQ(reloaded.GetHeldCount(), 66);
}

// Each kind of damage: the entries that can be read load, the damaged file is kept beside
// the index, the index is rewritten, the damage is reported and no picture is deleted.
TEST_F(ScrapbookTest, DamagedIndexLoadsWhatItCanAndKeepsACopy) {
    struct Case {
        const char* damage;
        std::string index;
        std::vector<std::string> planted;
        std::vector<std::string> loaded;
    };
    const std::vector<std::string> seventyOne = Numbered("e", 71);
    const std::vector<std::string> firstSeventy(seventyOne.begin(), seventyOne.end() - 1);
    const std::vector<Case> cases = {
        {"not index lines",
         "bookname=scrapbook\r\nimage=e0\r\n\x01\xff\x7fjunk\r\nimage=e1\r\n",
         {"e0", "e1"},
         {"e0", "e1"}},
        {"over-long", Listing({"e0"}) + "image=" + std::string(300, 'x') + "\r\n", {"e0"}, {"e0"}},
        {"over the limit of 70", Listing(seventyOne), seventyOne, firstSeventy},
        {"without their saved picture",
         Listing({"e0", "e1", "e2"}),
         {"e0", "e1", "e2"},
         {"e0", "e2"}},
        {"without their entry file", Listing({"e0", "nowhere", "e1"}), {"e0", "e1"}, {"e0", "e1"}},
        {"cannot be a folder", Listing({"e0", "../e1", "."}), {"e0"}, {"e0"}},
        {"more than once", Listing({"e1", "e0", "e1"}), {"e0", "e1"}, {"e1", "e0"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.damage);
        std::filesystem::remove_all(folder);
        for (const std::string& name : test.planted) PlantEntry(name);
        const bool pictureLost = std::string(test.damage) == "without their saved picture";
        if (pictureLost) std::filesystem::remove(folder + "/e1/saved.bmp");
        WriteText(folder + "/scrap.txt", test.index);
        CContentReport::ClearLog();

        CGlimScrapbook scrapbook;
        ASSERT_TRUE(Reload(scrapbook));
        ASSERT_EQ(scrapbook.GetCount(), static_cast<int>(test.loaded.size()));
        for (int i = 0; i < scrapbook.GetCount(); ++i)
            EXPECT_EQ(scrapbook.GetEntryName(i), test.loaded[static_cast<std::size_t>(i)]);
        EXPECT_EQ(ReadAll(folder + "/scrap.txt.damaged"), test.index);
        EXPECT_EQ(Index(), Listing(test.loaded));
        EXPECT_TRUE(Reported("scrap.txt: the scrapbook index is damaged"));
        EXPECT_TRUE(Reported(test.damage));
        for (const std::string& name : test.planted) {
            EXPECT_TRUE(Exists(folder + "/" + name + "/thumb.bmp")) << name;
            EXPECT_TRUE(pictureLost || Exists(folder + "/" + name + "/saved.bmp")) << name;
        }

        // The rewritten index is sound: loading it again reports no damage.
        CContentReport::ClearLog();
        std::filesystem::remove(folder + "/scrap.txt.damaged");
        ASSERT_TRUE(Reload(scrapbook));
        EXPECT_EQ(scrapbook.GetCount(), static_cast<int>(test.loaded.size()));
        EXPECT_FALSE(Exists(folder + "/scrap.txt.damaged"));
        EXPECT_FALSE(Reported("damaged"));
    }
}

// Temporary files and entry folders that saves cut short left, planted as a kill leaves
// them: what holds no picture goes, a complete entry comes back, the rest stays.
TEST_F(ScrapbookTest, LoadingTidiesWhatCutShortSavesLeft) {
    PlantEntry("pic001");
    WriteText(folder + "/scrap.txt", Listing({"pic001"}));
    WriteText(folder + "/.scrap.txt.tmp-4321-0", "half an index");
    WriteText(folder + "/pic001/.saved.bmp.tmp-4321-1", "half a picture");
    PlantEntry("pic002");  // died before its index line: complete
    PlantEntry("pic003");  // died writing the saved canvas
    std::filesystem::remove(folder + "/pic003/saved.bmp");
    WriteText(folder + "/pic003/.saved.bmp.tmp-4321-2", "half a picture");
    std::filesystem::create_directories(folder + "/pic004");  // died right after making it
    PlantEntry("pic005");  // a picture without its entry file stays
    std::filesystem::remove(folder + "/pic005/pic005.txt");
    WriteText(folder + "/notes/letter.txt", "not an entry");  // not ours: stays
    PlantEntry("pic006");  // died writing the saved canvas, but holds a file of someone's
    std::filesystem::remove(folder + "/pic006/saved.bmp");
    WriteText(folder + "/pic006/drawing.png", "someone's");
    WriteText(dir / "elsewhere/thumb.bmp", "outside");
    ASSERT_EQ(symlink((dir / "elsewhere").c_str(), (folder + "/linked").c_str()), 0);
    WriteText(folder + "/.hidden", "kept");
    WriteText(folder + "/scrap.txt.tmp-1-2", "no leading dot: not a leftover");

    CGlimScrapbook scrapbook;
    ASSERT_TRUE(Reload(scrapbook));
    ASSERT_EQ(scrapbook.GetCount(), 2);
    EXPECT_EQ(scrapbook.GetEntryName(1), "pic002");
    EXPECT_EQ(Index(), Listing({"pic001", "pic002"}));
    EXPECT_TRUE(Reported("listed again"));
    EXPECT_EQ(NamesIn(folder),
              (std::vector<std::string>{".hidden", "linked", "notes", "pic001", "pic002", "pic005",
                                        "pic006", "scrap.txt", "scrap.txt.tmp-1-2"}));
    EXPECT_EQ(NamesIn(folder + "/pic001"),
              (std::vector<std::string>{"pic001.txt", "saved.bmp", "thumb.bmp"}));
    EXPECT_EQ(NamesIn(folder + "/pic005"), (std::vector<std::string>{"saved.bmp", "thumb.bmp"}));
    EXPECT_EQ(NamesIn(folder + "/pic006"), (std::vector<std::string>{"drawing.png"}));
    EXPECT_EQ(ReadAll(dir / "elsewhere/thumb.bmp"), "outside");
    EXPECT_EQ(ReadAll(folder + "/notes/letter.txt"), "not an entry");
    // A new entry does not take the name of a folder that stayed.
    EXPECT_EQ(scrapbook.GetEntryName(scrapbook.AddEntry(book.GetImage(0), &book)), "pic003");
}

// With the index damaged, a folder without its picture may be one the index lost: it
// stays; and complete folders come back only while there is room.
TEST_F(ScrapbookTest, TidyingHoldsBackWhenTheIndexIsDamagedOrFull) {
    PlantEntry("pic001");
    WriteText(folder + "/pic002/thumb.bmp", "a thumbnail whose picture is gone");
    WriteText(folder + "/scrap.txt", Listing({"pic001"}) + "garbage\r\n");
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(Reload(scrapbook));
    EXPECT_TRUE(Exists(folder + "/pic002/thumb.bmp"));

    const std::vector<std::string> names = Numbered("e", 70);
    for (const std::string& name : names) PlantEntry(name);
    WriteText(folder + "/scrap.txt", Listing(names));
    ASSERT_TRUE(Reload(scrapbook));
    EXPECT_EQ(scrapbook.GetCount(), 70);
    EXPECT_EQ(Index(), Listing(names));
    EXPECT_TRUE(Exists(folder + "/pic001/saved.bmp"));
    EXPECT_TRUE(Reported("the scrapbook is full"));
}

}  // namespace
