// The crayon and texture catalogues the kit writes, read back through the program's own
// loaders: every box, crayon and texture arrives, with pictures of the sizes the coloring
// screen draws them at and hit rectangles that tile the crayon area.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "KitTree.h"
#include "crayons/CrayonKit.h"
#include "models/CCrayonCatalogue.h"
#include "models/CTextureBox.h"
#include "platform/window/MessageBox.h"
#include "resources/ScreenLayouts.h"
#include "textures/TextureKit.h"

namespace fs = std::filesystem;

namespace {

using Coloring = ScreenLayouts::Coloring;

// The size of a control of the coloring screen.
CSize ControlSize(const ControlLayout& control) {
    return control.rect.Size();
}

// The right star's button shows the crayon box selector.
constexpr const ControlLayout& kBoxSelector = Coloring::kRightStar;

// Records what the program would tell the user while it is alive.
class MessageRecorder {
  public:
    MessageRecorder()
        : m_previous(SetMessageBoxHandler(
              [this](ChildMessage, const std::string& text) { said.push_back(text); })) {}
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    std::vector<std::string> said;

  private:
    MessageBoxHandler m_previous;
};

void ExpectSize(const CDib& dib, CSize size, const std::string& what) {
    EXPECT_TRUE(dib.IsValid()) << what;
    EXPECT_EQ(dib.GetSize().cx, size.cx) << what;
    EXPECT_EQ(dib.GetSize().cy, size.cy) << what;
}

}  // namespace

TEST(CatalogueTest, EveryCrayonBoxLoadsThroughTheProgramsCatalogue) {
    ASSERT_FALSE(KitTree().empty());
    MessageRecorder messages;
    static CCrayonBox boxes[CCrayonCatalogue::kMaxBoxes];
    int announced = 0;
    const int loaded = CCrayonCatalogue::Load(
        boxes, CCrayonCatalogue::kMaxBoxes, [&announced](CCrayonBox&) { ++announced; },
        KitTree() + "/Crayons/");
    const auto& plans = CrayonBoxes();
    ASSERT_EQ(loaded, static_cast<int>(plans.size()));
    EXPECT_EQ(announced, loaded);
    EXPECT_TRUE(messages.said.empty()) << messages.said.front();
    const CSize area = ControlSize(Coloring::kCrayonArea);
    for (int b = 0; b < loaded; ++b) {
        CCrayonBox& box = boxes[b];
        ASSERT_EQ(box.GetCrayonCount(), static_cast<int>(plans[b].crayons.size())) << b;
        ASSERT_NE(box.GetButtonImage(), nullptr) << b;
        ExpectSize(*box.GetButtonImage(), ControlSize(kBoxSelector), "box selector");
        std::set<std::string> sounds;
        int right = 0;
        for (int i = 0; i < box.GetCrayonCount(); ++i) {
            CCrayon* crayon = box.GetCrayon(i);
            ASSERT_NE(crayon, nullptr);
            const CRect& pos = crayon->GetPosition();
            // Hit rectangles lie side by side inside the crayon area, none overlapping.
            EXPECT_GE(pos.left, right) << b << "/" << i;
            EXPECT_GT(pos.Width(), 10) << b << "/" << i;
            EXPECT_EQ(pos.top, 0);
            EXPECT_EQ(pos.bottom, area.cy);
            right = pos.right;
            // The swatch is the crayon's colour and nothing else.
            const std::uint32_t rgb = plans[b].crayons[i].rgb;
            BYTE bgr[3] = {};
            ASSERT_TRUE(crayon->GetTexture().GetPixelBytes(3, 5, bgr));
            EXPECT_EQ(bgr[2] << 16 | bgr[1] << 8 | bgr[0], static_cast<int>(rgb)) << b << "/" << i;
            EXPECT_TRUE(fs::is_regular_file(crayon->GetSoundPath())) << crayon->GetSoundPath();
            sounds.insert(crayon->GetSoundPath());
        }
        EXPECT_LE(right, area.cx);
        EXPECT_EQ(static_cast<int>(sounds.size()), box.GetCrayonCount()) << "a sound is shared";
    }
}

TEST(CatalogueTest, CrayonPicturesMatchTheScreensSlots) {
    ASSERT_FALSE(KitTree().empty());
    for (const CrayonBoxPlan& box : CrayonBoxes()) {
        const std::string folder = KitTree() + "/Crayons/" + box.folder + "/";
        CDib picture;
        ASSERT_TRUE(picture.Load(folder + "box.bmp")) << box.folder;
        ExpectSize(picture, ControlSize(Coloring::kCrayonArea), box.folder + "/box.bmp");
        for (const CrayonColour& crayon : box.crayons) {
            const std::string stem = CrayonStem(crayon.name);
            CDib selected;
            ASSERT_TRUE(selected.Load(folder + stem + "_s.bmp")) << stem;
            ExpectSize(selected, ControlSize(Coloring::kColourStrip), stem + "_s.bmp");
        }
    }
}

TEST(CatalogueTest, TheTextureBoxLoadsEveryTextureAndPagesThroughThem) {
    ASSERT_FALSE(KitTree().empty());
    MessageRecorder messages;
    CTextureBox box(3);
    ASSERT_EQ(box.Load(KitTree() + "/Textures/"), 1);
    EXPECT_TRUE(messages.said.empty());
    ASSERT_EQ(box.GetTextureCount(), static_cast<int>(TextureNames().size()));
    // Paging forward once per texture brings every one into the first slot exactly once.
    std::set<const CTexture*> seen;
    for (int page = 0; page < box.GetTextureCount(); ++page) {
        CTexture* texture = nullptr;
        ASSERT_GE(box.GetSlotTexture(0, &texture), 0);
        ASSERT_NE(texture, nullptr);
        seen.insert(texture);
        EXPECT_EQ(texture->GetTextureWidth(), 64);
        EXPECT_EQ(texture->GetTextureHeight(), 64);
        EXPECT_TRUE(fs::is_regular_file(texture->GetSoundPath())) << texture->GetSoundPath();
        box.ScrollForward();
    }
    EXPECT_EQ(static_cast<int>(seen.size()), box.GetTextureCount());
    for (const std::string& name : TextureNames()) {
        CDib display, strip;
        ASSERT_TRUE(display.Load(KitTree() + "/Textures/" + name + "_d.bmp")) << name;
        ASSERT_TRUE(strip.Load(KitTree() + "/Textures/" + name + "_s.bmp")) << name;
        ExpectSize(display, ControlSize(Coloring::kSwatch0), name + "_d.bmp");
        ExpectSize(strip, ControlSize(Coloring::kColourStrip), name + "_s.bmp");
    }
}

TEST(CatalogueTest, CataloguesUseCrLfLinesOnly) {
    ASSERT_FALSE(KitTree().empty());
    for (const char* file : {"/Crayons/crayons.txt", "/Textures/textures.txt"}) {
        const std::vector<std::uint8_t> bytes = FileBytes(KitTree() + file);
        ASSERT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes.back(), '\n') << file;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\n') continue;
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << file << " @" << i;
        }
    }
}

TEST(CatalogueTest, TexturesArePatternsNotFlatColoursAndEachIsItsOwn) {
    std::vector<std::vector<std::uint8_t>> swatches;
    for (const std::string& name : TextureNames()) {
        const KitImage swatch = TextureSwatch(name);
        ASSERT_EQ(swatch.Width(), 64) << name;
        std::map<std::uint32_t, int> colours;
        for (int y = 0; y < swatch.Height(); ++y)
            for (int x = 0; x < swatch.Width(); ++x) ++colours[swatch.Get(x, y)];
        // Beside its ground colour, the pattern covers a good part of the tile in colours
        // clearly unlike it: something a child can see.
        const std::uint32_t ground =
            std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
        int unlike = 0;
        for (const auto& [rgb, count] : colours) {
            int diff = 0;
            for (int shift : {0, 8, 16})
                diff = std::max(diff, std::abs(static_cast<int>(rgb >> shift & 0xFF) -
                                               static_cast<int>(ground >> shift & 0xFF)));
            unlike += diff > 48 ? count : 0;
        }
        EXPECT_GT(unlike * 20, 64 * 64) << name;
        EXPECT_LT(colours[ground] * 10, 64 * 64 * 9) << name;
        for (const auto& other : swatches) EXPECT_NE(swatch.Bytes(), other) << name;
        swatches.push_back(swatch.Bytes());
    }
    EXPECT_TRUE(TextureSwatch("no such texture").Bytes().empty());
}
