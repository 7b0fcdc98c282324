// Update regions, owner-drawn buttons, cursors through WM_SETCURSOR, palettes, pinning.
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "imaging/CCursor.h"
#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/CButton.h"
#include "platform/window/CDialog.h"
#include "platform/window/CStatic.h"
#include "platform/window/MessageLoop.h"

namespace {

constexpr int kButton = 1040;
constexpr int kArea = 1028;

// A 300 x 200 screen at (100, 50) with a picture area and an owner-drawn button. It
// paints its update rectangle grey and records every paint and owner draw.
class Screen : public CDialog {
  public:
    Screen() : CDialog(0, nullptr) {}

    std::vector<CRect> paints;
    std::vector<UINT> drawStates;
    std::vector<int> commands;
    std::vector<int> releases;
    CCursor* cursors = nullptr;
    CRect pinned;

    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override {
        CPaintDC dc(this);
        paints.push_back(dc.m_ps.rcPaint);
        dc.FillSolidRect(dc.m_ps.rcPaint, RGB(128, 128, 128));
    }
    void OnDrawItem(int id, DRAWITEMSTRUCT* item) override {
        if (id == kButton) {
            drawStates.push_back(item->itemState);
            item->hDC->FillSolidRect(item->rcItem, (item->itemState & ODS_SELECTED) != 0
                                                       ? RGB(255, 0, 0)
                                                       : RGB(0, 0, 255));
        }
        CDialog::OnDrawItem(id, item);
    }
    BOOL OnCommand(WPARAM w, LPARAM l) override {
        commands.push_back(LOWORD(w));
        return CDialog::OnCommand(w, l);
    }
    void OnLButtonUp(UINT, CPoint p) override { releases.push_back(p.x); }
    BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message) override {
        if (cursors == nullptr) return CDialog::OnSetCursor(wnd, hit, message);
        CPoint at;
        GetCursorPos(&at);
        CRect area;
        GetDlgItem(kArea)->GetWindowRect(&area);
        cursors->SetShape(area.PtInRect(at) ? CursorShape::SmallTip : CursorShape::Pointer);
        return TRUE;
    }
    void OnWindowPosChanging(WINDOWPOS* pos) override {
        if (pinned.IsRectEmpty()) return;
        pos->x = pinned.left;
        pos->y = pinned.top;
        pos->cx = pinned.Width();
        pos->cy = pinned.Height();
    }

  protected:
    const DialogTemplate* GetDialogTemplate() const override {
        static const DialogTemplate t{
            0,
            WS_POPUP | WS_VISIBLE,
            CRect(100, 50, 400, 250),
            {{kArea, DialogTemplate::Kind::Static, CRect(20, 20, 220, 120), WS_VISIBLE, ""},
             {kButton, DialogTemplate::Kind::Button, CRect(240, 20, 280, 50),
              WS_VISIBLE | BS_OWNERDRAW, "small brush"}}};
        return &t;
    }
};

// A button object bound to the template's button, as picture buttons are.
class BoundButton : public CButton {
  public:
    BOOL OnSetCursor(CWnd*, UINT, UINT) override {
        if (cursors != nullptr) cursors->SetShape(CursorShape::Wand);
        return TRUE;
    }
    CCursor* cursors = nullptr;
};

class PaintAndControlsTest : public PlatformTest {
  protected:
    void Open() {
        screen.Create(0, nullptr);
        Pump();
        screen.paints.clear();
        screen.drawStates.clear();
    }
    Screen screen;
};

TEST_F(PaintAndControlsTest, PaintCoversOnlyTheInvalidRectangle) {
    Open();
    backend.Surface().Fill(RGB(0, 0, 0));
    CRect part(30, 40, 50, 60);
    screen.InvalidateRect(&part, FALSE);
    Pump();
    ASSERT_EQ(screen.paints.size(), 1U);
    EXPECT_EQ(screen.paints[0], part);
    // On the display only that rectangle (at the window's place) turned grey.
    const CSurface& s = backend.Surface();
    EXPECT_EQ(s.GetPixel(100 + 30, 50 + 40), RGB(128, 128, 128));
    EXPECT_EQ(s.GetPixel(100 + 49, 50 + 59), RGB(128, 128, 128));
    EXPECT_EQ(s.GetPixel(100 + 50, 50 + 60), RGB(0, 0, 0));
    EXPECT_FALSE(screen.GetUpdateRect(nullptr));
}

TEST_F(PaintAndControlsTest, InvalidationsMergeIntoOnePaint) {
    Open();
    CRect a(10, 10, 20, 20), b(50, 5, 60, 15);
    screen.InvalidateRect(&a, FALSE);
    screen.InvalidateRect(&b, FALSE);
    Pump();
    ASSERT_EQ(screen.paints.size(), 1U);
    EXPECT_EQ(screen.paints[0], CRect(10, 5, 60, 20));
}

TEST_F(PaintAndControlsTest, RepaintingAChildLeavesTheParentAlone) {
    Open();
    screen.GetDlgItem(kButton)->Invalidate(FALSE);
    Pump();
    EXPECT_TRUE(screen.paints.empty());
    EXPECT_EQ(screen.drawStates.size(), 1U);
}

TEST_F(PaintAndControlsTest, RepaintingTheParentOverAChildRedrawsTheChildAfterwards) {
    Open();
    CRect overButton(230, 10, 290, 60);
    screen.InvalidateRect(&overButton, FALSE);
    Pump();
    EXPECT_EQ(screen.paints.size(), 1U);
    EXPECT_EQ(screen.drawStates.size(), 1U);
    // The button's face is on top of the grey background.
    EXPECT_EQ(backend.Surface().GetPixel(100 + 250, 50 + 30), RGB(0, 0, 255));
}

TEST_F(PaintAndControlsTest, OwnerDrawnButtonShowsSelectedWhilePressedAndClicksOnReleaseInside) {
    Open();
    backend.InjectButton(CPoint(100 + 250, 50 + 30), true);
    Pump();
    ASSERT_EQ(screen.drawStates.size(), 1U);
    EXPECT_EQ(screen.drawStates.back() & ODS_SELECTED, ODS_SELECTED);
    EXPECT_EQ(backend.Surface().GetPixel(100 + 250, 50 + 30), RGB(255, 0, 0));
    // Leaving the button while held shows it released, coming back pressed again.
    backend.InjectMove(CPoint(100 + 10, 50 + 10));
    backend.InjectMove(CPoint(100 + 260, 50 + 40));
    Pump();
    ASSERT_EQ(screen.drawStates.size(), 3U);
    EXPECT_EQ(screen.drawStates[1] & ODS_SELECTED, 0U);
    EXPECT_EQ(screen.drawStates[2] & ODS_SELECTED, ODS_SELECTED);
    EXPECT_TRUE(screen.commands.empty());
    backend.InjectButton(CPoint(100 + 260, 50 + 40), false);
    Pump();
    EXPECT_EQ(screen.drawStates.back() & ODS_SELECTED, 0U);
    EXPECT_EQ(screen.commands, std::vector<int>{kButton});
}

TEST_F(PaintAndControlsTest, ReleaseOutsideTheButtonDoesNotClick) {
    Open();
    backend.InjectButton(CPoint(100 + 250, 50 + 30), true);
    backend.InjectMove(CPoint(100 + 10, 50 + 10));
    backend.InjectButton(CPoint(100 + 10, 50 + 10), false);
    Pump();
    EXPECT_TRUE(screen.commands.empty());
    EXPECT_EQ(screen.drawStates.back() & ODS_SELECTED, 0U);
    // The button held the mouse, so the screen itself never saw that release.
    EXPECT_TRUE(screen.releases.empty());
}

TEST_F(PaintAndControlsTest, DisabledButtonDrawsDisabledAndTakesNoClicks) {
    Open();
    screen.GetDlgItem(kButton)->EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(screen.drawStates.back() & ODS_DISABLED, ODS_DISABLED);
    backend.InjectClick(CPoint(100 + 250, 50 + 30));
    Pump();
    EXPECT_TRUE(screen.commands.empty());
}

TEST_F(PaintAndControlsTest, StaticsLetTheMouseThroughToTheScreen) {
    Open();
    backend.InjectClick(CPoint(100 + 50, 50 + 50));
    Pump();
    EXPECT_EQ(screen.releases, std::vector<int>{50});
}

TEST_F(PaintAndControlsTest, CursorFollowsWhatIsUnderThePointer) {
    CCursor cursors;
    BoundButton button;
    button.cursors = &cursors;
    screen.cursors = &cursors;
    Open();
    CDataExchange exchange(&screen, FALSE);
    DDX_Control(&exchange, kButton, button);
    ASSERT_EQ(screen.GetDlgItem(kButton), &button);
    backend.InjectMove(CPoint(100 + 50, 50 + 50));   // picture area
    backend.InjectMove(CPoint(100 + 250, 50 + 30));  // button
    backend.InjectMove(CPoint(100 + 5, 50 + 150));   // elsewhere on the screen
    backend.InjectMove(CPoint(5, 5));                // off the screen: the plain arrow
    Pump();
    std::vector<std::string> shown;
    for (const auto& e : backend.Record()) shown.push_back(e.text);
    EXPECT_EQ(shown, (std::vector<std::string>{"cursor 5", "cursor 2", "cursor 3"}));
    // Off every window nothing asks for a cursor, so the last one stays.
    EXPECT_EQ(cursors.GetShape(), CursorShape::Pointer);
}

TEST_F(PaintAndControlsTest, BoundButtonKeepsPlaceStateAndClicks) {
    BoundButton button;
    Open();
    screen.GetDlgItem(kButton)->ShowWindow(SW_HIDE);
    CDataExchange exchange(&screen, FALSE);
    DDX_Control(&exchange, kButton, button);
    EXPECT_FALSE(button.IsWindowVisible());
    CRect r;
    button.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(340, 70, 380, 100));
    button.ShowWindow(SW_SHOWNOACTIVATE);
    backend.InjectClick(CPoint(350, 80));
    Pump();
    EXPECT_EQ(screen.commands, std::vector<int>{kButton});
}

TEST_F(PaintAndControlsTest, PinnedWindowCannotBeMovedOrResized) {
    Open();
    screen.pinned = CRect(100, 50, 400, 250);
    screen.MoveWindow(0, 0, 10, 10, TRUE);
    CRect r;
    screen.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(100, 50, 400, 250));
}

TEST_F(PaintAndControlsTest, ScreenAndClientCoordinatesOfNestedWindows) {
    Open();
    CWnd* area = screen.GetDlgItem(kArea);
    CPoint p(5, 7);
    area->ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(125, 77));
    screen.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(25, 27));
    EXPECT_EQ(WindowFromPoint(CPoint(125, 77)), &screen);  // statics are see-through
    EXPECT_EQ(WindowFromPoint(CPoint(350, 80)), screen.GetDlgItem(kButton));
    EXPECT_EQ(WindowFromPoint(CPoint(5, 5)), nullptr);
}

// Palette messages on an 8-bit display.
class PaletteWindow : public CDialog {
  public:
    PaletteWindow() : CDialog(0, nullptr) {
        PALETTEENTRY entries[256];
        for (int i = 0; i < 256; ++i)
            entries[i] = PALETTEENTRY{static_cast<BYTE>(255 - i), 0, 0, 0};
        palette.CreatePalette(0x300, entries, 256);
    }
    BOOL OnQueryNewPalette() override {
        ++queries;
        CClientDC dc(this);
        dc.SelectPalette(&palette, FALSE);
        return dc.RealizePalette() > 0;
    }
    void OnPaletteChanged(CWnd* changer) override { changedBy.push_back(changer); }
    CPalette palette;
    int queries = 0;
    std::vector<CWnd*> changedBy;

  protected:
    const DialogTemplate* GetDialogTemplate() const override {
        static const DialogTemplate t{0, WS_POPUP, CRect(0, 0, 100, 100), {}};
        return &t;
    }
};

TEST_F(PaintAndControlsTest, ActivationRealisesThePaletteAndTellsEveryWindow) {
    backend.SetDisplay(640, 480, 8);
    PaletteWindow window;
    window.Create(0, nullptr);
    window.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(window.queries, 1);
    EXPECT_EQ(backend.Surface().HardwarePalette()[0].peRed, 255);
    EXPECT_EQ(window.changedBy, std::vector<CWnd*>{&window});
    // Realising again changes nothing, so nobody is told again.
    window.SendMessage(WM_QUERYNEWPALETTE);
    Pump();
    EXPECT_EQ(window.changedBy.size(), 1U);
}

}  // namespace
