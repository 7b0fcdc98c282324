// Text on memory and window device contexts: where letters land, clipping, measuring with
// DT_CALCRECT, alignment, colours and background modes, 8-bit surfaces, fonts.
#include <string>

#include "PlatformFixture.h"
#include "platform/draw/CMemoryDC.h"
#include "platform/draw/CPaintDC.h"
#include "platform/draw/CSurface.h"
#include "platform/print/CFont.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 0, 0);
constexpr COLORREF kCell = RGB(0, 0, 255);
const std::string kSentence = "The little fox sleeps under the old oak tree";

// The bounding box of the pixels whose colour passes `test` (empty when there are none).
template <typename Test>
CRect BoxWhere(const CSurface& s, Test test) {
    CRect box;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (!test(s.GetPixel(x, y))) continue;
            box = box.IsRectEmpty()
                      ? CRect(x, y, x + 1, y + 1)
                      : CRect(std::min<int>(box.left, x), std::min<int>(box.top, y),
                              std::max<int>(box.right, x + 1), std::max<int>(box.bottom, y + 1));
        }
    }
    return box;
}

CRect ChangedBox(const CSurface& s, COLORREF background) {
    return BoxWhere(s, [background](COLORREF c) { return c != background; });
}

CRect BoxOf(const CSurface& s, COLORREF colour) {
    return BoxWhere(s, [colour](COLORREF c) { return c == colour; });
}

bool HasNear(const CSurface& s, COLORREF colour, int tolerance) {
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.GetPixel(x, y);
            if (std::abs(GetRValue(c) - GetRValue(colour)) <= tolerance &&
                std::abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
                std::abs(GetBValue(c) - GetBValue(colour)) <= tolerance) {
                return true;
            }
        }
    }
    return false;
}

bool Inside(const CRect& inner, const CRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class TextDrawingTest : public ::testing::Test {
  protected:
    TextDrawingTest() : surface(320, 120, 32), dc(surface) { surface.Fill(kPaper); }
    CSurface surface;
    CMemoryDC dc;
};

TEST_F(TextDrawingTest, LettersInTheTextColourLandInsideTheMeasuredRectangle) {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kInk);
    CRect measured(20, 30, 300, 90);
    const int height = dc.DrawText("Hello children", &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.left, 20);
    EXPECT_EQ(measured.top, 30);
    EXPECT_EQ(measured.Height(), height);
    TEXTMETRIC metrics;
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(height, metrics.tmHeight);
    EXPECT_GE(height, 14);
    EXPECT_LE(height, 20) << "the display's own font has lines of about 16 pixels";

    CRect rect(20, 30, 300, 90);
    EXPECT_EQ(dc.DrawText("Hello children", &rect, DT_SINGLELINE), height);
    const CRect ink = ChangedBox(surface, kPaper);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_TRUE(Inside(ink, measured)) << "ink beyond the measured extent";
    EXPECT_GT(ink.Width(), measured.Width() * 3 / 4) << "the letters span the measured width";
    EXPECT_TRUE(HasNear(surface, kInk, 40)) << "the letters are in the text colour";
}

TEST_F(TextDrawingTest, TextStaysInItsRectangleAndTheContextsClipUnlessNoClip) {
    CRect narrow(10, 10, 60, 40);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(kSentence, &narrow, DT_SINGLELINE);
    EXPECT_TRUE(Inside(ChangedBox(surface, kPaper), narrow));

    surface.Fill(kPaper);
    dc.DrawText(kSentence, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(ChangedBox(surface, kPaper).right, narrow.right + 100) << "DT_NOCLIP spills over";

    // A window-like context: origin (50, 20), clip (60, 25)-(120, 45) on the surface.
    surface.Fill(kPaper);
    const CRect clip(60, 25, 120, 45);
    CMemoryDC window(surface, CPoint(50, 20), clip);
    window.SetBkColor(kCell);
    CRect wide(0, 0, 300, 60);
    window.DrawText(kSentence, &wide, DT_SINGLELINE | DT_NOCLIP);
    const CRect ink = ChangedBox(surface, kPaper);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_TRUE(Inside(ink, clip)) << "nothing is drawn outside the context's clip";
}

TEST_F(TextDrawingTest, WordBreakWrapsAtTheWidthAndCentringBalancesTheMargins) {
    CRect oneLine(0, 0, 1000, 10);
    const int lineHeight = dc.DrawText(kSentence, &oneLine, DT_CALCRECT | DT_WORDBREAK);
    CRect narrow(5, 5, 125, 10);
    const int wrapped = dc.DrawText(kSentence, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(wrapped, 3 * lineHeight);
    EXPECT_EQ(wrapped % lineHeight, 0) << "whole lines";
    EXPECT_LE(narrow.right, 125);
    EXPECT_EQ(narrow.bottom, 5 + wrapped);
    EXPECT_LT(oneLine.right, 1000);

    // Opaque cells show where each line was placed: centred lines leave equal margins.
    dc.SetBkColor(kCell);
    CRect box(10, 10, 310, 110);
    dc.DrawText("Pip", &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect cell = BoxOf(surface, kCell);
    ASSERT_FALSE(cell.IsRectEmpty());
    EXPECT_NEAR(cell.left - box.left, box.right - cell.right, 2);
    EXPECT_NEAR(cell.top - box.top, box.bottom - cell.bottom, 2);

    surface.Fill(kPaper);
    CRect column(100, 0, 220, 120);
    dc.DrawText(kSentence, &column, DT_CENTER | DT_WORDBREAK);
    const CRect lines = BoxOf(surface, kCell);
    EXPECT_EQ(lines.top, 0);
    EXPECT_NEAR(lines.Height(), wrapped, 1);
    EXPECT_TRUE(Inside(lines, column));

    surface.Fill(kPaper);
    dc.DrawText("Pip", &box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    const CRect corner = BoxOf(surface, kCell);
    EXPECT_NEAR(corner.right, box.right, 1);
    EXPECT_NEAR(corner.bottom, box.bottom, 1);
}

TEST_F(TextDrawingTest, OpaqueFillsEachLinesCellAndTransparentKeepsWhatWasThere) {
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.SetBkColor(kCell), kPaper);
    CRect measured(40, 20, 300, 100);
    dc.DrawText("Colour me", &measured, DT_CALCRECT | DT_SINGLELINE);
    CRect rect(40, 20, 300, 100);
    dc.DrawText("Colour me", &rect, DT_SINGLELINE);
    const CRect cell = BoxOf(surface, kCell);
    EXPECT_NEAR(cell.left, measured.left, 1);
    EXPECT_NEAR(cell.top, measured.top, 1);
    EXPECT_NEAR(cell.right, measured.right, 1);
    EXPECT_NEAR(cell.bottom, measured.bottom, 1);
    EXPECT_TRUE(Inside(ChangedBox(surface, kPaper), cell));

    surface.Fill(kPaper);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetBkMode(42), 0) << "an unknown mode is refused";
    dc.DrawText("Colour me", &rect, DT_SINGLELINE);
    EXPECT_TRUE(BoxOf(surface, kCell).IsRectEmpty());
    EXPECT_FALSE(ChangedBox(surface, kPaper).IsRectEmpty());
}

TEST_F(TextDrawingTest, SelectedFontSizesTheTextAndTextOutDrawsFromItsPoint) {
    CRect small(0, 0, 1000, 10);
    const int deviceHeight = dc.DrawText("Story", &small, DT_CALCRECT | DT_SINGLELINE);
    CFont big;
    ASSERT_TRUE(big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial"));
    EXPECT_EQ(dc.SelectObject(&big), nullptr);
    CRect large(0, 0, 1000, 10);
    EXPECT_GE(dc.DrawText("Story", &large, DT_CALCRECT | DT_SINGLELINE), 40);
    EXPECT_GT(large.Width(), small.Width());
    CFont unmade;
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
    EXPECT_EQ(dc.SelectObject(nullptr), &big) << "the refused font left the selection alone";
    CRect again(0, 0, 1000, 10);
    EXPECT_EQ(dc.DrawText("Story", &again, DT_CALCRECT | DT_SINGLELINE), deviceHeight);

    dc.SetBkColor(kCell);
    ASSERT_TRUE(dc.TextOut(250, 60, "Story"));
    const CRect cell = BoxOf(surface, kCell);
    EXPECT_EQ(cell.TopLeft(), CPoint(250, 60));
    EXPECT_NEAR(cell.Width(), again.Width(), 1);
}

TEST(TextDrawing8Bit, LettersTakeNearestPaletteColoursAndUntouchedPixelsKeepTheirIndex) {
    CSurface surface(200, 60, 8);
    PALETTEENTRY entries[256] = {};
    for (int i = 0; i < 256; ++i) {
        const BYTE v = static_cast<BYTE>(i);
        entries[i] = PALETTEENTRY{v, v, v, 0};
    }
    entries[10] = PALETTEENTRY{200, 0, 0, 0};
    // Index 7 shows the same white as 255 and a search finds it first: the surface holds
    // 255, so a pixel the letters left alone must not be looked up again.
    entries[7] = PALETTEENTRY{255, 255, 255, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(0x300, entries, 256));
    surface.RealizePalette(palette);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) surface.Row(y)[x] = 255;

    CMemoryDC dc(surface);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(200, 0, 0));
    CRect rect(10, 10, 190, 50);
    dc.DrawText("Red crayon", &rect, DT_SINGLELINE);
    int red = 0, changed = 0, outside = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            const BYTE index = surface.Row(y)[x];
            if (index == 255) continue;
            ++changed;
            red += index == 10 ? 1 : 0;
            outside += rect.PtInRect(CPoint(x, y)) ? 0 : 1;
        }
    }
    EXPECT_GT(red, 20) << "the letters' cores take the palette's red";
    EXPECT_GT(changed, red) << "antialiased edges take in-between colours";
    EXPECT_EQ(outside, 0);
}

// A window painting text on WM_PAINT, as the program's screens do.
class TextWindow : public CWnd {
  public:
    void OnPaint() override {
        CPaintDC dc(this);
        dc.FillSolidRect(CRect(0, 0, 200, 100), kPaper);
        dc.SetTextColor(kInk);
        CRect rect(0, 0, 200, 100);
        dc.DrawText(kSentence, &rect, DT_WORDBREAK);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
};

class WindowTextTest : public PlatformTest {};

TEST_F(WindowTextTest, PaintDrawsTextAtTheWindowsPlaceWithinItsUpdateRectangle) {
    backend.Surface().Fill(RGB(0, 0, 0));
    TextWindow window;
    ASSERT_TRUE(window.CreateEx(WS_POPUP | WS_VISIBLE, CRect(100, 50, 300, 150), nullptr, 0));
    Pump();
    const CRect painted = ChangedBox(backend.Surface(), RGB(0, 0, 0));
    EXPECT_EQ(painted, CRect(100, 50, 300, 150));
    EXPECT_TRUE(HasNear(backend.Surface(), kInk, 40));

    // Only the update rectangle is drawn again: the rest keeps what is there.
    backend.Surface().Fill(RGB(0, 0, 0));
    CRect part(0, 0, 60, 30);
    window.InvalidateRect(&part, FALSE);
    Pump();
    EXPECT_EQ(ChangedBox(backend.Surface(), RGB(0, 0, 0)), CRect(100, 50, 160, 80));
}

}  // namespace
