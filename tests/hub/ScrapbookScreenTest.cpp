// The scrapbook screen on the real content: which view it opens on, the shelf, paging,
// trash, add slide, projector messages, the scribble pad, the thumbnail click, the pinned
// window and the scrolling shelf.
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "HubFixture.h"
#include "coloring/CPictureShelf.h"
#include "models/CGlimImage.h"
#include "resources/ScreenLayouts.h"
#include "scrapbook/CScrapbookDlg.h"

namespace {

class ScrapbookScreenTest : public HubFixture {
  protected:
    void Prepare(CScrapbookDlg& screen, int bookCount = 1) {
        screen.SetBooks(&shelf[1], bookCount);
        screen.SetScrapbook(&scrapbook);
        screen.SetPalette(&palette);
        screen.SetCursorObject(&cursor);
        screen.SetClickSound(&click);
        screen.SetPosition(0, 0, 640, 480);
    }
    void Open(CScrapbookDlg& screen, int bookCount = 1) {
        Prepare(screen, bookCount);
        ASSERT_TRUE(screen.Create(CScrapbookDlg::kTemplateId, nullptr));
    }
    // The colour at the thumbnail well's centre.
    COLORREF ThumbnailCentre() {
        WindowManager::Instance().PresentIfDirty();
        return backend.Surface().GetPixel(206 + 114, 238 + 75);
    }
};

TEST_F(ScrapbookScreenTest, OpensOnTheStoryBookWhenTheScrapbookIsEmptyElseOnTheScrapbook) {
    {
        CScrapbookDlg screen;
        Open(screen);
        EXPECT_FALSE(screen.IsShowingScrapbook());
        EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Book(0));
        EXPECT_EQ(screen.GetShownPicture(), shelf[1].GetImage(0));
        EXPECT_TRUE(screen.GetButton(CScrapbookDlg::kBook1).IsOn());
        // One book: the other six slots are hidden and hold no book.
        EXPECT_FALSE(screen.GetButton(CScrapbookDlg::kBook2).IsWindowVisible());
        EXPECT_EQ(screen.GetSlotBook(1), std::nullopt);
        EXPECT_FALSE(screen.IsShelfScrolling());
        screen.DestroyWindow();
    }
    shelf[1].SelectImage(-1);
    ASSERT_EQ(AddEntry(3), 0);
    CScrapbookDlg screen;
    Open(screen);
    EXPECT_TRUE(screen.IsShowingScrapbook());
    EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Nothing());
    EXPECT_EQ(screen.GetShownPicture(), shelf[1].GetImage(3));
    EXPECT_EQ(screen.GetShownBookIndex(), 0);
    EXPECT_FALSE(screen.GetButton(CScrapbookDlg::kBook1).IsOn());
}

TEST_F(ScrapbookScreenTest, PagingWrapsAndTheShownSlotIsQuiet) {
    CScrapbookDlg screen;
    Open(screen);
    Command(screen, CScrapbookDlg::kBook1);
    EXPECT_EQ(CountSound("click.wav"), 0) << "the shown book's slot must do nothing";
    Command(screen, CScrapbookDlg::kImageLeft);
    EXPECT_EQ(shelf[1].GetCurrentIndex(), 11);
    const COLORREF lastThumb = ThumbnailCentre();
    Command(screen, CScrapbookDlg::kImageRight);
    EXPECT_EQ(shelf[1].GetCurrentIndex(), 0);
    EXPECT_EQ(CountSound("click.wav"), 2);
    EXPECT_NE(ThumbnailCentre(), lastThumb) << "the thumbnail follows the picture";
    // Pictures left behind hold nothing.
    EXPECT_FALSE(shelf[1].GetImage(11)->HoldsResources());
    // The scrapbook button does nothing while the scrapbook is empty.
    Command(screen, CScrapbookDlg::kScrapbook);
    EXPECT_FALSE(screen.IsShowingScrapbook());
    EXPECT_EQ(CountSound("click.wav"), 2);
}

TEST_F(ScrapbookScreenTest, ScrapbookAndBookViewsSwitchBothWays) {
    ASSERT_EQ(AddEntry(2), 0);
    ASSERT_EQ(AddEntry(5), 1);
    CScrapbookDlg screen;
    Open(screen);
    ASSERT_TRUE(screen.IsShowingScrapbook());
    Command(screen, CScrapbookDlg::kImageRight);
    EXPECT_EQ(scrapbook.GetCurrentIndex(), 1);
    Command(screen, CScrapbookDlg::kImageRight);
    EXPECT_EQ(scrapbook.GetCurrentIndex(), 0);
    Command(screen, CScrapbookDlg::kBook1);
    EXPECT_FALSE(screen.IsShowingScrapbook());
    EXPECT_EQ(scrapbook.GetCurrentIndex(), -1);
    EXPECT_EQ(shelf[1].GetCurrentIndex(), 0);
    EXPECT_TRUE(screen.GetButton(CScrapbookDlg::kBook1).IsOn());
    // Trash and Add Slide do nothing while a book is shown, not even a sound.
    const int clicks = CountSound("click.wav");
    Command(screen, CScrapbookDlg::kTrash);
    Command(screen, CScrapbookDlg::kAddSlide);
    EXPECT_EQ(CountSound("click.wav"), clicks);
    EXPECT_EQ(scrapbook.GetCount(), 2);
    Command(screen, CScrapbookDlg::kScrapbook);
    EXPECT_TRUE(screen.IsShowingScrapbook());
    EXPECT_EQ(scrapbook.GetCurrentIndex(), 0);
    EXPECT_EQ(shelf[1].GetCurrentIndex(), -1);
}

TEST_F(ScrapbookScreenTest, TrashDeletesOnlyAfterYesAndTheLastDeletionShowsTheFirstBook) {
    ASSERT_EQ(AddEntry(4), 0);
    const std::string saved = scrapbook.GetEntrySavedFile(0);
    const fs::path entryFolder = fs::path(saved).parent_path();
    ASSERT_TRUE(fs::exists(saved));
    CScrapbookDlg screen;
    Open(screen);
    ASSERT_TRUE(screen.IsShowingScrapbook());

    // "No" keeps the picture.
    // The confirmation opens over the screen; "no" and "yes" are its buttons.
    const CRect& popup = ScreenLayouts::kPopupRect;
    Script({[this, &popup] { backend.InjectClick(ScreenLayouts::Trash::kNo.CentreOn(popup)); }});
    Command(screen, CScrapbookDlg::kTrash);
    EXPECT_EQ(scrapbook.GetCount(), 1);
    EXPECT_TRUE(fs::exists(saved));

    Script({[this, &popup] { backend.InjectClick(ScreenLayouts::Trash::kYes.CentreOn(popup)); }});
    Command(screen, CScrapbookDlg::kTrash);
    EXPECT_EQ(scrapbook.GetCount(), 0);
    EXPECT_FALSE(fs::exists(entryFolder));
    EXPECT_TRUE(fs::exists("../books/scrapbook/scrapbook.txt"));
    EXPECT_TRUE(fs::exists("../books/pip/morning/page.bmp"));
    EXPECT_EQ(CountSound("img_gone.wav"), 1);
    EXPECT_FALSE(screen.IsShowingScrapbook());
    EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Book(0));
    EXPECT_EQ(shelf[1].GetCurrentIndex(), 0);
    EXPECT_NE(ThumbnailCentre(), RGB(255, 255, 255)) << "the book's first picture is drawn";
}

TEST_F(ScrapbookScreenTest, AddSlideMakesTheSavedPictureTheScenesSlide) {
    ASSERT_EQ(AddEntry(6), 0);
    CScrapbookDlg screen;
    Open(screen);
    EXPECT_EQ(shelf[1].GetSlidePath(6, true), "../books/pip/slides/06.vkb");
    Command(screen, CScrapbookDlg::kAddSlide);
    EXPECT_EQ(shelf[1].GetSlidePath(6, true), scrapbook.GetEntrySavedFile(0));
    EXPECT_EQ(CountSound("slidshow.wav"), 1);
    EXPECT_EQ(CountSound("click.wav"), 0);
    // The other slides stay the story's.
    EXPECT_EQ(shelf[1].GetSlidePath(5, true), "../books/pip/slides/05.vkb");
}

TEST_F(ScrapbookScreenTest, ProjectorExplainsWhyThereIsNoSlideShow) {
    // A scribble-pad picture in the scrapbook: no story to show.
    CGlimImage* page = shelf[0].GetImage(0);
    ASSERT_TRUE(page->EnsureCanvas());
    ASSERT_EQ(scrapbook.AddEntry(page, &shelf[0]), 0);
    page->ReleaseAll();
    CScrapbookDlg screen;
    Open(screen);
    ASSERT_TRUE(screen.IsShowingScrapbook());
    EXPECT_EQ(screen.GetShownBookIndex(), -1);
    Command(screen, CScrapbookDlg::kProjector);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "You must select a story to see a slide show.");
    EXPECT_EQ(CountSound("seeslide.wav"), 0);

    // A story without a slides folder is named.
    std::string description;
    {
        std::ifstream in("../books/pip/pip.txt", std::ios::binary);
        description.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t at = description.find("slides=slides\r\n");
    ASSERT_NE(at, std::string::npos);
    description.erase(at, std::string("slides=slides\r\n").size());
    std::ofstream("../books/pip/plain.txt", std::ios::binary) << description;
    ASSERT_TRUE(shelf[2].Load("../books/pip/", "plain.txt"));
    CScrapbookDlg second;
    scrapbook.Select(-1);
    shelf[2].SelectImage(0);
    Prepare(second, 2);
    ASSERT_TRUE(second.Create(CScrapbookDlg::kTemplateId, nullptr));
    Command(second, CScrapbookDlg::kBook2);
    Command(second, CScrapbookDlg::kProjector);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "There are no slides available for " + shelf[2].GetBookName());
}

TEST_F(ScrapbookScreenTest, ScribblePadAndThumbnailEndTheScreenWithTheirChoice) {
    {
        CScrapbookDlg screen;
        Prepare(screen);
        Script({[] { Command(*GetActiveWindow(), CScrapbookDlg::kScribblePad); }});
        EXPECT_EQ(screen.DoModal(), IDOK);
        EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::ScribblePad());
        EXPECT_FALSE(screen.IsShowingScrapbook());
        EXPECT_EQ(shelf[0].GetCurrentIndex(), 0);
        EXPECT_EQ(screen.GetShownPicture(), shelf[0].GetImage(0));
        EXPECT_EQ(shelf[1].GetCurrentIndex(), -1);
        EXPECT_EQ(screen.GetShownBookIndex(), -1)
            << "the scribble pad stands in front of the books";
    }
    CScrapbookDlg screen;
    Prepare(screen);
    Script({[] { Command(*GetActiveWindow(), CScrapbookDlg::kImageRight); },
            [this] { backend.InjectClick(CPoint(300, 300)); }});
    EXPECT_EQ(screen.DoModal(), IDOK);
    EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Book(0));
    EXPECT_EQ(shelf[1].GetCurrentIndex(), 1);
}

TEST_F(ScrapbookScreenTest, WindowStaysPinnedAndCursorFollowsTheThumbnail) {
    CScrapbookDlg screen;
    Prepare(screen);
    screen.SetPosition(10, 20, 0, 0);
    ASSERT_TRUE(screen.Create(CScrapbookDlg::kTemplateId, nullptr));
    CRect rect;
    screen.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 650, 500)) << "0 size stands for the background's size";
    screen.MoveWindow(100, 100, 50, 50);
    screen.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 650, 500));

    backend.SetCursorPos(CPoint(10 + 300, 20 + 300));
    screen.SendMessage(WM_SETCURSOR, 0, 0);
    EXPECT_EQ(cursor.GetShape(), CursorShape::Wand);
    backend.SetCursorPos(CPoint(10 + 600, 20 + 20));
    screen.SendMessage(WM_SETCURSOR, 0, 0);
    EXPECT_EQ(cursor.GetShape(), CursorShape::Pointer);
}

TEST_F(ScrapbookScreenTest, DraggingTheThumbScrollsTheShelfOneStepAtATime) {
    for (int i = 2; i < kShelfSize; ++i) ASSERT_TRUE(shelf[i].Load("../books/pip/", "pip.txt"));
    CScrapbookDlg screen;
    Open(screen, kShelfSize - 1);
    ASSERT_TRUE(screen.IsShelfScrolling());
    ASSERT_EQ(screen.GetShelfLastPosition(), 2);
    EXPECT_EQ(screen.GetSlotBook(0), 0);
    const UINT held = MK_LBUTTON;

    // Within the slack nothing moves; past it the shelf steps and the cursor is carried.
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(163 + 21 + 10, 199));
    EXPECT_EQ(screen.GetShelfPosition(), 0);
    backend.SetCursorPos(CPoint(195, 199));
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(195, 199));
    EXPECT_EQ(screen.GetShelfPosition(), 1);
    const int step = screen.GetThumbPosition(1) - screen.GetThumbPosition(0);
    EXPECT_EQ(backend.GetCursorPos().x, 195 + step - 10);
    EXPECT_EQ(screen.GetSlotBook(0), 1);
    EXPECT_EQ(screen.GetSlotBook(6), 7);
    CRect thumb;
    screen.GetDlgItem(CScrapbookDlg::kScrollThumbArea)->GetWindowRect(&thumb);
    EXPECT_EQ(thumb.left, 163 + screen.GetThumbPosition(1));
    // Book 0 scrolled out of sight: no slot is lit.
    for (int id : CScrapbookDlg::kSlotIds) EXPECT_FALSE(screen.GetButton(id).IsOn());

    // Without the left button alone held, or outside the thumb, nothing happens.
    const int x = thumb.left + 40;
    screen.SendMessage(WM_MOUSEMOVE, held | MK_RBUTTON, MAKELPARAM(x, 199));
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(x, 230));
    EXPECT_EQ(screen.GetShelfPosition(), 1);
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(x, 199));
    EXPECT_EQ(screen.GetShelfPosition(), 2);
    screen.GetDlgItem(CScrapbookDlg::kScrollThumbArea)->GetWindowRect(&thumb);
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(thumb.left + 40, 199));
    EXPECT_EQ(screen.GetShelfPosition(), 2) << "the last step stops the shelf";
    screen.SendMessage(WM_MOUSEMOVE, held, MAKELPARAM(thumb.left + 2, 199));
    EXPECT_EQ(screen.GetShelfPosition(), 1);
    EXPECT_EQ(screen.GetSlotBook(0), 1);
}

TEST_F(ScrapbookScreenTest, TheCatalogueFillsTheShelfAndTheBookViewShowsEveryBinder) {
    CPictureShelf books;
    ASSERT_TRUE(books.Load([](bool) {}));
    ASSERT_EQ(books.GetBookCount(), 3);
    EXPECT_EQ(books.BookAt(3), nullptr);
    // The first story stays first: the screens open on it.
    EXPECT_EQ(books.BookAt(0)->GetBookName(), shelf[1].GetBookName());
    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        names.insert(books.BookAt(i)->GetBookName());
        EXPECT_GE(books.BookAt(i)->GetImageCount(), 10) << books.BookAt(i)->GetBookName();
    }
    EXPECT_EQ(names.size(), 3u) << "every book has a name of its own";

    CScrapbookDlg screen;
    screen.SetBooks(books.GetStoryBooks(), books.GetBookCount());
    screen.SetScrapbook(&books.GetScrapbook());
    screen.SetPalette(&palette);
    screen.SetCursorObject(&cursor);
    screen.SetClickSound(&click);
    screen.SetPosition(0, 0, 640, 480);
    ASSERT_TRUE(screen.Create(CScrapbookDlg::kTemplateId, nullptr));
    for (int slot = 0; slot < 3; ++slot) {
        // Shown among its siblings (the screen itself is not put on the display here).
        EXPECT_NE(screen.GetButton(CScrapbookDlg::kSlotIds[slot]).GetStyle() & WS_VISIBLE, 0u)
            << slot;
        EXPECT_EQ(screen.GetSlotBook(slot), slot);
    }
    EXPECT_EQ(screen.GetButton(CScrapbookDlg::kBook4).GetStyle() & WS_VISIBLE, 0u);
    EXPECT_EQ(screen.GetSlotBook(3), std::nullopt);
    EXPECT_FALSE(screen.IsShelfScrolling());
    // The third binder opens the third book at its first scene.
    Command(screen, CScrapbookDlg::kBook3);
    EXPECT_EQ(screen.GetCurrentBook(), ShelfChoice::Book(2));
    EXPECT_EQ(screen.GetShownPicture(), books.BookAt(2)->GetImage(0));
    EXPECT_TRUE(screen.GetButton(CScrapbookDlg::kBook3).IsOn());
    screen.DestroyWindow();
}

}  // namespace
