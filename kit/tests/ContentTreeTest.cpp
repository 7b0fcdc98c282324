// Generates the kit's own part of the content tree twice and checks it the way the
// program would read it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "KitTree.h"
#include "check/ContentKit.h"
#include "check/TreeCheck.h"
#include "crayons/CrayonKit.h"
#include "docs/DocsKit.h"
#include "screens/ScreenKit.h"
#include "sheet/ContactSheet.h"
#include "sounds/SoundKit.h"
#include "sounds/WaveFile.h"
#include "textures/TextureKit.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::vector<std::uint8_t>> TreeBytes(const std::string& dir) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            ReadFileBytes(entry.path().string(),
                          files[entry.path().lexically_relative(dir).string()]);
    return files;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& text) {
    for (const auto& line : problems)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

class ContentTreeTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_root = (fs::temp_directory_path() / ("talewick-kit-test-" + std::to_string(::getpid())))
                     .string();
        fs::remove_all(s_root);
        fs::create_directories(s_root);
        s_generated = !KitTree().empty();
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    // A private copy of the generated tree that a test may damage.
    std::string CopyTree() {
        const std::string copy =
            s_root + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::copy(KitTree(), copy, fs::copy_options::recursive);
        return copy;
    }

    static std::string s_root;
    static bool s_generated;
};

std::string ContentTreeTest::s_root;
bool ContentTreeTest::s_generated = false;

TEST_F(ContentTreeTest, GeneratedTreePassesTheCheck) {
    ASSERT_TRUE(s_generated);
    std::vector<std::string> problems;
    CheckTree(KitTree(), problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST_F(ContentTreeTest, CheckCatchesRemovedTruncatedAndUnnamedFiles) {
    const std::string dir = CopyTree();
    fs::remove(dir + "/bitmaps/undod.bmp");
    fs::resize_file(dir + "/bitmaps/quit/exitbox.bmp", 300);
    fs::remove(dir + "/Textures/bricks_t.bmp");
    fs::resize_file(dir + "/sounds/oops.wav", 30);
    std::vector<std::string> problems;
    CheckTree(dir, problems);
    EXPECT_TRUE(Mentions(problems, "bitmaps/undod.bmp: missing"));
    EXPECT_TRUE(Mentions(problems, "bitmaps/quit/exitbox.bmp"));
    EXPECT_TRUE(Mentions(problems, "Textures/bricks_t.bmp: missing"));
    EXPECT_TRUE(Mentions(problems, "sounds/oops.wav"));
    EXPECT_EQ(problems.size(), 4u);
}

TEST_F(ContentTreeTest, CheckCatchesACatalogueNamingAMissingSwatch) {
    const std::string dir = CopyTree();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(dir + "/Crayons/crayons.txt", bytes));
    std::string text(bytes.begin(), bytes.end());
    const std::size_t at = text.find("Tex=red_t.bmp");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 13, "Tex=rouge.bmp");
    ASSERT_TRUE(WriteFileBytes(dir + "/Crayons/crayons.txt",
                               std::vector<std::uint8_t>(text.begin(), text.end())));
    std::vector<std::string> problems;
    CheckTree(dir, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Crayons/everyday/rouge.bmp: missing");
}

TEST_F(ContentTreeTest, CheckCatchesAButtonOfTheWrongSize) {
    const std::string dir = CopyTree();
    ASSERT_TRUE(KitImage(61, 32).WriteBmp(dir + "/bitmaps/areau.bmp"));
    std::vector<std::string> problems;
    CheckTree(dir, problems);
    EXPECT_TRUE(Mentions(problems, "bitmaps/areau.bmp: is 61 x 32, the layout needs 60 x 32"));
}

TEST_F(ContentTreeTest, CheckCatchesAPressedFaceLikeItsUpFaceAndABrokenGuide) {
    const std::string dir = CopyTree();
    fs::copy_file(dir + "/bitmaps/scrapbk/optu.bmp", dir + "/bitmaps/scrapbk/optd.bmp",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(dir + "/bitmaps/slides/playu.bmp", dir + "/bitmaps/slides/playo.bmp",
                  fs::copy_options::overwrite_existing);
    std::vector<std::uint8_t> guide;
    ASSERT_TRUE(ReadFileBytes(dir + "/extlearn.wri", guide));
    guide.resize(guide.size() / 2);  // cut off in the middle of a group
    ASSERT_TRUE(WriteFileBytes(dir + "/extlearn.wri", guide));
    std::vector<std::string> problems;
    CheckTree(dir, problems);
    EXPECT_TRUE(Mentions(problems, "bitmaps/scrapbk/optd.bmp: looks the same as"));
    EXPECT_TRUE(Mentions(problems, "bitmaps/slides/playo.bmp: looks the same as"));
    EXPECT_TRUE(Mentions(problems, "extlearn.wri: has unbalanced braces"));
    EXPECT_EQ(problems.size(), 3u);
}

TEST_F(ContentTreeTest, CheckCatchesBadCountsPositionsAndClicks) {
    const std::string dir = CopyTree();
    auto edit = [&dir](const std::string& file, const std::string& from, const std::string& to) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(dir + "/" + file, bytes));
        std::string text(bytes.begin(), bytes.end());
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        ASSERT_TRUE(
            WriteFileBytes(dir + "/" + file, std::vector<std::uint8_t>(text.begin(), text.end())));
    };
    edit("Textures/textures.txt", "NumTextures=13", "NumTextures=2");
    edit("Crayons/crayons.txt", "[[Pos=0,0,", "[[Pos=350,0,");
    // A sound that starts at full swing clicks when it is played.
    WaveFile wave;
    ASSERT_EQ(wave.Read(dir + "/sounds/click.wav"), "");
    wave.samples.front() = 20000;
    ASSERT_TRUE(WriteWave(dir + "/sounds/click.wav", wave.samples));
    std::vector<std::string> problems;
    CheckTree(dir, problems);
    EXPECT_TRUE(Mentions(problems, "Textures/textures.txt: NumTextures is not 3 to 13"));
    EXPECT_TRUE(Mentions(problems, "Crayons/crayons.txt box 0: crayon 0 has a bad Pos"));
    EXPECT_TRUE(Mentions(problems, "sounds/click.wav: starts or ends with a click"));
    EXPECT_EQ(problems.size(), 3u);
}

TEST_F(ContentTreeTest, TwoGenerationsAreByteIdentical) {
    std::vector<std::string> failures;
    ASSERT_TRUE(GenerateKitPart(s_root + "/b", failures));
    const auto first = TreeBytes(KitTree());
    const auto second = TreeBytes(s_root + "/b");
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [path, bytes] : first) {
        ASSERT_TRUE(second.count(path)) << path;
        EXPECT_TRUE(bytes == second.at(path)) << path << " differs";
    }
}

TEST_F(ContentTreeTest, SoundsAreShortLoudEnoughAndFaded) {
    std::vector<std::string> paths;
    for (const SoundPlan& sound : ScreenSounds()) paths.push_back(sound.path);
    paths.push_back("Crayons/everyday/english/red.wav");
    paths.push_back("Textures/water.wav");
    for (const std::string& path : paths) {
        WaveFile wave;
        ASSERT_EQ(wave.Read(KitTree() + "/" + path), "") << path;
        EXPECT_EQ(wave.rate, 22050) << path;
        EXPECT_EQ(wave.channels, 1) << path;
        EXPECT_EQ(wave.bits, 16) << path;
        EXPECT_LT(wave.Seconds(), 1.5) << path;
        EXPECT_GT(wave.Seconds(), 0.05) << path;
        const double peakDb = 20 * std::log10(wave.Peak() / 32768.0);
        EXPECT_NEAR(peakDb, -3.0, 0.5) << path;
        // Faded: the first and last half millisecond stay far below the peak.
        EXPECT_LT(wave.PeakOfHead(10), wave.Peak() / 4) << path;
        EXPECT_LT(wave.PeakOfTail(10), wave.Peak() / 4) << path;
    }
}

TEST_F(ContentTreeTest, ScrambledPicturesLoadThroughTheProgramsReader) {
    for (const char* path :
         {"bitmaps/Pimbly.bmp", "bitmaps/sbrushd.bmp", "Crayons/nature/button.bmp"}) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(KitTree() + "/" + path, bytes));
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 0xDD) << path;
        KitImage image;
        EXPECT_EQ(LoadPicture(KitTree() + "/" + path, image), "") << path;
        EXPECT_GT(image.Width(), 0) << path;
    }
}

TEST(ContactSheetTest, CubeDitherUsesOnlyCubeLevelsAndKeepsTheAverage) {
    KitImage flat(40, 40, 0x7A5C30);
    const KitImage dithered = DitherToCube(flat);
    double sumR = 0, sumB = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const std::uint32_t rgb = dithered.Get(x, y);
            const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            // Red and green levels are trunc(k * 36.5), blue levels b * 85.
            EXPECT_EQ(static_cast<int>(std::lround(r / 36.5)) * 365 / 10, r);
            EXPECT_EQ(static_cast<int>(std::lround(g / 36.5)) * 365 / 10, g);
            EXPECT_EQ(b % 85, 0);
            sumR += r;
            sumB += b;
        }
    EXPECT_NEAR(sumR / 1600, 0x7A, 4);
    EXPECT_NEAR(sumB / 1600, 0x30, 6);
}

TEST(TextureTest, SwatchesTileWithoutSeams) {
    for (const std::string& name : TextureNames()) {
        const KitImage swatch = TextureSwatch(name);
        ASSERT_EQ(swatch.Width(), 64) << name;
        // Across the wrap the pattern changes no more than it does inside the tile.
        auto rowDiff = [&](int a, int b) {
            long diff = 0;
            for (int x = 0; x < 64; ++x)
                diff += std::abs(static_cast<int>(swatch.Get(x, a) & 0xFF) -
                                 static_cast<int>(swatch.Get(x, b) & 0xFF));
            return diff;
        };
        long worstInside = 0;
        for (int y = 0; y < 63; ++y) worstInside = std::max(worstInside, rowDiff(y, y + 1));
        EXPECT_LE(rowDiff(63, 0), worstInside) << name;
    }
}

}  // namespace
