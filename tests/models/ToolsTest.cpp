// Brush masks and strokes, the region fill and its refresh cadence.
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "coloring/CPictureView.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/Preferences.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/base/WinUser.h"
#include "platform/window/CWnd.h"

using namespace fixture;

namespace {

int InsideCells(const CGlimBrush& brush, int row) {
    int inside = 0;
    for (int j = 0; j < brush.GetColumns(); ++j) inside += brush.GetCell(row, j) > 0.0f;
    return inside;
}

TEST(BrushMask, RoundAndSquareShapesAndAnchors) {
    CGlimBrush brush;
    brush.MakeRound(3, 1.0f);
    EXPECT_EQ(brush.GetAnchor(), CPoint(3, 3));
    const int small[] = {4, 6, 6, 6, 6, 4};
    for (int row = 0; row < 6; ++row) EXPECT_EQ(InsideCells(brush, row), small[row]) << row;
    EXPECT_EQ(brush.GetCell(0, 0), 0.0f);
    brush.MakeRound(9, 0.05f);
    const int big[] = {6, 10, 12, 14, 16, 16, 18, 18, 18, 18, 18, 18, 16, 16, 14, 12, 10, 6};
    for (int row = 0; row < 18; ++row) EXPECT_EQ(InsideCells(brush, row), big[row]) << row;
    EXPECT_EQ(brush.GetCell(9, 9), 0.05f);
    brush.MakeCheckers();
    EXPECT_EQ(brush.GetAnchor(), CPoint(9, 9));
    EXPECT_EQ(brush.GetCell(0, 0), 1.0f);
    EXPECT_EQ(brush.GetCell(0, 6), 0.0f);
    EXPECT_EQ(brush.GetCell(8, 8), 1.0f);
    brush.MakeSquare(6, 1.0f);
    EXPECT_EQ(brush.GetAnchor(), CPoint(3, 3));
    EXPECT_FALSE(brush.SetMask(nullptr, 2, 2));
    const float cells[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    EXPECT_FALSE(brush.SetMask(cells, -2, 2));
    EXPECT_EQ(brush.GetRows(), 6);  // refused masks leave the shape as it was
    EXPECT_TRUE(brush.SetMask(cells, 1, 4));
    EXPECT_EQ(brush.GetColumns(), 4);
}

// 20 × 16 scene, light 255 so shading keeps (almost) the swatch; object 5 on the left
// half (two patches: x < 6 and 14 <= x), object 7 between.
class ToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(
            dir.Path(), 20, 16, Solid({255, 255, 255}),
            [](int x, int) {
                return Rgb{static_cast<BYTE>(x < 6 || x >= 14 ? 5 : 7), 0, 0};
            },
            Solid({100, 100, 100}));
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        picture = book.GetImage(0);
        ASSERT_TRUE(crayon.LoadFiles(dir / "tex.bmp", dir / "sel.bmp"));
    }
    bool Coloured(int x, int y) { return picture->GetPrintPicture(true)->GetByte0(x, y) != 100; }

    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
    CGlimImage* picture = nullptr;
    CCrayon crayon;
    Preferences preferences;
};

TEST_F(ToolsTest, SmallSquareStampCoversItsAnchorOffsets) {
    CGlimBrush brush;
    brush.SetSwatch(crayon.GetSwatch());
    brush.SetPreferences(&preferences);
    brush.MakeSquare(6, 1.0f);
    preferences.SetStayInsideLines(false);
    ASSERT_TRUE(brush.BeginStroke(picture, CPoint(10, 10)));
    brush.EndStroke(true);
    for (int x = 5; x < 15; ++x)
        for (int y = 5; y < 15; ++y)
            EXPECT_EQ(Coloured(x, y), x >= 7 && x <= 12 && y >= 7 && y <= 12) << x << "," << y;
}

TEST_F(ToolsTest, DragStampsEveryPixelOfTheLongerAxis) {
    CGlimBrush brush;
    brush.SetSwatch(crayon.GetSwatch());
    brush.SetPreferences(&preferences);
    const float dot = 1.0f;
    brush.SetMask(&dot, 1, 1);
    preferences.SetStayInsideLines(false);
    brush.BeginStroke(picture, CPoint(10, 10));
    brush.MoveTo(CPoint(13, 11));
    for (const CPoint p : {CPoint(10, 10), CPoint(11, 10), CPoint(12, 10), CPoint(13, 11)})
        EXPECT_TRUE(Coloured(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_FALSE(Coloured(11, 11));
    EXPECT_FALSE(Coloured(13, 10));
    EXPECT_TRUE(brush.MoveTo(CPoint(0, 0)));
    brush.EndStroke(false);
    EXPECT_FALSE(brush.MoveTo(CPoint(1, 1)));
}

TEST_F(ToolsTest, StrokeAsksForARefreshAfterEachRunOfStamps) {
    CGlimBrush brush;
    brush.SetSwatch(crayon.GetSwatch());
    const float dot = 1.0f;
    brush.SetMask(&dot, 1, 1);
    std::vector<CRect> refreshed;
    brush.SetRefresh([&](CGlimImage& changed) {
        EXPECT_EQ(&changed, picture);
        refreshed.push_back(changed.GetChangedArea());
        changed.ForgetChanges();
    });
    ASSERT_TRUE(brush.BeginStroke(picture, CPoint(10, 10)));
    EXPECT_EQ(refreshed, std::vector<CRect>({CRect(10, 10, 11, 11)}));
    // The stamp at the last point, then the stamps along the line to the new one.
    brush.MoveTo(CPoint(12, 10));
    EXPECT_EQ(refreshed, std::vector<CRect>({CRect(10, 10, 11, 11), CRect(10, 10, 11, 11),
                                             CRect(11, 10, 13, 11)}));
    brush.EndStroke(true);
}

TEST_F(ToolsTest, StrokeStaysInsideTheObjectItStartedOn) {
    CGlimBrush brush;
    brush.SetSwatch(crayon.GetSwatch());
    brush.SetPreferences(&preferences);
    brush.MakeRound(9, 1.0f);
    brush.BeginStroke(picture, CPoint(5, 8));  // on object 5, the mask reaches object 7
    EXPECT_EQ(brush.GetRegionLock(), 5);
    brush.EndStroke(true);
    EXPECT_TRUE(Coloured(5, 8));
    EXPECT_TRUE(Coloured(0, 8));
    EXPECT_FALSE(Coloured(6, 8));
    preferences.SetStayInsideLines(false);
    brush.BeginStroke(picture, CPoint(5, 8));
    EXPECT_EQ(brush.GetRegionLock(), -1);
    brush.EndStroke(true);
    EXPECT_TRUE(Coloured(6, 8));
}

TEST_F(ToolsTest, NoCrayonMeansNoStrokeNoFillAndNoSnapshot) {
    CGlimBrush eraser(true);
    eraser.MakeRound(3, 1.0f);
    EXPECT_FALSE(eraser.BeginStroke(picture, CPoint(3, 3)));
    CGlimAreaFill fill;
    EXPECT_FALSE(fill.Fill(picture, CPoint(3, 3), nullptr));
    EXPECT_FALSE(picture->Undo());
}

TEST_F(ToolsTest, FillColoursBothPatchesOfTheObject) {
    CGlimAreaFill fill;
    fill.SetSwatch(crayon.GetSwatch());
    EXPECT_TRUE(fill.Fill(picture, CPoint(2, 2), nullptr));
    for (int x = 0; x < 20; ++x) EXPECT_EQ(Coloured(x, 15), x < 6 || x >= 14) << x;
    EXPECT_TRUE(picture->Undo());
    EXPECT_FALSE(Coloured(0, 0));
}

TEST_F(ToolsTest, FillOutsideAnyObjectDoesNothingAndLeavesNoUndoStep) {
    WriteBmp(dir / "scene/mg.bmp", 10, 16, Solid({5, 0, 0}));  // narrower than the canvas
    CGlimBook book2;
    ASSERT_TRUE(book2.Load(dir.Path(), "story.txt"));
    CGlimAreaFill fill;
    fill.SetSwatch(crayon.GetSwatch());
    EXPECT_FALSE(fill.Fill(book2.GetImage(0), CPoint(15, 2), nullptr));
    EXPECT_FALSE(book2.GetImage(0)->Undo());
}

TEST_F(ToolsTest, FillRefreshesBetweenColumnsAtMostEvery100ms) {
    // Object 5 all but one pixel: a page that is one object is flooded by colour, not swept.
    WriteBmp(dir / "scene/mg.bmp", 20, 16, [](int x, int y) {
        return Rgb{static_cast<BYTE>(x == 19 && y == 0 ? 6 : 5), 0, 0};
    });
    CGlimBook whole;
    ASSERT_TRUE(whole.Load(dir.Path(), "story.txt"));
    HeadlessBackend backend(64, 64, 32);
    Backend* previous = SetBackend(&backend);
    {
        CWnd window;
        ASSERT_TRUE(window.CreateEx(WS_POPUP | WS_VISIBLE, CRect(0, 0, 20, 16), nullptr, 0));
        CGlimImage* watched = whole.GetImage(0);
        CPictureView view;
        view.Show(*watched, &window);
        // A clock that moves 30 ms per reading and notes, at each reading, which columns the
        // picture still has to redraw: a refresh (only between columns, only once more than
        // 100 ms passed) empties that area.
        DWORD clock = 0;
        std::vector<int> pendingFrom;
        CGlimAreaFill fill([&] {
            pendingFrom.push_back(watched->GetChangedArea().left);
            return clock += 30;
        });
        fill.SetRefresh(view.Refresher());
        fill.SetSwatch(crayon.GetSwatch());
        EXPECT_TRUE(fill.Fill(watched, CPoint(0, 0), nullptr));
        // Readings: before the sweep, then after each column. Refreshes fall after columns
        // 3, 7, 11, 15 and 19 (clock 150, 270, 390, 510, 630), so the area still to draw
        // starts at 0, 4, 8, 12, 16.
        std::vector<int> expected = {0};
        for (int x = 0; x < 20; ++x) expected.push_back(x / 4 * 4);
        EXPECT_EQ(pendingFrom, expected);
        EXPECT_TRUE(watched->GetChangedArea().IsRectEmpty());
        CSurface& surface = backend.Surface();
        EXPECT_NE(surface.GetPixel(19, 15),
                  surface.GetPixel(30, 30));  // the sweep reached the screen
    }
    SetBackend(previous);
}

}  // namespace
