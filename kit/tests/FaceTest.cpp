// The screens' pictures as the program lays them out: button faces of their buttons' size,
// cut from the background where the buttons sit, pressed faces that look pressed, the
// scrambled container only where the kit means it, the credits picture and the guide.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "KitTree.h"
#include "check/TreeCheck.h"
#include "docs/DocsKit.h"
#include "resources/ScreenLayouts.h"
#include "screens/MessageKit.h"
#include "screens/ScreenKit.h"

namespace fs = std::filesystem;

namespace {

// The texture slots' shared frame is drawn whole, not cut from the background: the swatch
// covers all but its ring.
bool IsTextureSlotFrame(const ControlLayout& control) {
    return control.up == ScreenLayouts::Coloring::kTextureSlot0.up;
}

// Calls `check(screen, control, face)` for the up, down and disabled face of every picture
// button of every screen.
template <typename Check>
void ForEachFace(Check check) {
    for (const ScreenLayout& screen : ScreenLayouts::All())
        for (const ControlLayout& control : screen.controls) {
            if (!control.HasFaces()) continue;
            for (const char* face : {control.up, control.down, control.disabled})
                if (face != nullptr) check(screen, control, PathOf(screen, face));
        }
}

KitImage Picture(const std::string& relative) {
    KitImage image;
    EXPECT_EQ(LoadPicture(KitTree() + "/" + relative, image), "") << relative;
    return image;
}

// Every picture the screen builders draw, by path.
std::map<std::string, KitPicture> BuiltPictures() {
    std::map<std::string, KitPicture> all;
    for (auto& set :
         {BuildColoringScreen(), BuildSplashes(), BuildConfirmations(), BuildPrint(),
          BuildOptions(CreditsText()), BuildSlideShow(), BuildScrapbookScreen(), BuildMessages()})
        for (const KitPicture& picture : set) all[picture.path] = picture;
    return all;
}

bool StartsScrambled(const std::string& path) {
    const std::vector<std::uint8_t> bytes = FileBytes(path);
    return bytes.size() >= 4 && bytes[0] == 0xDD && bytes[1] == 0xEE && bytes[2] == 0xFF &&
           bytes[3] == 0xEE;
}

// Mean of (max channel - min channel) over the picture: how colourful it is.
double Colourfulness(const KitImage& image) {
    double sum = 0.0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t c = image.Get(x, y);
            const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
            sum += std::max({r, g, b}) - std::min({r, g, b});
        }
    return sum / (image.Width() * image.Height());
}

// Pixels within `tolerance` per channel of `rgb` inside the rectangle.
int CountNear(const KitImage& image, std::uint32_t rgb, int x0, int y0, int x1, int y1,
              int tolerance) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t c = image.Get(x, y);
            bool near = true;
            for (int shift : {0, 8, 16})
                near = near && std::abs(static_cast<int>(c >> shift & 0xFF) -
                                        static_cast<int>(rgb >> shift & 0xFF)) <= tolerance;
            count += near ? 1 : 0;
        }
    return count;
}

}  // namespace

TEST(FaceTest, EveryFaceTheLayoutNamesIsWrittenAtItsButtonsSize) {
    ASSERT_FALSE(KitTree().empty());
    int faces = 0;
    ForEachFace(
        [&faces](const ScreenLayout&, const ControlLayout& control, const std::string& path) {
            const KitImage image = Picture(path);
            EXPECT_EQ(image.Width(), control.rect.Width()) << path;
            EXPECT_EQ(image.Height(), control.rect.Height()) << path;
            ++faces;
        });
    EXPECT_GT(faces, 60);
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        const KitImage background = Picture(PathOf(screen, screen.pictures.front().file));
        EXPECT_EQ(background.Width(), screen.width) << screen.name;
        EXPECT_EQ(background.Height(), screen.height) << screen.name;
    }
}

TEST(FaceTest, FacesContinueTheBackgroundWhereTheirButtonsSit) {
    // A face's corners lie outside its rounded button, so they must be the background's
    // pixels at the button's place: otherwise a square seam shows around the button.
    ASSERT_FALSE(KitTree().empty());
    ForEachFace(
        [](const ScreenLayout& screen, const ControlLayout& control, const std::string& path) {
            if (IsTextureSlotFrame(control)) return;
            const KitImage background = Picture(PathOf(screen, screen.pictures.front().file));
            const KitImage image = Picture(path);
            ASSERT_EQ(image.Width(), control.rect.Width()) << path;
            const CRect& rect = control.rect;
            for (auto [x, y] : {std::pair{0, 0},
                                {image.Width() - 1, 0},
                                {0, image.Height() - 1},
                                {image.Width() - 1, image.Height() - 1}})
                EXPECT_EQ(image.Get(x, y), background.Get(rect.left + x, rect.top + y))
                    << path << " at " << x << "," << y;
        });
}

TEST(FaceTest, PressedAndDisabledFacesLookDifferentFromUpFaces) {
    ASSERT_FALSE(KitTree().empty());
    int pairs = 0, disabled = 0;
    for (const ExpectedPicture& face : ExpectedPictures()) {
        if (face.upFace.empty()) continue;
        const KitImage up = Picture(face.upFace), other = Picture(face.path);
        ASSERT_EQ(up.Width(), other.Width()) << face.path;
        // A clearly visible change, not a few stray pixels.
        EXPECT_GT(MeanDifference(up, other), 2 * kSameLookingFaces) << face.path;
        ++pairs;
        const bool isOff = face.path.ends_with("o.bmp");
        if (isOff) {
            ++disabled;
            EXPECT_LT(Colourfulness(other), 0.8 * Colourfulness(up)) << face.path << " is not grey";
        }
    }
    EXPECT_GT(pairs, 0);
    EXPECT_GT(disabled, 0);
}

TEST(FaceTest, EveryDrawnPictureIsInTheLayoutTableWithItsSize) {
    const std::map<std::string, KitPicture> built = BuiltPictures();
    std::map<std::string, const ExpectedPicture*> expected;
    for (const ExpectedPicture& picture : ExpectedPictures()) expected[picture.path] = &picture;
    for (const auto& [path, picture] : built) {
        ASSERT_TRUE(expected.count(path)) << path << " is drawn but not checked";
        EXPECT_EQ(picture.image.Width(), expected[path]->width) << path;
        EXPECT_EQ(picture.image.Height(), expected[path]->height) << path;
    }
    for (const auto& [path, picture] : expected)
        EXPECT_TRUE(built.count(path)) << path << " is named but never drawn";
}

TEST(FaceTest, ScrambledContainersAreExactlyThePicturesMeantForThem) {
    ASSERT_FALSE(KitTree().empty());
    int scrambled = 0, plain = 0;
    for (const auto& [path, picture] : BuiltPictures()) {
        EXPECT_EQ(StartsScrambled(KitTree() + "/" + path), picture.scrambled) << path;
        (picture.scrambled ? scrambled : plain) += 1;
        // Either way the program's reader gives back exactly what was drawn.
        KitImage read;
        ASSERT_EQ(LoadPicture(KitTree() + "/" + path, read), "") << path;
        EXPECT_TRUE(read.Bytes() == picture.image.Bytes()) << path;
    }
    EXPECT_GT(scrambled, 0);
    EXPECT_GT(plain, scrambled);
    // The crayon box selectors are scrambled too; every swatch is a plain bitmap.
    for (const auto& entry : fs::recursive_directory_iterator(KitTree() + "/Crayons")) {
        if (entry.path().extension() != ".bmp") continue;
        EXPECT_EQ(StartsScrambled(entry.path().string()), entry.path().filename() == "button.bmp")
            << entry.path();
    }
}

TEST(FaceTest, CreditsPictureHoldsItsTextAndAPlainTickerBand) {
    const std::vector<KitPicture> withText = BuildOptions(CreditsText());
    const std::vector<KitPicture> withoutText = BuildOptions("");
    auto credits = [](const std::vector<KitPicture>& set) {
        for (const KitPicture& picture : set)
            if (picture.path.ends_with("credits.bmp")) return picture.image;
        return KitImage();
    };
    const KitImage full = credits(withText), empty = credits(withoutText);
    ASSERT_EQ(full.Width(), 640);
    ASSERT_EQ(full.Height(), 480);
    // The ticker runs over a band of RGB(251, 214, 4); the band is that colour alone.
    const CRect& band = ScreenLayouts::Options::kTickerBand.rect;
    EXPECT_EQ(CountNear(full, 0xFBD604, band.left, band.top, band.right, band.bottom, 0),
              band.Width() * band.Height());
    // The credits are written in blue between the heart and the band, and only the text
    // puts blue there.
    const int blueWithText = CountNear(full, Colours::kBlue, 60, 110, 580, 420, 40);
    EXPECT_GT(blueWithText, 2000);
    EXPECT_EQ(CountNear(empty, Colours::kBlue, 60, 110, 580, 420, 40), 0);
}

TEST(FaceTest, TheGuideIsOneWellFormedRtfDocument) {
    ASSERT_FALSE(KitTree().empty());
    const std::vector<std::uint8_t> bytes = FileBytes(KitTree() + "/extlearn.wri");
    const std::string guide(bytes.begin(), bytes.end());
    EXPECT_EQ(RtfProblem(guide), "");
    EXPECT_GT(guide.size(), 1000u);
    EXPECT_NE(guide.find("\\par"), std::string::npos);

    EXPECT_EQ(RtfProblem("{\\rtf1 a \\{ brace \\} and \\\\ a backslash}\r\n"), "");
    EXPECT_NE(RtfProblem("{\\rtf1 {\\b bold}"), "");
    EXPECT_NE(RtfProblem("{\\rtf1 shut} and more"), "");
    EXPECT_NE(RtfProblem("{\\rtf1 }}{"), "");
    EXPECT_NE(RtfProblem("{\\rtf1 caf\xC3\xA9}"), "");
    EXPECT_NE(RtfProblem("Plain text"), "");
    EXPECT_NE(RtfProblem(""), "");
}
