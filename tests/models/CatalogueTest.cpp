// Crayon catalogue, crayon boxes, the texture box and its paging.
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "models/CCrayonBox.h"
#include "models/CCrayonCatalogue.h"
#include "models/CTextureBox.h"

using namespace fixture;

namespace {

// A box block with `crayons` crayons of which `declared` are announced.
std::string BoxBlock(int index, int declared, int crayons, const std::string& folder = "box") {
    std::string block = std::to_string(index) + "=\r\n[BoxFolder=" + folder +
                        "\r\n[NumCrayons=" + std::to_string(declared) +
                        "\r\n[LanguageEnglishFolder=snd\r\n[Box=box.bmp\r\n[Button=button.bmp\r\n";
    for (int c = 0; c < crayons; ++c)
        block += "[" + std::to_string(c) +
                 "=\r\n[[Tex=tex.bmp\r\n[[Sel=sel.bmp\r\n[[Pos=" + std::to_string(c * 10) +
                 ",20,30,40\r\n[[Snd=c.wav\r\n[]\r\n";
    return block + "]\r\n";
}

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"box/box.bmp", "box/button.bmp", "box/sel.bmp"})
            WriteBmp(dir / name, 4, 4, Solid({1, 2, 3}));
        WriteBmp(dir / "box/tex.bmp", 64, 32, Solid({9, 9, 9}));
    }
    std::string Folder() const { return dir.Path() + "/"; }

    TempDir dir;
    MessageRecorder messages;
    CCrayonBox boxes[CCrayonCatalogue::kMaxBoxes];
};

TEST_F(CatalogueTest, AtMostTenBoxesAndTwentyOneCrayonsLoad) {
    std::string text = "NumCrayonBoxes=12\r\n";
    for (int i = 0; i < 12; ++i) text += BoxBlock(i, i == 0 ? 25 : 2, i == 0 ? 25 : 2);
    WriteText(dir / "crayons.txt", text);
    int announced = 0;
    EXPECT_EQ(CCrayonCatalogue::Load(
                  boxes, 10, [&](CCrayonBox&) { ++announced; }, Folder()),
              10);
    EXPECT_EQ(announced, 10);
    EXPECT_EQ(boxes[0].GetCrayonCount(), 21);
    EXPECT_EQ(boxes[1].GetCrayonCount(), 2);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(CatalogueTest, CrayonPositionsScalesAndHits) {
    WriteText(dir / "crayons.txt", "NumCrayonBoxes=1\r\n" + BoxBlock(0, 3, 3));
    ASSERT_EQ(CCrayonCatalogue::Load(boxes, 10, {}, Folder()), 1);
    CCrayon* crayon = boxes[0].GetCrayon(0);
    EXPECT_EQ(crayon->GetPosition(), CRect(0, 20, 30, 60));
    EXPECT_FLOAT_EQ(crayon->GetSwatch().UScale(), 4.0f);
    EXPECT_FLOAT_EQ(crayon->GetSwatch().VScale(), 8.0f);
    EXPECT_EQ(crayon->GetSoundPath(), Folder() + "snd/c.wav");
    EXPECT_FALSE(crayon->HitTest(30, 20));
    EXPECT_TRUE(crayon->HitTest(0, 20));
    // Crayons 1 (10..40) and 2 (20..50) overlap at x = 25: the lower index wins.
    EXPECT_EQ(boxes[0].HitCrayon(25, 30), 1);
    CCrayon* current = nullptr;
    EXPECT_EQ(boxes[0].GetCurrentCrayon(&current), 0);
    EXPECT_EQ(current, boxes[0].GetCrayon(0));
    EXPECT_EQ(boxes[0].HitCrayon(45, 30), 1);
    EXPECT_EQ(boxes[0].GetCurrentCrayon(nullptr), 2);
    EXPECT_EQ(boxes[0].HitCrayon(100, 100), 0);
    EXPECT_EQ(boxes[0].SelectCrayon(3), 0);
    EXPECT_EQ(boxes[0].GetCurrentCrayon(nullptr), 2);
}

TEST_F(CatalogueTest, BackslashFolderIsUsedAsWritten) {
    WriteBmp(dir / "odd\\box.bmp", 4, 4, Solid({1, 2, 3}));
    WriteBmp(dir / "odd\\button.bmp", 4, 4, Solid({1, 2, 3}));
    WriteText(dir / "crayons.txt", "NumCrayonBoxes=1\r\n" + BoxBlock(0, 0, 0, "odd\\"));
    EXPECT_EQ(CCrayonCatalogue::Load(boxes, 10, {}, Folder()), 1);
}

TEST_F(CatalogueTest, FailuresStopLoadingAndAreReported) {
    EXPECT_EQ(CCrayonCatalogue::Load(boxes, 10, {}, Folder()), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    // Box 1 names a missing folder: box 0 stays usable, loading stops quietly.
    WriteText(dir / "crayons.txt", "NumCrayonBoxes=3\r\n" + BoxBlock(0, 1, 1) +
                                       BoxBlock(1, 1, 1, "nowhere") + BoxBlock(2, 1, 1));
    EXPECT_EQ(CCrayonCatalogue::Load(boxes, 10, {}, Folder()), 1);
    EXPECT_EQ(messages.messages.size(), 1u);
    // A crayon whose swatch is missing fails its box; no box at all is reported.
    WriteText(dir / "crayons.txt", "NumCrayonBoxes=1\r\n" + BoxBlock(0, 2, 1));
    CCrayonBox fresh[1];
    EXPECT_EQ(CCrayonCatalogue::Load(fresh, 1, {}, Folder()), 0);
    EXPECT_EQ(messages.messages.size(), 2u);
}

// Texture catalogue with `count` textures, `declared` announced.
void WriteTextures(const std::string& folder, int declared, int count) {
    WriteBmp(folder + "/t.bmp", 8, 8, Solid({4, 5, 6}));
    std::string text = "NumTextures=" + std::to_string(declared) + "\r\n";
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + "=\r\n[Tex=t.bmp\r\n[Sel=t.bmp\r\n[Dsp=t.bmp\r\n[Snd=t" +
                std::to_string(i) + ".wav\r\n]\r\n";
    WriteText(folder + "/textures.txt", text);
}

std::vector<int> Slots(CTextureBox& box) {
    std::vector<int> shown;
    for (int slot = 0; slot < box.GetSlotCount(); ++slot)
        shown.push_back(box.GetSlotTexture(slot, nullptr));
    return shown;
}

TEST_F(CatalogueTest, TextureSlotsPageWithWrapAround) {
    WriteTextures(dir.Path(), 5, 5);
    CTextureBox box(3);
    ASSERT_TRUE(box.Load(Folder()));
    EXPECT_EQ(Slots(box), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(box.SelectSlot(1), 1);
    box.ScrollForward();
    EXPECT_EQ(Slots(box), (std::vector<int>{1, 2, 3}));
    box.ScrollForward();
    box.ScrollForward();
    EXPECT_EQ(Slots(box), (std::vector<int>{3, 4, 0}));
    CTexture* current = nullptr;
    EXPECT_EQ(box.GetCurrentTexture(&current), 1);  // scrolling keeps the chosen texture
    EXPECT_NE(current, nullptr);
    for (int i = 0; i < 3; ++i) box.ScrollBack();
    box.ScrollBack();
    EXPECT_EQ(Slots(box), (std::vector<int>{4, 0, 1}));
    EXPECT_EQ(box.SelectSlot(3), 0);
    EXPECT_EQ(box.GetCurrentTexture(nullptr), 1);
    CTexture* none = current;
    EXPECT_EQ(box.GetSlotTexture(-1, &none), -1);
    EXPECT_EQ(none, nullptr);
}

TEST_F(CatalogueTest, TextureCountLimitsAndShortCatalogues) {
    WriteTextures(dir.Path(), 20, 20);
    CTextureBox many(3);
    EXPECT_EQ(many.Load(Folder()), 1);
    EXPECT_EQ(many.GetTextureCount(), 13);
    WriteTextures(dir.Path(), 2, 2);
    CTextureBox few(3);
    EXPECT_EQ(few.Load(Folder()), 0);
    EXPECT_TRUE(messages.messages.empty());
    CTextureBox missing(3);
    EXPECT_EQ(missing.Load(dir / "none/"), 0);
    EXPECT_EQ(messages.messages.size(), 1u);
}

}  // namespace
