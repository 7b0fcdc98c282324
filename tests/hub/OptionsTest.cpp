// The options screen: both switches with their sounds, the credits screen with the hidden
// ticker gesture, and the learning-extensions document through the desktop's opener.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "HubFixture.h"
#include "dialogs/COptionsDlg.h"

namespace {

constexpr UINT kCtrlShift = 0x0008 | 0x0004;

class OptionsTest : public HubFixture {
  protected:
    void Open(COptionsDlg& options, CWnd* parent = nullptr) {
        options.SetPosition(121, 69, 399, 264);
        options.SetCursorObject(&cursor);
        options.SetPalette(&palette);
        ASSERT_TRUE(options.Create(COptionsDlg::kTemplateId, parent));
    }
    // A stand-in opener in a private PATH that notes what it was asked to open.
    void InstallOpener(bool present) {
        const fs::path bin = root / "bin";
        fs::create_directories(bin);
        if (present) {
            const fs::path opener = bin / "xdg-open";
            std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > \"" << (root / "opened").string()
                                  << "\"\n";
            chmod(opener.c_str(), 0755);
        }
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        setenv("PATH", bin.c_str(), 1);
    }
    void TearDown() override {
        if (!savedPath.empty()) setenv("PATH", savedPath.c_str(), 1);
        HubFixture::TearDown();
    }
    std::string savedPath;
};

TEST_F(OptionsTest, SwitchesShowTheSettingsAndBothConfirmationsAreHeard) {
    CBasicSound::SetSoundOn(false);
    {
        COptionsDlg options;
        Open(options);
        EXPECT_TRUE(options.GetButton(COptionsDlg::kSound).IsOn()) << "on = sound off";
        EXPECT_FALSE(options.GetButton(COptionsDlg::kLines).IsOn());
        options.DestroyWindow();
    }
    CBasicSound::SetSoundOn(true);
    COptionsDlg options;
    Open(options);
    Command(options, COptionsDlg::kSound);
    EXPECT_FALSE(CBasicSound::IsSoundOn());
    Command(options, COptionsDlg::kSound);
    EXPECT_TRUE(CBasicSound::IsSoundOn());
    EXPECT_EQ(CountSound("soundoff.wav"), 1);
    EXPECT_EQ(CountSound("sound_on.wav"), 1);

    Command(options, COptionsDlg::kLines);
    EXPECT_FALSE(GetStayInsideLines());
    EXPECT_TRUE(options.GetButton(COptionsDlg::kLines).IsOn());
    Command(options, COptionsDlg::kLines);
    EXPECT_TRUE(GetStayInsideLines());
    EXPECT_EQ(CountSound("draw_out.wav"), 1);
    EXPECT_EQ(CountSound("draw_in.wav"), 1);
}

TEST_F(OptionsTest, CreditsTickerRunsOnlyAfterTheGestureAndAnyOtherClickCloses) {
    COptionsDlg options;
    Open(options);
    Command(options, COptionsDlg::kCredits);
    ASSERT_TRUE(options.IsCreditsMode());
    EXPECT_FALSE(options.GetButton(COptionsDlg::kOk).IsWindowVisible());

    options.SendMessage(WM_LBUTTONUP, kCtrlShift, MAKELPARAM(450, 425));
    ASSERT_TRUE(options.IsCreditsMode());
    const std::string full = options.GetTickerText();
    ASSERT_FALSE(full.empty());
    // Three ticks of 125 ms take three characters.
    const DWORD start = GetTickCount();
    backend.WaitUntil(start + 3 * COptionsDlg::kTickerInterval + 5);
    MSG msg;
    while (backend.IsWaiting()) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessage(&msg);
        } else {
            WaitMessage();
        }
    }
    EXPECT_EQ(options.GetTickerText(), full.substr(3));
    // The band is painted in the ticker's colour while text is left.
    WindowManager::Instance().PresentIfDirty();
    CRect window;
    options.GetWindowRect(&window);
    EXPECT_EQ(backend.Surface().GetPixel(window.left + 80, window.top + 445),
              COptionsDlg::kTickerColour);

    // The edge of the spot, or without Shift: the screen closes.
    options.SendMessage(WM_LBUTTONUP, kCtrlShift, MAKELPARAM(436, 425));
    EXPECT_FALSE(options.IsCreditsMode());
    EXPECT_TRUE(options.GetTickerText().empty());
}

TEST_F(OptionsTest, LearningExtensionsOpenWithTheDesktopOpenerOrSayWhyNot) {
    InstallOpener(true);
    {
        COptionsDlg options;
        Open(options);
        Command(options, COptionsDlg::kLearning);
        EXPECT_FALSE(options.IsWindowVisible()) << "the screen closes";
    }
    // The opener runs on its own; give it a moment to leave its note.
    for (int i = 0; i < 200 && !fs::exists(root / "opened"); ++i) usleep(10000);
    std::string opened;
    std::getline(std::ifstream(root / "opened"), opened);
    EXPECT_EQ(opened, "../extlearn.wri");
    EXPECT_TRUE(messages.empty());

    fs::remove(root / "bin" / "xdg-open");
    COptionsDlg options;
    Open(options);
    Command(options, COptionsDlg::kLearning);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], COptionsDlg::kNoOpener);

    fs::remove("../extlearn.wri");
    COptionsDlg again;
    Open(again);
    Command(again, COptionsDlg::kLearning);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], COptionsDlg::kDocumentMissing);
}

}  // namespace
