// The colouring screen's picture view: what it draws of a picture and when, the changed area
// it reads and forgets, and pictures that stopped being current left alone.
#include <gtest/gtest.h>

#include <memory>

#include "../models/SceneFixture.h"
#include "coloring/CPictureView.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "painting/CGlimAreaFill.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/base/WinUser.h"
#include "platform/window/CWnd.h"

using namespace fixture;

namespace {

constexpr COLORREF kGrey = RGB(100, 100, 100);
constexpr COLORREF kRed = RGB(199, 0, 0);  // red 200 under full light

// A book of two 12 × 8 scenes, uncoloured grey, in full light, all one object; a window of
// their size at the top left of a 32 × 32 display.
class PictureViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(dir.Path(), 12, 8, Solid({255, 255, 255}), Solid({1, 0, 0}),
                   Solid({100, 100, 100}));
        const std::string scene =
            "[imagefolder=scene\r\n[lt=lt.bmp\r\n[mg=mg.bmp\r\n[ou=ou.bmp\r\n]";
        WriteText(dir / "two.txt", Lines({"NumImages=2", "0=", scene, "1=", scene}));
        ASSERT_TRUE(book.Load(dir.Path(), "two.txt"));
        previous = SetBackend(&backend);
        window = std::make_unique<CWnd>();
        ASSERT_TRUE(window->CreateEx(WS_POPUP | WS_VISIBLE, CRect(0, 0, 12, 8), nullptr, 0));
        book.SelectImage(0);
        picture = book.GetCurrentImage();
    }
    void TearDown() override {
        window.reset();
        SetBackend(previous);
    }
    COLORREF Shown(int x, int y) { return backend.Surface().GetPixel(x, y); }
    void PaintRed(int x, int y) { picture->PaintPixel(x, y, red, 1.0f, -1); }

    TempDir dir;
    MessageRecorder messages;
    HeadlessBackend backend{32, 32, 32};
    Backend* previous = nullptr;
    std::unique_ptr<CWnd> window;
    CGlimBook book;
    CGlimImage* picture = nullptr;
    const Swatch red = Swatch::Solid(200, 0, 0);
    CPictureView view;
};

TEST_F(PictureViewTest, ShownWholeThenOnlyWhereThePaintingChangedIt) {
    ASSERT_TRUE(view.Show(*picture, window.get()));
    EXPECT_TRUE(picture->IsShown());
    EXPECT_EQ(Shown(0, 0), kGrey);
    EXPECT_EQ(Shown(11, 7), kGrey);
    PaintRed(9, 1);
    picture->ForgetChanges();  // as though drawn already
    PaintRed(2, 3);
    PaintRed(4, 5);
    EXPECT_EQ(picture->GetChangedArea(), CRect(2, 3, 5, 6));
    EXPECT_TRUE(view.DrawChanged(*picture));
    EXPECT_TRUE(picture->GetChangedArea().IsRectEmpty());
    EXPECT_EQ(Shown(2, 3), kRed);
    EXPECT_EQ(Shown(4, 5), kRed);
    EXPECT_EQ(Shown(9, 1), kGrey);  // outside the changed area
    EXPECT_TRUE(view.DrawWhole(*picture));
    EXPECT_EQ(Shown(9, 1), kRed);
    EXPECT_EQ(Shown(12, 0), Shown(20, 20));  // nothing beyond the picture area
}

TEST_F(PictureViewTest, DrawingPartOfTheChangedAreaForgetsThatPartWhenOneRectangleRemains) {
    ASSERT_TRUE(view.Show(*picture, window.get()));
    PaintRed(0, 0);
    PaintRed(5, 3);
    ASSERT_EQ(picture->GetChangedArea(), CRect(0, 0, 6, 4));
    EXPECT_TRUE(view.DrawArea(*picture, CRect(0, 0, 3, 4)));
    EXPECT_EQ(Shown(0, 0), kRed);
    EXPECT_EQ(Shown(5, 3), kGrey);
    EXPECT_EQ(picture->GetChangedArea(), CRect(3, 0, 6, 4));
    EXPECT_TRUE(view.DrawArea(*picture, CRect(4, 1, 5, 2)));  // a hole: kept whole
    EXPECT_EQ(picture->GetChangedArea(), CRect(3, 0, 6, 4));
    EXPECT_FALSE(view.DrawArea(*picture, CRect(2, 0, 2, 8)));  // no width
    EXPECT_TRUE(view.DrawArea(*picture, CRect(-5, -5, 40, 40)));
    EXPECT_TRUE(picture->GetChangedArea().IsRectEmpty());
    EXPECT_EQ(Shown(5, 3), kRed);
}

TEST_F(PictureViewTest, APictureLeftBehindIsNeitherDrawnNorLoadedAgain) {
    ASSERT_TRUE(view.Show(*picture, window.get()));
    PaintRed(1, 1);
    book.SelectNext();
    EXPECT_FALSE(picture->IsShown());
    EXPECT_FALSE(picture->HoldsResources());
    EXPECT_FALSE(view.DrawWhole(*picture));
    EXPECT_FALSE(view.DrawChanged(*picture));
    EXPECT_FALSE(view.DrawArea(*picture, CRect(0, 0, 12, 8)));
    EXPECT_FALSE(picture->HoldsResources());
    EXPECT_EQ(Shown(1, 1), kGrey);
    // Shown again, it is drawn again; a book loaded again shows nothing.
    EXPECT_TRUE(view.Show(*book.GetCurrentImage(), window.get()));
    ASSERT_TRUE(book.Load(dir.Path(), "two.txt"));
    EXPECT_FALSE(book.GetImage(1)->IsShown());
}

TEST_F(PictureViewTest, TheFillRefreshesThroughTheView) {
    ASSERT_TRUE(view.Show(*picture, window.get()));
    CGlimAreaFill fill;
    fill.SetRefresh(view.Refresher());
    fill.SetSwatch(red);
    ASSERT_TRUE(fill.Fill(picture, CPoint(3, 3), nullptr));
    EXPECT_EQ(Shown(0, 0), kRed);
    EXPECT_EQ(Shown(11, 7), kRed);
    EXPECT_TRUE(picture->GetChangedArea().IsRectEmpty());
}

}  // namespace
