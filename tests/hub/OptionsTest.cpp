// The options screen: both switches with their sounds, the credits screen with the hidden
// ticker gesture, and the learning-extensions document through the desktop's opener.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "HubFixture.h"
#include "dialogs/COptionsDlg.h"
#include "resources/ScreenLayouts.h"

namespace {

constexpr UINT kCtrlShift = MK_CONTROL | MK_SHIFT;

class OptionsTest : public HubFixture {
  protected:
    void Open(COptionsDlg& options, CWnd* parent = nullptr) {
        const CRect& place = ScreenLayouts::kPopupRect;
        options.SetPosition(place.left, place.top, place.Width(), place.Height());
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
    // Runs the program's loop until `ms` pass on the virtual clock.
    void RunFor(DWORD ms) {
        backend.WaitUntil(GetTickCount() + ms);
        MSG msg;
        while (backend.IsWaiting()) {
            if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessage(&msg);
            } else {
                WaitMessage();
            }
        }
        WindowManager::Instance().PresentIfDirty();
    }
    // Pixels in `band` (display coordinates) dark enough to be the ticker's black letters.
    int CountLetterPixels(const CRect& band) const {
        int count = 0;
        for (int y = band.top; y < band.bottom; ++y) {
            for (int x = band.left; x < band.right; ++x) {
                const COLORREF c = backend.Surface().GetPixel(x, y);
                count += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200 ? 1 : 0;
            }
        }
        return count;
    }
    std::vector<COLORREF> BandPixels(const CRect& band) const {
        std::vector<COLORREF> pixels;
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.left; x < band.right; ++x)
                pixels.push_back(backend.Surface().GetPixel(x, y));
        return pixels;
    }
    std::string savedPath;
    Preferences preferences;
};

TEST_F(OptionsTest, SwitchesShowTheSettingsAndBothConfirmationsAreHeard) {
    preferences.SetSoundOn(false);
    {
        COptionsDlg options(preferences);
        Open(options);
        EXPECT_TRUE(options.GetButton(COptionsDlg::kSound).IsOn()) << "on = sound off";
        EXPECT_FALSE(options.GetButton(COptionsDlg::kLines).IsOn());
        options.DestroyWindow();
    }
    preferences.SetSoundOn(true);
    COptionsDlg options(preferences);
    Open(options);
    Command(options, COptionsDlg::kSound);
    EXPECT_FALSE(preferences.IsSoundOn());
    EXPECT_FALSE(CBasicSound::IsSoundOn()) << "the player is muted with the setting";
    Command(options, COptionsDlg::kSound);
    EXPECT_TRUE(preferences.IsSoundOn());
    EXPECT_TRUE(CBasicSound::IsSoundOn());
    EXPECT_EQ(CountSound("soundoff.wav"), 1);
    EXPECT_EQ(CountSound("sound_on.wav"), 1);

    Command(options, COptionsDlg::kLines);
    EXPECT_FALSE(preferences.StaysInsideLines());
    EXPECT_TRUE(options.GetButton(COptionsDlg::kLines).IsOn());
    Command(options, COptionsDlg::kLines);
    EXPECT_TRUE(preferences.StaysInsideLines());
    EXPECT_EQ(CountSound("draw_out.wav"), 1);
    EXPECT_EQ(CountSound("draw_in.wav"), 1);
}

TEST_F(OptionsTest, CreditsTickerRunsOnlyAfterTheGestureAndAnyOtherClickCloses) {
    COptionsDlg options(preferences);
    Open(options);
    Command(options, COptionsDlg::kCredits);
    ASSERT_TRUE(options.IsCreditsMode());
    EXPECT_FALSE(options.GetButton(COptionsDlg::kOk).IsWindowVisible());

    options.SendMessage(WM_LBUTTONUP, kCtrlShift, MAKELPARAM(450, 425));
    ASSERT_TRUE(options.IsCreditsMode());
    const std::string full = options.GetTickerText();
    ASSERT_FALSE(full.empty());
    // Three ticks of 125 ms take three characters.
    RunFor(3 * COptionsDlg::kTickerInterval + 5);
    EXPECT_EQ(options.GetTickerText(), full.substr(3));

    // The edge of the spot, or without Shift: the screen closes.
    options.SendMessage(WM_LBUTTONUP, kCtrlShift, MAKELPARAM(436, 425));
    EXPECT_FALSE(options.IsCreditsMode());
    EXPECT_TRUE(options.GetTickerText().empty());
}

TEST_F(OptionsTest, TickerLettersRunAlongTheBandUntilTheTextIsUsedUp) {
    COptionsDlg options(preferences);
    Open(options);
    Command(options, COptionsDlg::kCredits);
    RunFor(10);
    CRect window;
    options.GetWindowRect(&window);
    CRect band = COptionsDlg::GetTickerBand();
    band.OffsetRect(window.left, window.top);
    EXPECT_EQ(CountLetterPixels(band), 0) << "no letters before the gesture";

    // The gesture as the child makes it: a click with Ctrl and Shift held.
    const CPoint spot(window.left + 450, window.top + 425);
    backend.InjectClick(spot, MK_CONTROL | MK_SHIFT);
    RunFor(COptionsDlg::kTickerInterval + 5);
    ASSERT_FALSE(options.GetTickerText().empty()) << "the gesture started the ticker";
    const int first = CountLetterPixels(band);
    const std::vector<COLORREF> before = BandPixels(band);
    EXPECT_GT(first, 100) << "the text's letters show in the band";
    RunFor(2 * COptionsDlg::kTickerInterval);
    EXPECT_GT(CountLetterPixels(band), 100);
    EXPECT_NE(BandPixels(band), before) << "the letters move along";

    // Once the text is used up the band is the credits picture's strip again.
    RunFor(static_cast<DWORD>(options.GetTickerText().size() + 2) * COptionsDlg::kTickerInterval);
    EXPECT_TRUE(options.GetTickerText().empty());
    EXPECT_EQ(CountLetterPixels(band), 0);
    EXPECT_TRUE(options.IsCreditsMode()) << "the credits stay until the next click";

    // Ctrl alone is an ordinary click: the screen closes.
    backend.InjectClick(spot, MK_CONTROL);
    RunFor(10);
    EXPECT_FALSE(options.IsCreditsMode());
}

TEST_F(OptionsTest, TickerLettersShowOnAnEightBitDisplay) {
    backend.SetDisplay(640, 480, 8);
    COptionsDlg options(preferences);
    Open(options);
    Command(options, COptionsDlg::kCredits);
    RunFor(10);
    CRect window;
    options.GetWindowRect(&window);
    CRect band = COptionsDlg::GetTickerBand();
    band.OffsetRect(window.left, window.top);
    EXPECT_EQ(CountLetterPixels(band), 0) << "the dithered strip has no letter-dark pixels";
    options.SendMessage(WM_LBUTTONUP, kCtrlShift, MAKELPARAM(450, 425));
    RunFor(COptionsDlg::kTickerInterval + 5);
    EXPECT_GT(CountLetterPixels(band), 100);
}

TEST_F(OptionsTest, LearningExtensionsOpenWithTheDesktopOpenerOrSayWhyNot) {
    InstallOpener(true);
    {
        COptionsDlg options(preferences);
        Open(options);
        Command(options, COptionsDlg::kLearning);
        EXPECT_FALSE(options.IsWindowVisible()) << "the screen closes";
    }
    // The opener runs on its own; give it a moment to leave its note (the shell makes the
    // file before it writes the line, so wait for the line itself).
    const fs::path note = root / "opened";
    for (int i = 0; i < 200 && (!fs::exists(note) || fs::file_size(note) == 0); ++i) usleep(10000);
    std::string opened;
    std::getline(std::ifstream(root / "opened"), opened);
    EXPECT_EQ(opened, "../extlearn.wri");
    EXPECT_TRUE(messages.empty());

    fs::remove(root / "bin" / "xdg-open");
    COptionsDlg options(preferences);
    Open(options);
    Command(options, COptionsDlg::kLearning);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], COptionsDlg::kNoOpener);

    fs::remove("../extlearn.wri");
    COptionsDlg again(preferences);
    Open(again);
    Command(again, COptionsDlg::kLearning);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], COptionsDlg::kDocumentMissing);
}

}  // namespace
