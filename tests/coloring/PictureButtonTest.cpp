// Picture buttons on a small dialog of the headless backend: which picture each mode draws,
// the frame cycle, the cursor and the release forwarded to the parent.
#include <gtest/gtest.h>

#include <vector>

#include "dialogs/CPictureButton.h"
#include "imaging/CCursor.h"
#include "imaging/CDib.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/CDialog.h"
#include "platform/window/MessageLoop.h"

namespace {

constexpr int kButtonId = 500;
constexpr UINT kTemplateId = 9001;

// A solid 24-bit picture of one colour.
void MakeSolid(CDib& dib, BYTE r, BYTE g, BYTE b) {
    ASSERT_TRUE(dib.Create(8, 8, 24));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) dib.SetPixel((DWORD(r) << 16) | (DWORD(g) << 8) | b, x, y);
}

// A dialog that records the releases and commands its button sends it.
class HostDlg : public CDialog {
  public:
    HostDlg() : CDialog(kTemplateId, nullptr) {}
    void OnLButtonUp(UINT, CPoint point) override { releases.push_back(point); }
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Control(exchange, kButtonId, button);
    }
    CPictureButton button;
    std::vector<CPoint> releases;
    std::vector<int> commands;
};

class PictureButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = SetBackend(&backend);
        DialogTemplate t;
        t.id = kTemplateId;
        t.style = WS_POPUP | WS_VISIBLE;
        t.rect = CRect(0, 0, 100, 100);
        t.items.push_back({kButtonId, DialogTemplate::Kind::Button, CRect(10, 20, 50, 60),
                           WS_VISIBLE | BS_OWNERDRAW, "b"});
        RegisterDialogTemplate(t);
        MakeSolid(up, 255, 0, 0);
        MakeSolid(down, 0, 255, 0);
        MakeSolid(disabled, 0, 0, 255);
        for (int i = 0; i < 11; ++i) MakeSolid(frames[i], BYTE(10 * i), 100, 200);
        ASSERT_TRUE(host.Create(kTemplateId, nullptr));
    }
    void TearDown() override {
        host.DestroyWindow();
        SetBackend(previous);
    }

    // What the button draws for an item state, read from the display; black when nothing.
    COLORREF Drawn(UINT state) {
        backend.Surface().Fill(RGB(0, 0, 0));
        CClientDCForTest dc(host.button);
        DRAWITEMSTRUCT item;
        item.CtlType = ODT_BUTTON;
        item.itemState = state;
        item.hwndItem = &host.button;
        item.hDC = dc.get();
        host.button.DrawItem(&item);
        return backend.Surface().GetPixel(30, 40);
    }
    struct CClientDCForTest {
        explicit CClientDCForTest(CWnd& w) : wnd(w), dc(w.GetDC()) {}
        ~CClientDCForTest() { wnd.ReleaseDC(dc); }
        CDC* get() const { return dc; }
        CWnd& wnd;
        CDC* dc;
    };

    HeadlessBackend backend{100, 100, 32};
    Backend* previous = nullptr;
    HostDlg host;
    CDib up, down, disabled;
    CDib frames[11];
};

TEST_F(PictureButtonTest, WithoutPicturesNothingIsDrawnInAnyState) {
    EXPECT_EQ(Drawn(0), RGB(0, 0, 0));
    EXPECT_EQ(Drawn(ODS_SELECTED), RGB(0, 0, 0));
    host.button.SetPictures(&up, &down, nullptr);
    host.button.ClearPictures();
    EXPECT_EQ(Drawn(0), RGB(0, 0, 0));
}

TEST_F(PictureButtonTest, PushShowsDownWhilePressedOrOnAndDisabledPictureOnlyWhenGiven) {
    host.button.SetPictures(&up, &down, nullptr);
    EXPECT_EQ(Drawn(0), RGB(255, 0, 0));
    EXPECT_EQ(Drawn(ODS_SELECTED), RGB(0, 255, 0));
    EXPECT_EQ(Drawn(ODS_DISABLED), RGB(0, 0, 0));
    host.button.SetOn();
    EXPECT_TRUE(host.button.IsOn());
    EXPECT_EQ(Drawn(0), RGB(0, 255, 0));
    host.button.Click();  // a push button's click lets go of the latch
    EXPECT_FALSE(host.button.IsOn());
    host.button.SetPictures(&up, &down, &disabled);
    EXPECT_EQ(Drawn(ODS_DISABLED | ODS_SELECTED), RGB(0, 0, 255));
}

TEST_F(PictureButtonTest, ToggleKeepsItsPictureWhileHeldAndFlipsOnClick) {
    host.button.SetPictures(&up, &down, nullptr);
    host.button.SetMode(CPictureButton::Mode::Toggle);
    EXPECT_EQ(Drawn(ODS_SELECTED), RGB(0, 0, 0));  // held: nothing new drawn
    host.button.Click();
    EXPECT_TRUE(host.button.IsOn());
    EXPECT_EQ(Drawn(0), RGB(0, 255, 0));
    host.button.Click();
    EXPECT_FALSE(host.button.IsOn());
    EXPECT_EQ(Drawn(0), RGB(255, 0, 0));
    EXPECT_EQ(Drawn(ODS_DISABLED), RGB(0, 0, 0));
}

TEST_F(PictureButtonTest, CycleStepsThroughFramesAndPreviewsTheNextWhileHeld) {
    CDib* list[3] = {&frames[0], &frames[1], &frames[2]};
    host.button.AddFrames(list, 3);
    EXPECT_EQ(host.button.GetMode(), CPictureButton::Mode::Cycle);
    EXPECT_EQ(host.button.GetFrameIndex(), 0);
    EXPECT_EQ(Drawn(0), RGB(0, 100, 200));
    EXPECT_EQ(Drawn(ODS_SELECTED), RGB(10, 100, 200));
    host.button.Click();
    host.button.Click();
    EXPECT_EQ(host.button.GetFrameIndex(), 2);
    EXPECT_EQ(Drawn(ODS_SELECTED), RGB(0, 100, 200));  // the preview wraps
    host.button.Click();
    EXPECT_EQ(host.button.GetFrameIndex(), 0);
    host.button.SetFrameIndex(7);  // outside the frames: ignored
    EXPECT_EQ(host.button.GetFrameIndex(), 0);
    host.button.SetFrameIndex(2);
    EXPECT_EQ(Drawn(0), RGB(20, 100, 200));
}

TEST_F(PictureButtonTest, FramesStopAtTenAndAFullListChangesNothing) {
    for (int i = 0; i < 10; ++i) host.button.AddFrames(&frames[i], 1);
    EXPECT_EQ(host.button.GetFrameCount(), 10);
    host.button.SetFrameIndex(9);
    host.button.SetMode(CPictureButton::Mode::Push);
    host.button.AddFrames(&frames[10], 1);
    EXPECT_EQ(host.button.GetFrameCount(), 10);
    EXPECT_EQ(host.button.GetMode(), CPictureButton::Mode::Push);
    EXPECT_EQ(host.button.GetFrameIndex(), 9);
    // A call of no frames meets no full list: it turns a fresh button into a cycle.
    CPictureButton fresh;
    fresh.AddFrames(static_cast<CDib* const*>(nullptr), 0);
    EXPECT_EQ(fresh.GetMode(), CPictureButton::Mode::Cycle);
    EXPECT_EQ(fresh.GetFrameIndex(), 0);
    EXPECT_TRUE(fresh.HasPictures());
}

TEST_F(PictureButtonTest, ReleaseReachesTheParentBeforeTheCommand) {
    host.button.SetPictures(&up, &down, nullptr);
    backend.InjectClick(CPoint(30, 40));
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    while (backend.HasPendingInput()) {
        WaitMessage();
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
    ASSERT_EQ(host.releases.size(), 1u);
    EXPECT_EQ(host.releases[0], CPoint(20, 20));  // in the button's own coordinates
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], kButtonId);
}

TEST_F(PictureButtonTest, CursorSetShowsTheClickableCursorAndNoSetLeavesItToDefault) {
    CCursor cursors;
    cursors.SetShape(CursorShape::Pointer);
    EXPECT_FALSE(host.button.SendMessage(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(cursors.GetShape(), CursorShape::Pointer);
    host.button.SetCursorObject(&cursors);
    EXPECT_TRUE(host.button.SendMessage(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(cursors.GetShape(), CursorShape::Wand);
}

}  // namespace
