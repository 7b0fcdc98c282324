// The scrapbook: loading, linking, adding, updating and deleting entries, with a failure
// injected at every write step and the guard that keeps deletion inside the scrapbook.
#include <gtest/gtest.h>
#include <unistd.h>

#include "ScrapbookFixture.h"

using namespace fixture;

namespace {

TEST_F(ScrapbookTest, MissingScrapbookIsCreatedEmpty) {
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    EXPECT_EQ(Index(), "bookname=scrapbook\r\n");
    EXPECT_EQ(scrapbook.GetCount(), 0);
    EXPECT_EQ(scrapbook.GetScrapbookName(), "scrapbook");
}

TEST_F(ScrapbookTest, LinkingHoldsBackEntriesOfBooksNotLoaded) {
    for (const char* name : {"a", "b", "c"}) PlantEntry(name, name[0] == 'b' ? "Other" : "Story");
    const std::string index = Lines({"bookname=mine", "image=a", "image=b", "image=c"});
    WriteText(folder + "/scrap.txt", index);
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    EXPECT_EQ(scrapbook.GetCount(), 3);
    scrapbook.LinkToBooks(&book, 1);
    ASSERT_EQ(scrapbook.GetCount(), 2);
    EXPECT_EQ(scrapbook.GetHeldCount(), 1);
    EXPECT_EQ(scrapbook.GetEntryName(0), "a");
    EXPECT_EQ(scrapbook.GetEntryName(1), "c");
    EXPECT_EQ(scrapbook.GetEntrySavedFile(1), folder + "/c/saved.bmp");
    EXPECT_EQ(scrapbook.GetEntryImage(0), book.GetImage(0));
    EXPECT_EQ(Index(), index);  // the held entry stays listed
    EXPECT_TRUE(Exists(folder + "/b/saved.bmp"));
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
    std::vector<std::string> names;
    for (int i = 0; i < CGlimScrapbook::kMaxEntries; ++i) {
        names.push_back("e" + std::to_string(i));
        PlantEntry(names.back());
    }
    WriteText(folder + "/scrap.txt", Listing(names));
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(Reload(scrapbook));
    EXPECT_EQ(scrapbook.GetCount(), 70);
    EXPECT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), CGlimScrapbook::kScrapbookFull);
    EXPECT_EQ(Index(), Listing(names));
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
    // Whatever the cut-short writes left was tidied away by the loads.
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"pic001", "scrap.txt"}));
    EXPECT_EQ(NamesIn(folder + "/pic001"),
              (std::vector<std::string>{"pic001.txt", "saved.bmp", "thumb.bmp"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScrapbookFaults,
                         ::testing::Values(CAtomicFile::FailureKind::Error,
                                           CAtomicFile::FailureKind::Crash));

}  // namespace
