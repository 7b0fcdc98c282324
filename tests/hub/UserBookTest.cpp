// A book a grown-up renders with the content kit and copies into the user's own folder
// joins the shipped books: on the shelf after them, and with its binder on the scrapbook
// screen, which opens it like any other book.
#include <cstdlib>
#include <fstream>
#include <string>

#include "HubFixture.h"
#include "coloring/CPictureShelf.h"
#include "models/CGlimImage.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"
#include "scrapbook/CScrapbookDlg.h"

namespace {

const std::string kKit = std::string(TALEWICK_BINARY_DIR) + "/bin/talewick-kit";
const std::string kExampleBook = std::string(TALEWICK_SOURCE_DIR) + "/docs/making-a-book";

class UserBookTest : public HubFixture {
  protected:
    void SetUp() override {
        HubFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        user = root.string() + "-user";
        rendered = root.string() + "-rendered";
        fs::remove_all(user);
        fs::create_directories(user / "play");
        CContentReport::ClearLog();
    }
    void TearDown() override {
        CDataFolders::Reset();
        HubFixture::TearDown();
        if (user.empty()) return;
        fs::remove_all(user);
        fs::remove_all(rendered);
    }
    // The shipped content as the shared folder, `user` as the user's, working in its play.
    void UseFolders() {
        ASSERT_TRUE(CDataFolders::Use(root.string(), user.string()));
        fs::current_path(user / "play");
    }
    bool RenderExampleBook() {
        const std::string command = kKit + " book " + kExampleBook + " " + rendered.string() +
                                    " >" + rendered.string() + ".log 2>&1";
        fs::create_directories(rendered);
        return std::system(command.c_str()) == 0;
    }

    fs::path user;
    fs::path rendered;
};

TEST_F(UserBookTest, ARenderedBookInTheUserFolderJoinsTheShippedBooks) {
    CPictureShelf shipped;
    UseFolders();
    ASSERT_TRUE(shipped.Load([](bool) {}));
    const int shippedCount = shipped.GetBookCount();
    ASSERT_GE(shippedCount, 3);

    ASSERT_TRUE(RenderExampleBook()) << "see " << rendered.string() << ".log";
    fs::create_directories(user / "books");
    fs::copy(rendered / "books/snowy", user / "books/snowy", fs::copy_options::recursive);
    // Neither a folder without a description nor a scrapbook's index is a book.
    fs::create_directories(user / "books/notes");
    fs::create_directories(user / "books/oldscrap");
    std::ofstream(user / "books/oldscrap/oldscrap.txt") << "bookname=scrapbook\r\nimage=a\r\n";
    CPictureShelf books;
    ASSERT_TRUE(books.Load([](bool) {}));
    ASSERT_EQ(books.GetBookCount(), shippedCount + 1);
    CGlimBook* added = books.BookAt(shippedCount);
    EXPECT_EQ(added->GetBookName(), "Snowy Day");
    ASSERT_EQ(added->GetImageCount(), 2);
    EXPECT_EQ(books.BookAt(0)->GetBookName(), shipped.BookAt(0)->GetBookName())
        << "the shipped books come first";
    EXPECT_EQ(CContentReport::Log(), std::vector<std::string>{});

    CScrapbookDlg screen;
    screen.SetBooks(books.GetStoryBooks(), books.GetBookCount());
    screen.SetScrapbook(&books.GetScrapbook());
    screen.SetPalette(&palette);
    screen.SetCursorObject(&cursor);
    screen.SetClickSound(&click);
    screen.SetPosition(0, 0, 640, 480);
    ASSERT_TRUE(screen.Create(CScrapbookDlg::kTemplateId, nullptr));
    const int slot = shippedCount;
    ASSERT_LT(slot, CScrapbookDlg::kSlotCount);
    EXPECT_EQ(screen.GetSlotBook(slot), shippedCount);
    CPictureButton& binder = screen.GetButton(CScrapbookDlg::kSlotIds[slot]);
    EXPECT_NE(binder.GetStyle() & WS_VISIBLE, 0u);
    EXPECT_EQ(screen.GetSlotBook(slot + 1), std::nullopt);
    // Its binder opens it at its first scene, whose picture loads from the user's folder.
    Command(screen, CScrapbookDlg::kSlotIds[slot]);
    EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Book(shippedCount));
    ASSERT_EQ(screen.GetShownPicture(), added->GetImage(0));
    EXPECT_TRUE(added->GetImage(0)->EnsureCanvas());
    EXPECT_TRUE(messages.empty());
    screen.DestroyWindow();
}

TEST_F(UserBookTest, BooksBeyondTheShelfAreReportedNotLost) {
    UseFolders();
    // Small books of their own fill the shelf and one more.
    CPictureShelf shipped;
    ASSERT_TRUE(shipped.Load([](bool) {}));
    const int extra = CPictureShelf::kBookCapacity - shipped.GetBookCount() + 1;
    for (int i = 0; i < extra; ++i) {
        const std::string name = "zz" + std::to_string(i);
        fs::create_directories(user / "books" / name);
        std::ofstream(user / "books" / name / (name + ".txt"))
            << "bookname=" << name << "\r\nNumImages=0\r\n";
    }
    CContentReport::ClearLog();
    CPictureShelf books;
    ASSERT_TRUE(books.Load([](bool) {}));
    EXPECT_EQ(books.GetBookCount(), CPictureShelf::kBookCapacity);
    const std::vector<std::string> reports = CContentReport::Log();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "../books/zz" + std::to_string(extra - 1) +
                              ": is left off the shelf, which holds 8 books; take another "
                              "book away to show it.");
}

}  // namespace
