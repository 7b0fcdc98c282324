// The colouring screen's fill sounds: a seed decides their order, so scripted runs hear
// the same sounds every time, and every sound of the set can come up.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "coloring/CColoringLayout.h"
#include "coloring/CColoringSounds.h"

namespace fs = std::filesystem;

namespace {

class ColoringSoundsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path play = fs::path(TALEWICK_BINARY_DIR) / "content" / "play";
        if (!fs::exists(play)) GTEST_SKIP() << "no generated content";
        oldCwd = fs::current_path();
        fs::current_path(play);
    }
    void TearDown() override {
        if (!oldCwd.empty()) fs::current_path(oldCwd);
    }

    static std::vector<std::string> Fills(std::uint32_t seed, int count) {
        CColoringSounds sounds(CColoringLayout::SoundFiles(), seed);
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) paths.push_back(sounds.NextFillSound().GetPath());
        return paths;
    }

    fs::path oldCwd;
};

TEST_F(ColoringSoundsTest, TheSeedDecidesTheFillSoundsAndEachOneLoads) {
    const std::vector<std::string> first = Fills(21, 200);
    EXPECT_EQ(Fills(21, 200), first);
    EXPECT_NE(Fills(22, 200), first);
    const std::set<std::string> heard(first.begin(), first.end());
    EXPECT_EQ(heard.size(), CColoringSounds::kFillSoundCount);
    EXPECT_EQ(heard.count(""), 0u) << "a fill sound did not load";
}

}  // namespace
