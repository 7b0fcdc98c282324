// Ctrl and Shift from the backend to the handlers: mouse message flags, GetKeyState while a
// message is handled, GetAsyncKeyState, and the scripted driver's modifier words.
#include <sstream>
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "app/CScriptDriver.h"
#include "platform/window/CDialog.h"
#include "platform/window/MessageLoop.h"

namespace {

bool Down(SHORT state) {
    return state < 0;
}

// Notes the flags of every button message and which modifiers GetKeyState reports then.
class KeyWatcher : public CDialog {
  public:
    KeyWatcher() : CDialog(0, nullptr) {}

    struct Seen {
        std::string what;
        UINT flags;
        bool ctrl;
        bool shift;
    };
    std::vector<Seen> seen;

    void OnLButtonDown(UINT flags, CPoint) override { Note("down", flags); }
    void OnLButtonUp(UINT flags, CPoint) override { Note("up", flags); }
    void OnKeyDown(UINT key, UINT, UINT) override { Note("key " + std::to_string(key), 0); }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }

  protected:
    const DialogTemplate* GetDialogTemplate() const override {
        static const DialogTemplate t{0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), {}};
        return &t;
    }

  private:
    void Note(const std::string& what, UINT flags) {
        seen.push_back({what, flags, Down(GetKeyState(VK_CONTROL)), Down(GetKeyState(VK_SHIFT))});
    }
};

class KeyModifiersTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ASSERT_TRUE(watcher.Create(0, nullptr));
        Pump();
    }
    KeyWatcher watcher;
};

TEST_F(KeyModifiersTest, HeldKeysReachMouseFlagsAndKeyStateOfTheMessageBeingHandled) {
    backend.InjectClick(CPoint(50, 50), MK_CONTROL | MK_SHIFT);
    backend.InjectKey('Z', MK_CONTROL);
    backend.InjectClick(CPoint(60, 50));
    Pump();
    ASSERT_EQ(watcher.seen.size(), 5U);
    EXPECT_EQ(watcher.seen[0].flags, MK_LBUTTON | MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(watcher.seen[1].what, "up");
    EXPECT_EQ(watcher.seen[1].flags, MK_CONTROL | MK_SHIFT) << "the button is up on release";
    EXPECT_TRUE(watcher.seen[1].ctrl && watcher.seen[1].shift);
    EXPECT_EQ(watcher.seen[2].what, "key " + std::to_string('Z'));
    EXPECT_TRUE(watcher.seen[2].ctrl);
    EXPECT_FALSE(watcher.seen[2].shift);
    EXPECT_EQ(watcher.seen[3].flags, MK_LBUTTON);
    EXPECT_EQ(watcher.seen[4].flags, 0U);
    EXPECT_FALSE(watcher.seen[4].ctrl || watcher.seen[4].shift);
}

TEST_F(KeyModifiersTest, KeyStateFollowsTheQueueWhileAsyncStateIsTheNewestInput) {
    backend.InjectButton(CPoint(50, 50), true, InputEvent::Button::Left, MK_SHIFT);
    backend.InjectButton(CPoint(50, 50), false, InputEvent::Button::Left, MK_CONTROL);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(msg.message, WM_LBUTTONDOWN);
    // Both events have left the backend; only the first has been handed out.
    EXPECT_TRUE(Down(GetKeyState(VK_SHIFT)));
    EXPECT_FALSE(Down(GetKeyState(VK_CONTROL)));
    EXPECT_TRUE(Down(GetAsyncKeyState(VK_CONTROL)));
    EXPECT_FALSE(Down(GetAsyncKeyState(VK_SHIFT)));
    EXPECT_FALSE(Down(GetKeyState(VK_RETURN))) << "only Shift and Ctrl are tracked";
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(Down(GetKeyState(VK_CONTROL)));
}

using Command = CScriptDriver::Command;

TEST(ScriptModifiers, ClicksDragsAndKeysNameTheKeysHeld) {
    std::istringstream in(
        "click 450 425 ctrl+shift\nclick 1 2\ndrag 1 2 3 4 Shift\nkey ctrl+shift+F1\n"
        "key Control+z\nkey Escape\n");
    std::vector<Command> c;
    std::string error;
    ASSERT_TRUE(CScriptDriver::Parse(in, c, error)) << error;
    ASSERT_EQ(c.size(), 6U);
    EXPECT_EQ(c[0].modifiers, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(c[0].from, CPoint(450, 425));
    EXPECT_EQ(c[1].modifiers, 0U);
    EXPECT_EQ(c[2].modifiers, MK_SHIFT);
    EXPECT_EQ(c[2].to, CPoint(3, 4));
    EXPECT_EQ(c[3].key, VK_F1);
    EXPECT_EQ(c[3].modifiers, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(c[4].key, static_cast<UINT>('Z'));
    EXPECT_EQ(c[4].modifiers, MK_CONTROL);
    EXPECT_EQ(c[5].modifiers, 0U);

    for (const char* bad : {"click 1 2 alt\n", "click 1 2 ctrl shift\n", "key ctrl+\n", "key +A\n",
                            "key ctrl++A\n", "key ctrl+Hyper\n", "key alt+A\n"}) {
        std::istringstream line(bad);
        std::vector<Command> none;
        EXPECT_FALSE(CScriptDriver::Parse(line, none, error)) << bad;
    }
}

class ScriptModifierRunTest : public KeyModifiersTest {};

TEST_F(ScriptModifierRunTest, TheDriverHoldsTheNamedKeysDuringItsInput) {
    std::istringstream in("click 20 20 ctrl+shift\ndrag 30 30 31 30 ctrl\nkey shift+A\n");
    std::vector<Command> commands;
    std::string error;
    ASSERT_TRUE(CScriptDriver::Parse(in, commands, error));
    CScriptDriver driver(backend, commands);
    while (driver.HasCommandsLeft()) {
        driver.Step();
        Pump();
    }
    ASSERT_EQ(watcher.seen.size(), 5U);
    EXPECT_EQ(watcher.seen[1].flags, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(watcher.seen[3].flags, MK_CONTROL);
    EXPECT_TRUE(watcher.seen[4].shift);
    EXPECT_FALSE(watcher.seen[4].ctrl);
}

}  // namespace
