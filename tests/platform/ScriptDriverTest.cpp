// The scripted driver: reading scripts, feeding them to a running loop, and the program.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "app/CScriptDriver.h"
#include "platform/window/CDialog.h"

namespace {

using Command = CScriptDriver::Command;

std::vector<Command> ParseOk(const std::string& text) {
    std::istringstream in(text);
    std::vector<Command> commands;
    std::string error;
    EXPECT_TRUE(CScriptDriver::Parse(in, commands, error)) << error;
    return commands;
}

std::string ParseError(const std::string& text) {
    std::istringstream in(text);
    std::vector<Command> commands;
    std::string error;
    EXPECT_FALSE(CScriptDriver::Parse(in, commands, error));
    return error;
}

TEST(ScriptParse, ReadsEveryCommandSkippingCommentsAndBlankLines) {
    const auto c = ParseOk(
        "# start\r\n\nclick 10 20\r\n  drag 1 2 3 4\nkey Escape\nwait 250\n"
        "shot out.png\n\t# done\nquit\n");
    ASSERT_EQ(c.size(), 6U);
    EXPECT_EQ(c[0].kind, Command::Kind::Click);
    EXPECT_EQ(c[0].from, CPoint(10, 20));
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[1].to, CPoint(3, 4));
    EXPECT_EQ(c[2].key, static_cast<UINT>(VK_ESCAPE));
    EXPECT_EQ(c[3].ms, 250U);
    EXPECT_EQ(c[4].file, "out.png");
    EXPECT_EQ(c[5].kind, Command::Kind::Quit);
    EXPECT_EQ(c[5].line, 9);
}

TEST(ScriptParse, BadLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(ParseError("click 1 2\n\njump 3\n"), "line 3: unknown command jump");
    EXPECT_EQ(ParseError("click 1\n"), "line 1: click needs X Y [ctrl+shift]");
    EXPECT_EQ(ParseError("# c\nclick 1 2 3\n"), "line 2: click needs X Y [ctrl+shift]");
    EXPECT_EQ(ParseError("drag 1 2 3 x\n"), "line 1: drag needs X1 Y1 X2 Y2 [ctrl+shift]");
    EXPECT_EQ(ParseError("wait -5\n"), "line 1: wait needs MS (0 or more)");
    EXPECT_EQ(ParseError("key Hyper\n"), "line 1: unknown key Hyper");
    EXPECT_EQ(ParseError("shot\n"), "line 1: shot needs one FILE.png");
    EXPECT_EQ(ParseError("quit now\n"), "line 1: quit takes nothing");
}

TEST(ScriptParse, KeyNames) {
    EXPECT_EQ(CScriptDriver::KeyFromName("Return"), static_cast<UINT>(VK_RETURN));
    EXPECT_EQ(CScriptDriver::KeyFromName("F1"), static_cast<UINT>(VK_F1));
    EXPECT_EQ(CScriptDriver::KeyFromName("F12"), static_cast<UINT>(VK_F1 + 11));
    EXPECT_EQ(CScriptDriver::KeyFromName("a"), static_cast<UINT>('A'));
    EXPECT_EQ(CScriptDriver::KeyFromName("7"), static_cast<UINT>('7'));
    EXPECT_EQ(CScriptDriver::KeyFromName("F13"), 0U);
    EXPECT_EQ(CScriptDriver::KeyFromName("F"), static_cast<UINT>('F'));
    EXPECT_EQ(CScriptDriver::KeyFromName("F0"), 0U);
    EXPECT_EQ(CScriptDriver::KeyFromName("return"), 0U);
}

TEST(ScriptMonkey, SameSeedSameActionsAllOnTheDisplay) {
    const auto a = CScriptDriver::Monkey(200, 5, 320, 200);
    const auto b = CScriptDriver::Monkey(200, 5, 320, 200);
    const auto c = CScriptDriver::Monkey(200, 6, 320, 200);
    ASSERT_EQ(a.size(), 200U);
    bool allSame = true, anyDifferent = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        allSame =
            allSame && a[i].kind == b[i].kind && a[i].from == b[i].from && a[i].key == b[i].key;
        anyDifferent = anyDifferent || a[i].kind != c[i].kind || !(a[i].from == c[i].from);
        const CRect display(0, 0, 320, 200);
        EXPECT_TRUE(display.PtInRect(a[i].from));
        if (a[i].kind == Command::Kind::Drag) {
            EXPECT_TRUE(display.PtInRect(a[i].to));
        }
    }
    EXPECT_TRUE(allSame);
    EXPECT_TRUE(anyDifferent);
}

// A dialog that logs what reaches it, with virtual times.
class LoggingDialog : public CDialog {
  public:
    explicit LoggingDialog(HeadlessBackend& b) : CDialog(0, nullptr), m_backend(b) {}
    std::vector<std::string> log;
    void OnLButtonDown(UINT, CPoint p) override { Add("down", p); }
    void OnLButtonUp(UINT, CPoint p) override { Add("up", p); }
    void OnMouseMove(UINT flags, CPoint p) override {
        if ((flags & MK_LBUTTON) != 0) Add("drag", p);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }

  protected:
    const DialogTemplate* GetDialogTemplate() const override {
        static const DialogTemplate t{0, WS_POPUP, CRect(100, 100, 300, 200), {}};
        return &t;
    }

  private:
    void Add(const char* what, CPoint p) {
        log.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) +
                      " @" + std::to_string(m_backend.Now()));
    }
    HeadlessBackend& m_backend;
};

class ScriptRunTest : public PlatformTest {};

TEST_F(ScriptRunTest, LinesReachTheModalLoopInOrderAndOnTime) {
    LoggingDialog dialog(backend);
    CScriptDriver driver(backend, ParseOk("click 110 120\nwait 1000\ndrag 150 150 153 150\n"
                                          "wait 500\nkey Escape\nclick 120 120\n"));
    backend.SetIdleHook([&driver] { return driver.Step(); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    backend.SetIdleHook(nullptr);
    EXPECT_EQ(dialog.log,
              (std::vector<std::string>{"down 10,20 @0", "up 10,20 @0", "down 50,50 @1000",
                                        "drag 51,50 @1000", "drag 52,50 @1000", "drag 53,50 @1000",
                                        "up 53,50 @1000"}));
    EXPECT_EQ(backend.Now(), 1500U);
}

TEST_F(ScriptRunTest, EndOfScriptQuitsALoopThatWouldRunForever) {
    LoggingDialog dialog(backend);
    CScriptDriver driver(backend, ParseOk("wait 100\n"));
    backend.SetIdleHook([&driver] { return driver.Step(); });
    EXPECT_EQ(dialog.DoModal(), -1);
    backend.SetIdleHook(nullptr);
    EXPECT_FALSE(driver.Step());
}

TEST_F(ScriptRunTest, ShotWritesThePngOfTheDisplayAndABadPathIsAnError) {
    const std::string file = std::string(TALEWICK_BINARY_DIR) + "/tests/platform-shot.png";
    backend.SetDisplay(320, 200, 32);
    CScriptDriver driver(backend, ParseOk("shot " + file + "\nshot /nonexistent/dir/x.png\n"));
    EXPECT_TRUE(driver.Step());
    EXPECT_TRUE(driver.Step());
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> head(24);
    ASSERT_TRUE(in.read(reinterpret_cast<char*>(head.data()), 24));
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ((head[18] << 8) | head[19], 320);  // IHDR width and height, big-endian
    EXPECT_EQ((head[22] << 8) | head[23], 200);
    ASSERT_EQ(driver.Errors().size(), 1U);
    EXPECT_EQ(driver.Errors()[0], "line 2: cannot write /nonexistent/dir/x.png");
}

// The built program.
std::string RunDrive(const std::string& args, const std::string& folder, int* status) {
    const std::string command =
        "cd '" + folder + "' && '" + TALEWICK_BINARY_DIR + "/bin/talewick-drive' " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[512];
    while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int raw = pipe != nullptr ? pclose(pipe) : -1;
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

TEST(DriveProgram, BadScriptLineExitsWithTwoAndNamesTheLine) {
    const std::string script = std::string(TALEWICK_BINARY_DIR) + "/tests/platform-bad.txt";
    std::ofstream(script) << "wait 10\nclick here\n";
    int status = 0;
    const std::string out = RunDrive("'" + script + "'", "/", &status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(out.find("line 2: click needs X Y"), std::string::npos) << out;
}

TEST(DriveProgram, StartUpOnTheGeneratedContentGreetsOnceTheScreenRuns) {
    const std::string play = std::string(TALEWICK_BINARY_DIR) + "/content/play";
    if (!std::ifstream(play + "/../bitmaps/backgrnd.bmp")) GTEST_SKIP() << "no generated content";
    const std::string script = std::string(TALEWICK_BINARY_DIR) + "/tests/platform-start.txt";
    std::ofstream(script) << "wait 30000\n";
    int status = 0;
    const std::string out = RunDrive("'" + script + "'", play, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("../sounds/lets_clr.wav flags=0x07"), std::string::npos) << out;
    EXPECT_EQ(out.find("message"), std::string::npos) << out;
}

}  // namespace
