// Books: loading, scene selection with wrap-around and release, slide paths, the catalogue.
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "models/CBookCatalogue.h"
#include "models/CGlimBook.h"

using namespace fixture;

namespace {

std::string SceneBlocks(int count, int first = 0) {
    std::string text;
    for (int i = first; i < first + count; ++i)
        text += std::to_string(i) + "=\r\n[imagename=scene" + std::to_string(i) +
                "\r\n[ou=ou.bmp\r\n]\r\n";
    return text;
}

class BookTest : public ::testing::Test {
  protected:
    bool LoadBook(const std::string& text) {
        WriteText(dir / "story/story.txt", text);
        return book.Load(dir / "story", "story.txt");
    }
    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
};

TEST_F(BookTest, SceneCountIsLimitedAndKeysAreReadInOrder) {
    ASSERT_TRUE(LoadBook("bookname=Story\r\nNumImages=30\r\n" + SceneBlocks(30)));
    EXPECT_EQ(book.GetImageCount(), 21);
    EXPECT_EQ(book.GetBookName(), "Story");
    EXPECT_EQ(book.FindImageByName("scene20"), 20);
    EXPECT_EQ(book.FindImageByName("scene21"), -1);
    ASSERT_TRUE(LoadBook("NumImages=0\r\n" + SceneBlocks(2)));
    EXPECT_EQ(book.GetImageCount(), 0);
    // Scene 1 listed before scene 0: 0 is found after it, and the search for 1 fails.
    ASSERT_TRUE(LoadBook("NumImages=2\r\n" + SceneBlocks(1, 1) + SceneBlocks(1)));
    EXPECT_EQ(book.GetImageCount(), 2);
    EXPECT_EQ(book.GetImage(0)->GetImageName(), "scene0");
    EXPECT_EQ(book.GetImage(1)->GetImageName(), "");
    EXPECT_FALSE(book.Load(dir / "nowhere", "story.txt"));
    EXPECT_EQ(book.GetImageCount(), 0);
}

TEST_F(BookTest, SelectionWrapsAndReleasesTheSceneLeftBehind) {
    ASSERT_TRUE(LoadBook("NumImages=3\r\n" + SceneBlocks(3)));
    WriteBmp(dir / "story/ou.bmp", 4, 4, Solid({1, 2, 3}));
    EXPECT_EQ(book.SelectNext(), -1);  // nothing current yet
    EXPECT_EQ(book.SelectImage(3), -1);
    EXPECT_EQ(book.SelectImage(0), -1);
    ASSERT_TRUE(book.GetCurrentImage()->EnsureCanvas(false));
    EXPECT_EQ(book.SelectPrevious(), 0);
    EXPECT_EQ(book.GetCurrentIndex(), 2);
    EXPECT_FALSE(book.GetImage(0)->HoldsResources());
    EXPECT_EQ(book.SelectNext(), 2);
    EXPECT_EQ(book.GetCurrentIndex(), 0);
    EXPECT_EQ(book.SelectImageByPtr(book.GetImage(1)), 1);
    CGlimImage stranger;
    EXPECT_EQ(book.SelectImageByPtr(&stranger), -1);
    EXPECT_EQ(book.GetCurrentIndex(), 1);
}

TEST_F(BookTest, SlidePathsFollowTheScript) {
    // Script paths are relative to ../books/, so run from a folder beside it.
    std::filesystem::create_directories(dir / "play");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir / "play");
    WriteText(dir / "books/story.scr", "def\nMine.bmp\n");
    {
        ASSERT_TRUE(
            LoadBook("slides=slides\r\nscript=story.scr\r\nNumImages=12\r\n" + SceneBlocks(12)));
        ASSERT_TRUE(book.HasScript());
        EXPECT_EQ(book.GetSlidePath(9, false), dir / "story/slides/09.vkb");
        EXPECT_EQ(book.GetSlidePath(0, true), dir / "story/slides/00.vkb");
        EXPECT_EQ(book.GetSlidePath(1, true), "mine.bmp");
        EXPECT_EQ(book.GetSlidePath(12, false), "");
        EXPECT_EQ(book.GetSlidePath(-1, false), "");
        EXPECT_FALSE(book.ResetSlideIfShows(1, "other.bmp"));
        EXPECT_TRUE(book.ResetSlideIfShows(1, "mine.bmp"));
        EXPECT_EQ(book.GetSlidePath(1, true), dir / "story/slides/01.vkb");
        book.Load(dir / "nowhere", "none.txt");  // writes the changed script back from here
    }
    EXPECT_EQ(ReadAll(dir / "books/story.scr"), "def\ndef\n");
    std::filesystem::current_path(previous);
}

TEST_F(BookTest, BinderPicturesLoadOnRequest) {
    WriteBmp(dir / "story/binder.bmp", 3, 9, Solid({1, 2, 3}));
    ASSERT_TRUE(LoadBook("binder=binder.bmp\r\nbinderhighlight=missing.bmp\r\nNumImages=0\r\n"));
    ASSERT_NE(book.GetBinderPicture(), nullptr);
    EXPECT_EQ(book.GetBinderPicture()->GetSize(), CSize(3, 9));
    ASSERT_NE(book.GetBinderHighlightPicture(), nullptr);
    EXPECT_FALSE(book.GetBinderHighlightPicture()->IsValid());
    EXPECT_EQ(messages.messages.size(), 1u);  // reported once, not on every request
}

TEST(BookCatalogue, LinesNameBooksAndTheScrapbook) {
    CBookCatalogue catalogue;
    catalogue.Parse("story\r\n\r\nD:\\Books\\story\\\r\nscrapbook=scrap\r\nlast", "../books/");
    // The last line counts even without its line end.
    ASSERT_EQ(catalogue.GetLines().size(), 4u);
    EXPECT_EQ(catalogue.GetLines()[3].folder, "../books/last");
    const CBookCatalogue::Line* first = catalogue.GetFirstBook();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->folder + "/" + first->descriptionFile, "../books/story/story.txt");
    const CBookCatalogue::Line& path = catalogue.GetLines()[1];
    EXPECT_TRUE(path.isPath);
    EXPECT_EQ(path.folder + "/" + path.descriptionFile, "D:/Books/story/story.txt");
    ASSERT_NE(catalogue.GetScrapbook(), nullptr);
    EXPECT_EQ(catalogue.GetScrapbook()->scrapbookFolder, "../books/scrap");
    EXPECT_EQ(catalogue.GetScrapbook()->indexFile, "scrap.txt");
    EXPECT_FALSE(catalogue.Read("/nonexistent/"));
}

// The kit's story book, once the build has generated the content tree.
TEST(KitContent, StoryBookLoadsAndItsScenesColour) {
    const std::string books = std::string(TALEWICK_BINARY_DIR) + "/content/books/";
    CBookCatalogue catalogue;
    if (!catalogue.Read(books)) GTEST_SKIP() << "no generated content in " << books;
    const CBookCatalogue::Line* line = catalogue.GetFirstBook();
    ASSERT_NE(line, nullptr);
    CGlimBook book;
    const std::string folder =
        line->isPath ? line->folder
                     : books + line->descriptionFile.substr(0, line->descriptionFile.size() - 4);
    ASSERT_TRUE(book.Load(folder, line->descriptionFile));
    ASSERT_GT(book.GetImageCount(), 0);
    book.SelectImage(0);
    CGlimImage* scene = book.GetCurrentImage();
    ASSERT_TRUE(scene->EnsureCanvas(false));
    ASSERT_TRUE(scene->EnsureMapping(false));
    EXPECT_GT(scene->GetSize().cx, 0);
}

}  // namespace
