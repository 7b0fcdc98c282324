// Modal and nested modal loops, timers on the virtual clock, keys and system close.
#include <functional>
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "platform/window/CDialog.h"
#include "platform/window/CWinApp.h"
#include "platform/window/MessageLoop.h"

namespace {

// A dialog whose handlers are set by the test.
class ScriptedDialog : public CDialog {
  public:
    explicit ScriptedDialog(CWnd* parent, CRect rect = CRect(0, 0, 200, 100))
        : CDialog(0, parent), m_template{0, WS_POPUP, rect, {}} {}

    std::function<void()> onInit;
    std::function<void(UINT)> onTimer;
    std::function<BOOL(WPARAM)> onCommand;
    std::vector<std::string> log;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) onInit();
        return TRUE;
    }
    void OnTimer(UINT id) override {
        if (onTimer) onTimer(id);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        log.push_back("command " + std::to_string(LOWORD(wParam)));
        if (onCommand && onCommand(wParam)) return TRUE;
        return CDialog::OnCommand(wParam, lParam);
    }

  protected:
    const DialogTemplate* GetDialogTemplate() const override { return &m_template; }

  private:
    DialogTemplate m_template;
};

class DialogLoopTest : public PlatformTest {};

TEST_F(DialogLoopTest, InnerEndDialogReturnsToOuterLoopWhichKeepsRunning) {
    ScriptedDialog outer(nullptr);
    std::vector<std::string> events;
    int innerResult = 0;
    outer.onInit = [&] { outer.SetTimer(1, 100); };
    outer.onTimer = [&](UINT) {
        outer.KillTimer(1);
        ScriptedDialog inner(&outer, CRect(10, 10, 60, 60));
        inner.onInit = [&] { inner.SetTimer(2, 50); };
        inner.onTimer = [&](UINT) {
            events.push_back("inner timer, outer enabled=" +
                             std::to_string(outer.IsWindowEnabled()));
            inner.EndDialog(42);
        };
        innerResult = inner.DoModal();
        events.push_back("inner returned, outer enabled=" +
                         std::to_string(outer.IsWindowEnabled()));
        // The outer loop goes on: it ends only on its own EndDialog, later.
        outer.SetTimer(3, 30);
        outer.onTimer = [&](UINT id) {
            events.push_back("outer timer " + std::to_string(id));
            outer.EndDialog(IDOK);
        };
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, 42);
    EXPECT_EQ(events,
              (std::vector<std::string>{"inner timer, outer enabled=0",
                                        "inner returned, outer enabled=1", "outer timer 3"}));
    EXPECT_EQ(outer.GetSafeHwnd(), nullptr);
    // 100 ms to the first timer, 50 inside, 30 after: virtual time, no real waiting.
    EXPECT_EQ(backend.Now(), 180U);
}

TEST_F(DialogLoopTest, EndDialogDuringInitialisationEndsWithoutWaiting) {
    ScriptedDialog dialog(nullptr);
    dialog.onInit = [&] { dialog.EndDialog(IDCANCEL); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(backend.Now(), 0U);
}

TEST_F(DialogLoopTest, ReturnAndEscapeBecomeOkAndCancelCommands) {
    ScriptedDialog dialog(nullptr);
    // Enter is swallowed as a plain command; Escape reaches OnCancel and ends the dialog.
    dialog.onCommand = [](WPARAM w) { return LOWORD(w) == IDOK; };
    backend.InjectKey(VK_RETURN);
    backend.InjectKey(VK_ESCAPE);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"command 1", "command 2"}));
}

TEST_F(DialogLoopTest, SystemCloseCancelsTheActiveDialogOnly) {
    ScriptedDialog outer(nullptr);
    int innerResult = 0;
    outer.onInit = [&] { outer.SetTimer(1, 10); };
    outer.onTimer = [&](UINT) {
        outer.KillTimer(1);
        ScriptedDialog inner(&outer);
        backend.InjectClose();
        innerResult = inner.DoModal();
        outer.EndDialog(7);
    };
    EXPECT_EQ(outer.DoModal(), 7);
    EXPECT_EQ(innerResult, IDCANCEL);
}

TEST_F(DialogLoopTest, QuitEndsEveryNestedLoop) {
    ScriptedDialog outer(nullptr);
    int innerResult = 0;
    outer.onInit = [&] { outer.SetTimer(1, 10); };
    outer.onTimer = [&](UINT) {
        outer.KillTimer(1);
        ScriptedDialog inner(&outer);
        inner.onInit = [] { PostQuitMessage(0); };
        innerResult = inner.DoModal();
    };
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(innerResult, -1);
}

TEST_F(DialogLoopTest, NothingLeftToHappenEndsTheLoopInsteadOfHanging) {
    ScriptedDialog dialog(nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogLoopTest, TimersFireInDueOrderWithoutPilingUp) {
    ScriptedDialog dialog(nullptr);
    std::vector<std::string> fired;
    dialog.onInit = [&] {
        dialog.SetTimer(1, 250);
        dialog.SetTimer(2, 100);
        dialog.SetTimer(3, 100);  // same due time as 2: set later, fires later
    };
    dialog.onTimer = [&](UINT id) {
        fired.push_back(std::to_string(id) + "@" + std::to_string(backend.Now()));
        if (id == 1) {
            // A slow handler: the 2 and 3 timers came due several times meanwhile.
            backend.AdvanceClock(400);
        }
        if (fired.size() == 6) dialog.EndDialog(IDOK);
    };
    dialog.DoModal();
    EXPECT_EQ(fired,
              (std::vector<std::string>{"2@100", "3@100", "2@200", "3@200", "1@250", "2@650"}));
}

TEST_F(DialogLoopTest, KilledTimerStopsAndAQueuedTickOfItIsDropped) {
    ScriptedDialog dialog(nullptr);
    int ticks = 0;
    dialog.onInit = [&] {
        dialog.SetTimer(0, 250);
        dialog.SetTimer(9, 1000);
    };
    dialog.onTimer = [&](UINT id) {
        if (id == 9) {
            dialog.EndDialog(ticks);
            return;
        }
        if (++ticks == 2) dialog.KillTimer(0);
    };
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_FALSE(dialog.KillTimer(0));
}

TEST_F(DialogLoopTest, PeekMessageRangeRemovesQueuedMouseAndTimersButKeepsKeys) {
    ScriptedDialog dialog(nullptr);
    dialog.Create(0, nullptr);
    dialog.ShowWindow(SW_SHOW);
    dialog.SetTimer(0, 10);
    backend.AdvanceClock(20);
    backend.InjectClick(CPoint(5, 5));
    backend.InjectKey('A');
    MSG msg;
    int removed = 0;
    while (PeekMessage(&msg, nullptr, WM_INITDIALOG, WM_MBUTTONDBLCLK, PM_REMOVE)) ++removed;
    EXPECT_EQ(removed, 4);  // the move, press, release and the due tick
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(DialogLoopTest, SleepAndBusyWaitingAdvanceTheVirtualClock) {
    const DWORD start = GetTickCount();
    Sleep(500);
    while (GetTickCount() - start < 3000) {
    }
    EXPECT_GE(backend.Now(), 3000U);
    EXPECT_LT(backend.Now(), 3010U);
}

}  // namespace

namespace {

class CountingApp : public CWinApp {
  public:
    void WinHelp(DWORD, UINT) override { ++helps; }
    int helps = 0;
};

TEST_F(DialogLoopTest, F1AsksTheApplicationForHelpAndLeavesTheDialogOpen) {
    CountingApp app;
    ScriptedDialog dialog(nullptr);
    dialog.onInit = [&] { dialog.SetTimer(1, 100); };
    dialog.onTimer = [&](UINT) { dialog.EndDialog(IDOK); };
    backend.InjectKey(VK_F1);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(app.helps, 1);
    EXPECT_EQ(backend.Now(), 100U);
}

TEST_F(DialogLoopTest, HelpGoesNowhereOnceTheApplicationIsGone) {
    { CountingApp gone; }
    CWnd window;
    ASSERT_TRUE(window.CreateEx(WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(window.SendMessage(WM_COMMAND, ID_HELP), FALSE);
    CountingApp app;
    EXPECT_EQ(window.SendMessage(WM_COMMAND, ID_HELP), TRUE);
    EXPECT_EQ(app.helps, 1);
}

}  // namespace
