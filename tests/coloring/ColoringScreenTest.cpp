// The coloring screen on the headless backend and the generated content tree: the nine-cell
// split, centring and pinning, what the start-up refuses, the hidden presets, the eraser
// switches, a full scrapbook and the closing pictures of the exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/CColoringApp.h"
#include "app/CMessagePresenter.h"
#include "coloring/CColoringDlg.h"
#include "coloring/CNineCells.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kStarted = 29000;  // the greeting sounds at 28.5 s

CPoint Middle(const CRect& rect) {
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

TEST(SplitTest, CellsAroundAnInnerRectangle) {
    CRect outer(0, 0, 100, 80);
    std::array<CRect, 9> cells;
    CNineCells::Split(outer, CRect(20, 10, 60, 50), cells);
    EXPECT_TRUE(outer.IsRectEmpty());
    EXPECT_EQ(cells[0], CRect(0, 0, 20, 10));
    EXPECT_EQ(cells[4], CRect(20, 10, 60, 50));
    EXPECT_EQ(cells[5], CRect(60, 10, 100, 50));
    EXPECT_EQ(cells[8], CRect(60, 50, 100, 80));
    // An inner rectangle reaching past the outer one's edges leaves those bands empty.
    outer = CRect(0, 0, 100, 80);
    CNineCells::Split(outer, CRect(-5, 30, 200, 90), cells);
    EXPECT_TRUE(cells[0].IsRectEmpty() && cells[3].IsRectEmpty() && cells[7].IsRectEmpty());
    EXPECT_EQ(cells[1], CRect(0, 0, 100, 30));
    EXPECT_EQ(cells[4], CRect(0, 30, 100, 80));
    // A repaint wholly inside the picture is all picture: no background cell.
    outer = CRect(150, 50, 200, 100);
    CNineCells::Split(outer, CRect(120, 28, 518, 292), cells);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(!cells[i].IsRectEmpty(), i == 4) << i;
    outer = CRect(5, 5, 5, 50);
    CNineCells::Split(outer, CRect(0, 0, 10, 10), cells);
    EXPECT_TRUE(
        std::all_of(cells.begin(), cells.end(), [](const CRect& c) { return c.IsRectEmpty(); }));
}

// A backend that remembers what each present showed in the middle of the display.
class PresentingBackend : public HeadlessBackend {
  public:
    using HeadlessBackend::HeadlessBackend;
    void Present() override {
        HeadlessBackend::Present();
        shown.push_back({Now(), Surface().GetPixel(Surface().Width() / 2, 100)});
    }
    struct Shown {
        DWORD time;
        COLORREF centre;
    };
    std::vector<Shown> shown;
};

// Runs the screen modally on a fresh copy of the content; `steps` run one per idle turn
// of the loop, a step returning a time makes the loop wait until then first.
class ColoringScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path content = fs::path(TALEWICK_BINARY_DIR) / "content";
        if (!fs::exists(content / "play")) GTEST_SKIP() << "no generated content";
        root = fs::temp_directory_path() / ("talewick-screen-" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::copy(content, root, fs::copy_options::recursive);
        oldCwd = fs::current_path();
        fs::current_path(root / "play");
    }
    void TearDown() override {
        if (root.empty()) return;
        fs::current_path(oldCwd);
        fs::remove_all(root);
    }

    void Run(PresentingBackend& backend, std::vector<std::function<void(CColoringDlg&)>> steps,
             std::vector<DWORD> times) {
        backend.InstallAudio();
        Backend* previous = SetBackend(&backend);
        WindowManager::Instance().Reset();  // nothing left over from an earlier run
        {
            CColoringDlg screen(nullptr, CColoringApp::kScriptedFillSoundSeed);
            std::size_t next = 0;
            bool quitSent = false;
            backend.SetIdleHook([&]() {
                if (backend.IsWaiting()) return false;
                if (next < steps.size()) {
                    if (backend.Now() < times[next]) {
                        backend.WaitUntil(times[next]);
                        return true;
                    }
                    steps[next++](screen);
                    return true;
                }
                if (quitSent) return false;
                quitSent = true;
                PostQuitMessage(0);
                return true;
            });
            result = screen.DoModal();
            backend.SetIdleHook(nullptr);
        }
        SetBackend(previous);
    }

    static bool Heard(const HeadlessBackend& backend, const std::string& what) {
        const auto lines = backend.RecordLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(what) != std::string::npos;
        });
    }

    fs::path root;
    fs::path oldCwd;
    int result = 0;
};

TEST_F(ColoringScreenTest, CentredPinnedAndDeafToCommandsDuringTheStartUp) {
    PresentingBackend backend(1024, 768, 32);
    CRect pinned, afterMove;
    bool drewDuringSplash = true;
    StartupPhase phaseAfterClose = StartupPhase::Hidden;
    Run(backend, {[&](CColoringDlg& s) {
            pinned = s.GetPinnedRect();
            s.MoveWindow(0, 0, 10, 10);
            s.GetWindowRect(&afterMove);
            s.SendMessage(WM_TIMER, 5);
            s.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
            phaseAfterClose = s.GetStartupPhase();
            // Owner drawing before the screen runs paints nothing on the display.
            const COLORREF before = backend.Surface().GetPixel(192 + 573, 144 + 103);
            s.GetButton(CColoringDlg::kSmallBrush).ShowWindow(SW_SHOW);
            s.GetButton(CColoringDlg::kSmallBrush).UpdateWindow();
            drewDuringSplash = backend.Surface().GetPixel(192 + 573, 144 + 103) != before;
            s.GetButton(CColoringDlg::kSmallBrush).ShowWindow(SW_HIDE);
        }},
        {2000});
    EXPECT_EQ(pinned, CRect(192, 144, 832, 624));
    EXPECT_EQ(afterMove, pinned);
    EXPECT_TRUE(Heard(backend, "message ContentMissing \"Timed out\""));
    EXPECT_EQ(phaseAfterClose, StartupPhase::BrandSplash);
    EXPECT_FALSE(drewDuringSplash);
    EXPECT_FALSE(Heard(backend, "exitbox"));
}

TEST_F(ColoringScreenTest, PresetsAndEraserSwitchesOnTheRunningScreen) {
    PresentingBackend backend(640, 480, 32);
    std::vector<std::string> checks;
    auto expect = [&](bool ok, const char* what) {
        if (!ok) checks.push_back(what);
    };
    Run(backend, {[&](CColoringDlg& s) {
            expect(s.GetStartupPhase() == StartupPhase::Running &&
                       s.GetToolChoice().GetTool() == Tool::Fill,
                   "running with the fill");
            s.SendMessage(WM_KEYDOWN, VK_ESCAPE);
            expect(s.GetBrush(Tool::BigBrush).GetRows() == 18 &&
                       s.GetBrush(Tool::BigBrush).GetCell(0, 0) == 1.0f,
                   "Escape squares the big brush");
            s.SendMessage(WM_KEYDOWN, VK_RETURN);
            expect(s.GetBrush(Tool::BigBrush).GetCell(0, 0) == 0.0f, "Return rounds it again");
            s.SendMessage(WM_COMMAND, 5);
            expect(s.GetBrush(Tool::BigBrush).GetCell(0, 0) == 1.0f &&
                       s.GetBrush(Tool::BigBrush).GetCell(0, 6) == 0.0f &&
                       s.GetBrush(Tool::BigBrush).GetCell(6, 6) == 1.0f,
                   "checkers");
            s.SendMessage(WM_COMMAND, CColoringDlg::kUndo);  // nothing coloured: silent
            s.SendMessage(WM_COMMAND, CColoringDlg::kBigEraser);
            s.SendMessage(WM_COMMAND, CColoringDlg::kBigEraser);  // already current: silent
            s.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(229, 389));  // a crayon
            s.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(229, 389));
            expect(s.GetToolChoice().GetTool() == Tool::SmallBrush, "crayon: small brush");
            s.SendMessage(WM_COMMAND, CColoringDlg::kSmallEraser);
            s.SendMessage(WM_COMMAND, CColoringDlg::kTextureSlot1);
            expect(s.GetToolChoice().GetTool() == Tool::BigBrush &&
                       s.GetColourSource() == ColourSource::Texture,
                   "texture: big brush");
            s.SendMessage(WM_COMMAND, CColoringDlg::kBigBrush);  // current: silent
            s.SendMessage(WM_COMMAND, CColoringDlg::kRightStar);
            expect(s.GetCurrentCrayonBox() == 1, "the right star opens the next box");
            s.SendMessage(WM_COMMAND, CColoringDlg::kLeftStar);
            expect(s.GetCurrentCrayonBox() == 2 % s.GetCrayonBoxCount(),
                   "the left star opens the next box too");
            s.SendMessage(WM_COMMAND, CColoringDlg::kLeftStar);
            expect(s.GetCurrentCrayonBox() == 3 % s.GetCrayonBoxCount(), "the boxes wrap");
        }},
        {kStarted});
    EXPECT_TRUE(checks.empty()) << checks.front();
    EXPECT_FALSE(Heard(backend, "oops.wav"));
    const auto lines = backend.RecordLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("bgrsr.wav") != l.npos; }),
              1);
    EXPECT_FALSE(Heard(backend, "bigcolor.wav"));  // the switch from the eraser is quiet
}

// With the scrapbook full, the scene arrow still turns the page: first the child is asked
// for room on the scrapbook screen, and leaving it without throwing a picture away sets the
// coloured picture aside.
TEST_F(ColoringScreenTest, AFullScrapbookAsksForRoomAndTheArrowStillTurns) {
    PresentingBackend backend(640, 480, 32);
    int sceneAfter = -1;
    bool unsaved = true;
    int entries = 0;
    int setAside = 0;
    // The message to the child opens over the screen, as in the program, and its tick closes it.
    const CMessagePresenter messages;
    CRect tick = ScreenLayouts::Message::kOk.rect;
    tick.OffsetRect(ScreenLayouts::kPopupRect.left, ScreenLayouts::kPopupRect.top);
    const CRect back = ScreenLayouts::Scrapbook::kReturn.rect;
    Run(backend,
        {[&](CColoringDlg& s) {
             CGlimBook& book = s.GetBooks()[0];
             for (int i = 0; i < CGlimScrapbook::kMaxEntries; ++i)
                 s.GetScrapbook().AddEntry(book.GetImage(1), &book);
             s.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 260));
             s.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 260));
             s.PostMessage(WM_COMMAND, CColoringDlg::kSceneRight);
         },
         [&](CColoringDlg&) { backend.InjectClick(Middle(tick)); },
         [&](CColoringDlg&) { backend.InjectClick(Middle(back)); },
         [&](CColoringDlg& s) {
             sceneAfter = s.GetBooks()[0].GetCurrentIndex();
             unsaved = s.HasUnsavedColouring();
             entries = s.GetScrapbook().GetCount();
             setAside = s.GetShelf().GetSetAsideCount();
         }},
        {kStarted, kStarted + 1000, kStarted + 2000, kStarted + 4000});
    EXPECT_TRUE(Heard(backend, "message/full.wav")) << "the child is asked for room";
    EXPECT_TRUE(Heard(backend, "pgturn")) << "the page turned all the same";
    EXPECT_EQ(sceneAfter, 1);
    EXPECT_FALSE(unsaved);
    EXPECT_EQ(entries, CGlimScrapbook::kMaxEntries);
    EXPECT_EQ(setAside, 1);
    EXPECT_TRUE(fs::exists(root / "setaside" / "picture0001" / "picture.txt"));
}

TEST_F(ColoringScreenTest, ExitShowsTheClosingPicturesForThreeAndTwoSeconds) {
    PresentingBackend backend(640, 480, 32);
    Run(backend,
        {[&](CColoringDlg& s) { s.PostMessage(WM_COMMAND, CColoringDlg::kExit); },
         [&](CColoringDlg& s) {
             // The quit confirmation is up: its yes button.
             backend.InjectClick(CPoint(353, 266));
             (void)s;
         }},
        {kStarted, kStarted + 500});
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(Heard(backend, "goodbye.wav flags=0x06"));
    const COLORREF brand = backend.shown.empty() ? 0 : backend.shown.back().centre;
    // The last two presents are the two closing pictures; the program ends 2 s after the
    // second, which came 3 s after the first.
    ASSERT_GE(backend.shown.size(), 2u);
    const auto& first = backend.shown[backend.shown.size() - 2];
    const auto& second = backend.shown.back();
    EXPECT_NE(first.centre, second.centre);
    EXPECT_GE(second.time - first.time, 3000u);
    EXPECT_LE(second.time - first.time, 3100u);
    EXPECT_GE(backend.Now() - second.time, 2000u);
    EXPECT_EQ(brand, second.centre);
}

}  // namespace
