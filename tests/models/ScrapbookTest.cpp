// The scrapbook: loading, linking, adding, updating and deleting entries, with a failure
// injected at every write step and the guard that keeps deletion inside the scrapbook.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SceneFixture.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"
#include "platform/files/CAtomicFile.h"

using namespace fixture;

namespace {

class ScrapbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(dir.Path(), 8, 6, Solid({90, 120, 150}), Solid({1, 10, 10}),
                   Solid({100, 100, 100}));
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        ASSERT_TRUE(crayon.LoadFiles(dir / "tex.bmp", dir / "sel.bmp"));
        folder = dir / "scrap";
    }
    void TearDown() override { CAtomicFile::ResetSteps(); }

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

    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
    CCrayon crayon;
    std::string folder;
};

TEST_F(ScrapbookTest, MissingScrapbookIsCreatedEmpty) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    EXPECT_EQ(Index(), "bookname=scrapbook\r\n");
    EXPECT_EQ(scrapbook.GetCount(), 0);
    EXPECT_EQ(scrapbook.GetScrapbookName(), "scrapbook");
}

TEST_F(ScrapbookTest, LinkingDropsEntriesOfBooksNotLoaded) {
    for (const char* name : {"a", "b", "c"})
        WriteText(
            folder + "/" + name + "/" + name + ".txt",
            Lines({"imagename=first", std::string("book=") + (name[0] == 'b' ? "Other" : "Story"),
                   "image=first", "saved=s.bmp", "tn=t.bmp"}));
    WriteText(folder + "/scrap.txt",
              Lines({"bookname=mine", "image=a", "image=b", "image=gone", "image=c"}));
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    EXPECT_EQ(scrapbook.GetCount(), 3);  // "gone" has no entry file
    scrapbook.LinkToBooks(&book, 1);
    ASSERT_EQ(scrapbook.GetCount(), 2);
    EXPECT_EQ(scrapbook.GetEntryName(0), "a");
    EXPECT_EQ(scrapbook.GetEntryName(1), "c");
    EXPECT_EQ(scrapbook.GetEntrySavedFile(1), folder + "/c/s.bmp");
    EXPECT_EQ(scrapbook.GetEntryImage(0), book.GetImage(0));
}

TEST_F(ScrapbookTest, AddedEntryReloadsWithItsColours) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    const int index = scrapbook.AddEntry(Coloured(), &book);
    ASSERT_EQ(index, 0);
    CGlimScrapbook reloaded;
    ASSERT_TRUE(Reload(reloaded));
    ASSERT_EQ(reloaded.GetCount(), 1);
    book.GetImage(0)->ReleaseAll();
    reloaded.Select(0);
    CDib* canvas = reloaded.GetCurrentImage()->GetPrintPicture(true);
    ASSERT_NE(canvas, nullptr);
    EXPECT_NE(canvas->GetByte0(1, 1), 100);  // the coloured pixel came back
    EXPECT_EQ(canvas->GetByte0(2, 2), 100);
    CDib* thumbnail = reloaded.GetCurrentImage()->GetThumbnail();
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->GetSize(), CSize(2, 1));  // a quarter of the canvas
}

TEST_F(ScrapbookTest, UpdateRewritesTheSavedPicture) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    CGlimImage* picture = book.GetImage(0);
    ASSERT_EQ(scrapbook.AddEntry(picture, &book), 0);
    picture->PaintPixel(5, 5, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_TRUE(scrapbook.UpdateEntry(0));
    EXPECT_FALSE(scrapbook.UpdateEntry(1));
    CDib saved;
    ASSERT_TRUE(saved.Load(scrapbook.GetEntrySavedFile(0)));
    EXPECT_EQ(saved.GetByte0(5, 5), picture->GetPrintPicture(true)->GetByte0(5, 5));
    EXPECT_NE(saved.GetByte0(5, 5), 100);
}

TEST_F(ScrapbookTest, DeletingTheMiddleEntryKeepsTheOtherLinesIntact) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), i);
    scrapbook.Select(1);
    const std::string middle = folder + "/" + scrapbook.GetEntryName(1);
    ASSERT_TRUE(scrapbook.DeleteEntry(1));
    EXPECT_EQ(Index(), Lines({"bookname=scrapbook", "image=pic001", "image=pic003"}));
    EXPECT_FALSE(std::filesystem::exists(middle));
    EXPECT_EQ(scrapbook.GetCount(), 2);
    EXPECT_EQ(scrapbook.GetCurrentIndex(), 1);  // now designates the entry that followed
    EXPECT_EQ(scrapbook.GetEntryName(1), "pic003");
    scrapbook.Select(1);
    ASSERT_TRUE(scrapbook.DeleteEntry(1));
    EXPECT_EQ(scrapbook.GetCurrentIndex(), 0);
    ASSERT_TRUE(scrapbook.DeleteEntry(0));
    EXPECT_EQ(scrapbook.GetCount(), 0);
    EXPECT_EQ(scrapbook.GetCurrentIndex(), -1);
}

TEST_F(ScrapbookTest, DeleteSkipsMissingFilesAndRefusesPathsLeadingOut) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    ASSERT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 0);
    std::filesystem::remove(scrapbook.GetEntrySavedFile(0));
    EXPECT_TRUE(scrapbook.DeleteEntry(0));
    EXPECT_EQ(scrapbook.GetCount(), 0);

    // Entries whose names or files lead outside, or through a link.
    WriteText(dir / "outside/victim.bmp", "precious");
    WriteText(dir / "outside/outside.txt", "precious");
    WriteText(folder + "/esc/esc.txt",
              Lines({"book=Story", "image=first", "saved=../../outside/victim.bmp", "tn=t.bmp"}));
    ASSERT_EQ(symlink((dir / "outside").c_str(), (folder + "/lnk").c_str()), 0);
    WriteText(dir / "outside/lnk.txt", Lines({"book=Story", "image=first", "saved=victim.bmp"}));
    WriteText(folder + "/scrap.txt",
              Lines({"bookname=scrapbook", "image=esc", "image=../outside", "image=lnk"}));
    ASSERT_TRUE(Reload(scrapbook));
    ASSERT_EQ(scrapbook.GetCount(), 2);  // "../outside" has no entry file of its own name
    EXPECT_FALSE(scrapbook.DeleteEntry(0));
    EXPECT_FALSE(scrapbook.DeleteEntry(1));
    EXPECT_EQ(ReadAll(dir / "outside/victim.bmp"), "precious");
    EXPECT_TRUE(std::filesystem::exists(folder + "/esc/esc.txt"));
    EXPECT_NE(Index().find("image=lnk"), std::string::npos);
    EXPECT_EQ(scrapbook.GetCount(), 2);
}

TEST_F(ScrapbookTest, FullScrapbookRefusesANewEntry) {
    std::string index = "bookname=scrapbook\r\n";
    for (int i = 0; i < CGlimScrapbook::kMaxEntries; ++i) {
        const std::string name = "e" + std::to_string(i);
        WriteText(folder + "/" + name + "/" + name + ".txt", Lines({"book=Story", "image=first"}));
        index += "image=" + name + "\r\n";
    }
    WriteText(folder + "/scrap.txt", index);
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(Reload(scrapbook));
    EXPECT_EQ(scrapbook.GetCount(), 70);
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), CGlimScrapbook::kScrapbookFull);
    EXPECT_EQ(Index(), index);
    WriteText(folder + "/scrap.txt", index + "image=e0\r\n");
    EXPECT_FALSE(scrapbook.Load(folder, "scrap.txt"));
    EXPECT_EQ(scrapbook.GetCount(), 70);
}

// A failure (or a crash) at each write step of adding and deleting leaves a scrapbook that
// loads with the old entries and no half entry.
class ScrapbookFaults : public ScrapbookTest,
                        public ::testing::WithParamInterface<CAtomicFile::FailureKind> {};

TEST_P(ScrapbookFaults, EveryWriteStepOfAddAndDeleteCanFail) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    ASSERT_EQ(scrapbook.AddEntry(Coloured(), &book), 0);
    CAtomicFile::ResetSteps();
    ASSERT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 1);
    const int addSteps = CAtomicFile::StepsTaken();
    ASSERT_TRUE(scrapbook.DeleteEntry(1));
    const std::string before = Index();
    ASSERT_GT(addSteps, 4);
    for (int step = 1; step <= addSteps; ++step) {
        CGlimScrapbook attempt;
        ASSERT_TRUE(attempt.Load(folder, "scrap.txt"));
        attempt.LinkToBooks(&book, 1);
        CAtomicFile::FailAtStep(step, GetParam());
        EXPECT_EQ(attempt.AddEntry(book.GetImage(0), &book), CGlimScrapbook::kAddFailed)
            << "step " << step;
        CAtomicFile::ResetSteps();
        EXPECT_EQ(Index(), before) << "step " << step;
        CGlimScrapbook reloaded;
        ASSERT_TRUE(Reload(reloaded));
        ASSERT_EQ(reloaded.GetCount(), 1) << "step " << step;
        reloaded.Select(0);
        EXPECT_NE(reloaded.GetCurrentImage()->GetPrintPicture(true), nullptr);
    }
    CAtomicFile::FailAtStep(1, GetParam());
    EXPECT_FALSE(scrapbook.DeleteEntry(0));
    CAtomicFile::ResetSteps();
    CGlimScrapbook reloaded;
    ASSERT_TRUE(Reload(reloaded));
    EXPECT_EQ(reloaded.GetCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(reloaded.GetEntrySavedFile(0)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScrapbookFaults,
                         ::testing::Values(CAtomicFile::FailureKind::Error,
                                           CAtomicFile::FailureKind::Crash));

}  // namespace
