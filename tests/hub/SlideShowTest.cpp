// The slide-show player on the virtual clock: a whole show, pausing during the pause,
// switching the slide source, and a first slide that cannot be loaded.
#include <fstream>

#include "HubFixture.h"
#include "models/CGlimImage.h"
#include "platform/files/CContentReport.h"
#include "slides/CSlideShowDlg.h"

namespace {

class SlideShowTest : public HubFixture {
  protected:
    void Prepare(CSlideShowDlg& player, CGlimBook& book) {
        player.SetPosition(0, 0, 0, 0);
        player.SetPalette(&palette);
        player.SetBook(&book);
        player.SetScrapbook(&scrapbook);
        player.SetCursorObject(&cursor);
        player.SetClickSound(&click);
    }
    // Start times of the plays of `name`.
    std::vector<DWORD> StartsOf(const std::string& name) const {
        std::vector<DWORD> starts;
        for (const auto& play : backend.Audio()->GetRecord())
            if (!play.refused && fs::path(play.label).filename() == name)
                starts.push_back(play.start);
        return starts;
    }
};

TEST_F(SlideShowTest, PlaysEverySlideWithItsVoiceOverAndStopsOnTheLast) {
    CSlideShowDlg player;
    Prepare(player, shelf[1]);
    // Leave once the show has stopped on its own.
    backend.SetIdleHook([&] {
        if (player.GetSafeHwnd() != nullptr && !player.IsAutoPlay() &&
            player.GetSlideIndex() == 11) {
            Command(player, CSlideShowDlg::kExit);
            return true;
        }
        return false;
    });
    EXPECT_EQ(player.DoModal(), IDOK);
    EXPECT_EQ(player.GetSlideIndex(), 11);
    int voices = 0;
    for (const auto& play : backend.Audio()->GetRecord())
        voices += fs::path(play.label).filename() == "voice.wav" ? 1 : 0;
    EXPECT_EQ(voices, 12);
    const std::vector<DWORD> changes = StartsOf("slidesnd.wav");
    ASSERT_EQ(changes.size(), 12u);
    // Each slide-change sound waits for its voice-over; then four seconds pass before the
    // next slide speaks.
    const auto& record = backend.Audio()->GetRecord();
    for (std::size_t i = 0; i + 1 < record.size(); ++i) {
        if (fs::path(record[i].label).filename() != "slidesnd.wav" || record[i].refused) continue;
        for (std::size_t j = i + 1; j < record.size(); ++j) {
            if (fs::path(record[j].label).filename() != "voice.wav") continue;
            EXPECT_GE(record[j].start - record[i].start, CSlideShowDlg::kPauseMs);
            break;
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SlideShowTest, StopDuringThePausePreventsTheAdvance) {
    CSlideShowDlg player;
    Prepare(player, shelf[1]);
    bool stopped = false;
    DWORD stopTime = 0;
    backend.SetIdleHook([&] {
        if (player.GetSafeHwnd() == nullptr) return false;
        // The pause: buttons enabled while auto-play is still on.
        if (!stopped && player.IsAutoPlay() &&
            player.GetButton(CSlideShowDlg::kStop).IsWindowEnabled()) {
            stopped = true;
            stopTime = GetTickCount();
            player.PostMessage(WM_COMMAND, MAKEWPARAM(CSlideShowDlg::kStop, BN_CLICKED));
            // Long past the pause: an advance would have happened by then.
            backend.WaitUntil(stopTime + 8000);
            return true;
        }
        if (stopped) {
            Command(player, CSlideShowDlg::kExit);
            return true;
        }
        return false;
    });
    EXPECT_EQ(player.DoModal(), IDOK);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(player.GetSlideIndex(), 0);
    EXPECT_EQ(StartsOf("voice.wav").size(), 1u);
}

TEST_F(SlideShowTest, UseScriptSwitchesSourceAndSwitchingTwiceComesBack) {
    // The child's own slide for scene 0: a plain picture that differs from the story's.
    CDib own;
    ASSERT_TRUE(own.Create(40, 30, 24));
    ASSERT_TRUE(own.Save("../books/scrapbook/own.bmp"));
    ASSERT_TRUE(shelf[1].SetSlide(0, "../books/scrapbook/own.bmp"));
    CSlideShowDlg player;
    Prepare(player, shelf[1]);
    std::vector<CSize> seen;
    int step = 0;
    backend.SetIdleHook([&] {
        if (player.GetSafeHwnd() == nullptr) return false;
        switch (step++) {
            case 0:
                seen.push_back(player.GetSlidePicture().GetSize());
                break;
            case 1:
                Command(player, CSlideShowDlg::kUseScript);
                break;
            case 2:
                seen.push_back(player.GetSlidePicture().GetSize());
                break;
            case 3:
                Command(player, CSlideShowDlg::kUseScript);
                break;
            case 4:
                seen.push_back(player.GetSlidePicture().GetSize());
                break;
            default:
                Command(player, CSlideShowDlg::kExit);
                break;
        }
        return true;
    });
    EXPECT_EQ(player.DoModal(), IDOK);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], CSize(40, 30));
    EXPECT_NE(seen[1], CSize(40, 30)) << "the story's own slide";
    EXPECT_EQ(seen[2], CSize(40, 30));
    EXPECT_TRUE(player.IsUsingScript());
    EXPECT_EQ(StartsOf("strysld.wav").size(), 1u);
    EXPECT_EQ(StartsOf("myslides.wav").size(), 1u);
}

TEST_F(SlideShowTest, UnreadableFirstSlideLeavesTheAreaEmptyAndDoesNotPlay) {
    std::ofstream("../books/pip/slides/00.vkb", std::ios::binary | std::ios::trunc) << "broken";
    CSlideShowDlg player;
    Prepare(player, shelf[1]);
    backend.SetIdleHook([&] {
        if (player.GetSafeHwnd() == nullptr) return false;
        Command(player, CSlideShowDlg::kExit);
        return true;
    });
    EXPECT_EQ(player.DoModal(), IDOK);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), CSlideShowDlg::kLoadFailed);
    // The file's path is for the grown-ups' report only.
    const std::vector<std::string> report = CContentReport::Log();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back().rfind("../books/pip/slides/00.vkb: ", 0), 0u);
    EXPECT_TRUE(StartsOf("voice.wav").empty());
    EXPECT_FALSE(player.GetSlidePicture().IsValid());
}

}  // namespace
