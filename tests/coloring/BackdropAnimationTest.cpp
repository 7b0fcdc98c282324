// A background animation on its own window: loading its strip, which clicks start it, the
// frames its timer steps through and what it draws of each, and its end.
#include <gtest/gtest.h>

#include <memory>

#include "../models/SceneFixture.h"
#include "coloring/CBackdropAnimation.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/base/WinUser.h"
#include "platform/draw/CClientDC.h"
#include "platform/window/CWnd.h"

using namespace fixture;

namespace {

constexpr UINT kTimer = 7;
const CRect kPlace(4, 2, 10, 6);  // 6 × 4 on a 16 × 12 window
constexpr int kFrames = 3;

// Frame i of the strip is a flat grey of level 60 * (i + 1).
Rgb FrameColour(int x) {
    const BYTE level = static_cast<BYTE>(60 * (x / kPlace.Width() + 1));
    return {level, level, level};
}

class BackdropAnimationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBmp(dir / "strip.bmp", kPlace.Width() * kFrames, kPlace.Height(),
                 [](int x, int) { return FrameColour(x); });
        WriteBmp(dir / "short.bmp", kPlace.Width() * (kFrames - 1), kPlace.Height(),
                 [](int x, int) { return FrameColour(x); });
        WriteWave(dir / "sound.wav");
        previous = SetBackend(&backend);
        window = std::make_unique<CWnd>();
        ASSERT_TRUE(window->CreateEx(WS_POPUP | WS_VISIBLE, CRect(0, 0, 16, 12), nullptr, 0));
    }
    void TearDown() override {
        window.reset();
        SetBackend(previous);
    }
    CBackdropAnimation::Plan PlanOf(const std::string& strip) {
        return {kPlace, kFrames, dir / strip, dir / "sound.wav", kTimer};
    }
    // Draws what the animation shows over the whole window, as the screen's paint does.
    void PaintAll() {
        CClientDC dc(window.get());
        animation.Paint(dc, CRect(0, 0, 16, 12));
    }
    COLORREF Shown(int x, int y) { return backend.Surface().GetPixel(x, y); }

    TempDir dir;
    MessageRecorder messages;
    HeadlessBackend backend{16, 12, 32};
    Backend* previous = nullptr;
    std::unique_ptr<CWnd> window;
    CBackdropAnimation animation;
};

}  // namespace

TEST_F(BackdropAnimationTest, AClickInItsPlaceStartsItAndItsTimerStepsToTheEnd) {
    ASSERT_TRUE(animation.Load(PlanOf("strip.bmp")));
    EXPECT_FALSE(animation.Click(*window, CPoint(3, 2)));  // just left of the place
    EXPECT_FALSE(animation.Click(*window, CPoint(4, 6)));  // just below it
    EXPECT_FALSE(animation.IsPlaying());
    ASSERT_TRUE(animation.Click(*window, CPoint(9, 5)));
    EXPECT_EQ(animation.GetFrame(), 0);
    EXPECT_FALSE(animation.OnTimer(*window, kTimer + 1));
    EXPECT_EQ(animation.GetFrame(), 0);
    ASSERT_TRUE(animation.OnTimer(*window, kTimer));
    EXPECT_EQ(animation.GetFrame(), 1);
    // A click while it plays is taken without starting over.
    EXPECT_TRUE(animation.Click(*window, CPoint(5, 3)));
    EXPECT_EQ(animation.GetFrame(), 1);
    ASSERT_TRUE(animation.OnTimer(*window, kTimer));
    EXPECT_EQ(animation.GetFrame(), 2);
    ASSERT_TRUE(animation.OnTimer(*window, kTimer));
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(animation.GetFrame(), -1);
    // Once over, the next click plays it again from the start.
    ASSERT_TRUE(animation.Click(*window, CPoint(4, 2)));
    EXPECT_EQ(animation.GetFrame(), 0);
    animation.Stop(*window);
    EXPECT_FALSE(animation.IsPlaying());
}

TEST_F(BackdropAnimationTest, DrawsTheFrameOnShowOverItsPlaceOnly) {
    ASSERT_TRUE(animation.Load(PlanOf("strip.bmp")));
    const COLORREF before = Shown(0, 0);
    PaintAll();
    EXPECT_EQ(Shown(5, 3), before);  // idle: nothing drawn
    ASSERT_TRUE(animation.Click(*window, CPoint(5, 3)));
    ASSERT_TRUE(animation.OnTimer(*window, kTimer));
    PaintAll();
    EXPECT_EQ(Shown(kPlace.left, kPlace.top), RGB(120, 120, 120));
    EXPECT_EQ(Shown(kPlace.right - 1, kPlace.bottom - 1), RGB(120, 120, 120));
    EXPECT_EQ(Shown(kPlace.right, kPlace.top), before);
    EXPECT_EQ(Shown(kPlace.left, kPlace.bottom), before);
    // An update that covers part of the place draws that part.
    ASSERT_TRUE(animation.OnTimer(*window, kTimer));
    CClientDC dc(window.get());
    animation.Paint(dc, CRect(0, 0, 6, 12));
    EXPECT_EQ(Shown(5, 3), RGB(180, 180, 180));
    EXPECT_EQ(Shown(6, 3), RGB(120, 120, 120));
}

TEST_F(BackdropAnimationTest, AStripOfTheWrongSizeOrNoneLeavesClicksUnanswered) {
    // Not loaded yet, it claims no timer, not even the screen's first (id 0).
    EXPECT_FALSE(animation.OnTimer(*window, 0));
    EXPECT_FALSE(animation.Load(PlanOf("short.bmp")));
    EXPECT_FALSE(animation.OnTimer(*window, kTimer));
    EXPECT_FALSE(animation.Click(*window, CPoint(5, 3)));
    EXPECT_FALSE(animation.Load(PlanOf("missing.bmp")));
    EXPECT_FALSE(animation.Click(*window, CPoint(5, 3)));
    EXPECT_FALSE(animation.IsPlaying());
}
