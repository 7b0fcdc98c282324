// Colouring one pixel, undo, saved pictures and the bulk paths against the per-pixel ones.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "SceneFixture.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/Preferences.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"

using namespace fixture;

namespace {

// 8 × 6 scene: light level 120 everywhere; object 1 left of x = 4, object 2 right of it;
// u = 16x + 5 and v = 16y + 5 so a 16 × 16 swatch is read at (x, y). Uncoloured grey 100.
class PaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteScene(
            dir.Path(), 8, 6, Solid({90, 120, 150}),
            [](int x, int y) {
                return Rgb{static_cast<BYTE>(x < 4 ? 1 : 2), static_cast<BYTE>(16 * y + 5),
                           static_cast<BYTE>(16 * x + 5)};
            },
            Solid({100, 100, 100}));
        WriteBmp(dir / "grad.bmp", 16, 16, [](int x, int y) {
            return Rgb{static_cast<BYTE>(x * 40 + 10), static_cast<BYTE>(y * 40 + 10), 200};
        });
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        picture = book.GetImage(0);
        ASSERT_TRUE(crayon.LoadFiles(dir / "grad.bmp", dir / "sel.bmp"));
    }

    std::array<int, 3> Canvas(int x, int y) {
        CDib* canvas = picture->GetPrintPicture(true);
        return {canvas->GetByte0(x, y), canvas->GetByte1(x, y), canvas->GetByte2(x, y)};
    }

    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
    CGlimImage* picture = nullptr;
    CCrayon crayon;
};

using Channels = std::array<int, 3>;

TEST_F(PaintTest, PaintShadesTheSwatchAndBlendsByStrength) {
    // Texel (2, 3) = (90, 130, 200); shaded by 120: (42, 60, 93).
    EXPECT_TRUE(picture->PaintPixel(2, 3, crayon.GetSwatch(), 1.0f, -1));
    EXPECT_EQ(Canvas(2, 3), (Channels{42, 60, 93}));
    // Texel (2, 4) = (90, 170, 200) shades to (42, 79, 93); half of it over grey 100
    // truncates to (71, 89, 96).
    EXPECT_TRUE(picture->PaintPixel(2, 4, crayon.GetSwatch(), 0.5f, -1));
    EXPECT_EQ(Canvas(2, 4), (Channels{71, 89, 96}));
    // Strength 0 paints nothing but succeeds.
    EXPECT_TRUE(picture->PaintPixel(1, 1, crayon.GetSwatch(), 0.0f, -1));
    EXPECT_EQ(Canvas(1, 1), (Channels{100, 100, 100}));
}

TEST_F(PaintTest, RepeatedWeakStrokesDeepenTheColour) {
    // Texel (1, 1) = (50, 50, 200) shaded: (23, 23, 93). 5% a stroke over 100.
    picture->PaintPixel(1, 1, crayon.GetSwatch(), 0.05f, -1);
    EXPECT_EQ(Canvas(1, 1), (Channels{96, 96, 99}));
    picture->PaintPixel(1, 1, crayon.GetSwatch(), 0.05f, -1);
    EXPECT_EQ(Canvas(1, 1), (Channels{92, 92, 98}));
}

TEST_F(PaintTest, RefusedPixelsChangeNothing) {
    EXPECT_FALSE(picture->PaintPixel(1, 1, crayon.GetSwatch(), 1.0f, 2));  // object 1, lock 2
    EXPECT_FALSE(picture->PaintPixel(8, 0, crayon.GetSwatch(), 1.0f, -1));
    EXPECT_FALSE(picture->PaintPixel(-1, 0, crayon.GetSwatch(), 1.0f, -1));
    EXPECT_FALSE(picture->ErasePixel(0, 6, 1.0f, -1));
    EXPECT_EQ(Canvas(1, 1), (Channels{100, 100, 100}));
    EXPECT_EQ(picture->GetRegionId(5, 0), 2);
    EXPECT_EQ(picture->GetRegionId(8, 0), -1);
}

TEST_F(PaintTest, EraseRestoresTheUncolouredLayer) {
    picture->PaintPixel(2, 3, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_TRUE(picture->ErasePixel(2, 3, 0.5f, -1));
    EXPECT_EQ(Canvas(2, 3), (Channels{71, 80, 96}));
    EXPECT_TRUE(picture->ErasePixel(2, 3, 1.0f, 1));
    EXPECT_EQ(Canvas(2, 3), (Channels{100, 100, 100}));
}

TEST_F(PaintTest, ChangedAreaGrowsToCoverPaintedPixels) {
    EXPECT_TRUE(picture->GetChangedArea().IsRectEmpty());
    picture->PaintPixel(2, 3, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_EQ(picture->GetChangedArea(), CRect(2, 3, 3, 4));
    picture->PaintPixel(5, 1, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_EQ(picture->GetChangedArea(), CRect(2, 1, 6, 4));
    picture->PaintPixel(3, 2, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_EQ(picture->GetChangedArea(), CRect(2, 1, 6, 4));
}

TEST_F(PaintTest, UndoTakesThePixelBackAndRedoPaintsItAgain) {
    EXPECT_FALSE(picture->Undo());
    ASSERT_TRUE(picture->SaveUndo());
    picture->PaintPixel(2, 3, crayon.GetSwatch(), 1.0f, -1);
    EXPECT_TRUE(picture->Undo());
    EXPECT_EQ(Canvas(2, 3), (Channels{100, 100, 100}));
    EXPECT_FALSE(picture->Undo());  // nothing older
    EXPECT_TRUE(picture->Redo());
    EXPECT_EQ(Canvas(2, 3), (Channels{42, 60, 93}));
    EXPECT_FALSE(picture->Redo());
}

TEST_F(PaintTest, SolidSwatchLaysOneShadedColourAndFillsNoticeANewSwatch) {
    // Red 200, green 100, blue 50 shaded by light 120.
    const Swatch orange = Swatch::Solid(200, 100, 50);
    EXPECT_TRUE(picture->PaintPixel(0, 0, orange, 1.0f, -1));
    EXPECT_TRUE(picture->PaintPixel(7, 5, orange, 1.0f, -1));
    EXPECT_EQ(Canvas(0, 0), (Channels{23, 46, 93}));
    EXPECT_EQ(Canvas(7, 5), (Channels{23, 46, 93}));
    EXPECT_FALSE(picture->PaintPixel(1, 1, Swatch(), 1.0f, -1));  // a swatch without pixels
    // The table laid out for one swatch is not reused for another.
    std::vector<CRect> columns;
    picture->PrepareSwatch(orange);
    EXPECT_EQ(picture->PaintObjectColumns(4, 8, Swatch::Solid(0, 0, 255), 2, columns), 24);
    EXPECT_EQ(Canvas(6, 2), (Channels{119, 0, 0}));
}

TEST_F(PaintTest, ReloadedShadingRelightsTheNextFill) {
    // Texel (0, 0) = (10, 10, 200): by light 120 (4, 4, 93), by light 30 (1, 1, 23).
    CGlimAreaFill fill;
    fill.SetSwatch(crayon.GetSwatch());
    ASSERT_TRUE(fill.Fill(picture, CPoint(0, 0), nullptr));
    EXPECT_EQ(Canvas(0, 0), (Channels{4, 4, 93}));
    WriteBmp(dir / "scene/lt.bmp", 8, 6, Solid({30, 30, 30}));
    ASSERT_TRUE(picture->EnsureShading(true));
    ASSERT_TRUE(fill.Fill(picture, CPoint(0, 0), nullptr));
    EXPECT_EQ(Canvas(0, 0), (Channels{1, 1, 23}));
}

TEST_F(PaintTest, UndoAfterTheSavedPictureArrivedBringsTheSavedPictureBack) {
    ASSERT_TRUE(picture->SaveUndo());
    picture->PaintPixel(2, 3, crayon.GetSwatch(), 1.0f, -1);
    WriteBmp(dir / "saved.bmp", 8, 6, Solid({7, 8, 9}));
    picture->SetSavedFiles(dir / "saved.bmp", "");
    // The snapshot must take all of the new canvas, not just what was painted before.
    ASSERT_TRUE(picture->SaveUndo());
    picture->PaintPixel(5, 1, crayon.GetSwatch(), 1.0f, -1);
    ASSERT_TRUE(picture->Undo());
    for (const CPoint p : {CPoint(0, 0), CPoint(2, 3), CPoint(5, 1)})
        EXPECT_EQ(Canvas(p.x, p.y), (Channels{7, 8, 9})) << p.x << "," << p.y;
}

TEST_F(PaintTest, SceneLeftBehindFreesTheTablesItsFillBuilt) {
    book.SelectImage(0);
    CGlimAreaFill fill;
    fill.SetSwatch(crayon.GetSwatch());
    ASSERT_TRUE(fill.Fill(picture, CPoint(5, 2), nullptr));
    ASSERT_TRUE(picture->HoldsResources());
    book.SelectImage(-1);
    EXPECT_FALSE(picture->HoldsResources());
}

TEST_F(PaintTest, SavedPictureReplacesTheUncolouredUntilReleased) {
    WriteBmp(dir / "saved.bmp", 8, 6, Solid({7, 8, 9}));
    picture->SetSavedFiles(dir / "saved.bmp", "");
    EXPECT_EQ(Canvas(0, 0), (Channels{7, 8, 9}));
    EXPECT_TRUE(picture->ReleaseAll());
    EXPECT_FALSE(picture->HoldsResources());
    EXPECT_EQ(Canvas(0, 0), (Channels{100, 100, 100}));
}

TEST_F(PaintTest, SmallerLayersRefuseThePixelsTheyLack) {
    // A mapping layer half as wide and a shading layer one row short.
    WriteBmp(dir / "scene/mg.bmp", 4, 6, Solid({1, 5, 5}));
    WriteBmp(dir / "scene/lt.bmp", 8, 5, Solid({90, 120, 150}));
    CGlimBook small;
    ASSERT_TRUE(small.Load(dir.Path(), "story.txt"));
    CGlimImage* scene = small.GetImage(0);
    EXPECT_EQ(scene->GetRegionId(6, 1), -1);
    EXPECT_FALSE(scene->PaintPixel(6, 1, crayon.GetSwatch(), 1.0f, -1));
    EXPECT_FALSE(scene->PaintPixel(1, 5, crayon.GetSwatch(), 1.0f, -1));
    EXPECT_TRUE(scene->PaintPixel(1, 4, crayon.GetSwatch(), 1.0f, -1));
    CGlimAreaFill fill;
    fill.SetSwatch(crayon.GetSwatch());
    EXPECT_TRUE(fill.Fill(scene, CPoint(0, 0), nullptr));
    EXPECT_EQ(scene->GetChangedArea(), CRect(0, 0, 4, 5));
    CDib* canvas = scene->GetPrintPicture(true);
    EXPECT_EQ(canvas->GetByte0(3, 4), 4);    // texel (0, 0) blue 10, shaded by 120
    EXPECT_EQ(canvas->GetByte0(3, 5), 100);  // no light there
    EXPECT_EQ(canvas->GetByte0(5, 0), 100);  // no mapping there
}

TEST(PictureDescription, EmptyBlockLoadsButDrawsNothing) {
    MessageRecorder messages;
    CGlimImage picture;
    EXPECT_TRUE(picture.LoadFromDescription("", "[", "../books/story"));
    EXPECT_FALSE(picture.EnsureCanvas(false));
    EXPECT_EQ(picture.GetSize(), CSize());
    EXPECT_EQ(picture.GetRegionId(0, 0), -1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(PictureDescription, ObjectSoundsShareSlotsAndFirstEntryWins) {
    TempDir dir;
    WriteWave(dir / "book/scene/sounds/bell.wav");
    const std::string block = Lines({"[imagefolder=scene", "[sound=", "[[objectSound=4,bell.wav",
                                     "[[objectSound=7,horn.wav", "[[objectSound=9,bell.wav",
                                     "[[objectSound=4,horn.wav", "[]", "[vo=voice.wav"});
    CGlimImage picture;
    picture.LoadFromDescription(block, "[", dir / "book");
    EXPECT_EQ(picture.GetObjectSoundCount(), 4);
    EXPECT_EQ(picture.FindSoundSlot(4), 0);
    EXPECT_EQ(picture.FindSoundSlot(9), 0);
    EXPECT_EQ(picture.FindSoundSlot(7), 1);
    EXPECT_EQ(picture.FindSoundSlot(5), -1);
    EXPECT_FALSE(picture.PlayObjectSound(5));
    picture.PlayObjectSound(9);
    EXPECT_TRUE(picture.IsSoundLoaded(0));
    EXPECT_FALSE(picture.PlayObjectSound(7));  // horn.wav is missing
    EXPECT_FALSE(picture.PlayVoiceOver());     // so is the voice-over
    EXPECT_TRUE(picture.ReleaseAll());
    EXPECT_FALSE(picture.IsSoundLoaded(0));
}

// Random scenes of patchy objects: the bulk fill and stamps must give the same bytes as the
// per-pixel calls.
class BulkMatchesPerPixel : public ::testing::TestWithParam<unsigned> {};

std::vector<BYTE> CanvasBytes(CGlimImage& picture) {
    CDib* canvas = picture.GetPrintPicture(true);
    return std::vector<BYTE>(canvas->GetBits(), canvas->GetBits() + canvas->GetImageSize());
}

TEST_P(BulkMatchesPerPixel, FillAndBrushGiveTheSameCanvas) {
    std::mt19937 random(GetParam());
    TempDir dir;
    const int width = 37 + static_cast<int>(random() % 30);
    const int height = 23 + static_cast<int>(random() % 30);
    std::vector<Rgb> mapping(static_cast<std::size_t>(width * height));
    for (Rgb& pixel : mapping)
        pixel = {static_cast<BYTE>(random() % 4), static_cast<BYTE>(random()),
                 static_cast<BYTE>(random())};
    auto noise = [&random](int, int) {
        return Rgb{static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                   static_cast<BYTE>(random())};
    };
    WriteScene(
        dir.Path(), width, height, noise,
        [&](int x, int y) { return mapping[static_cast<std::size_t>(y * width + x)]; }, noise);
    WriteBmp(dir / "tex.bmp", 5 + static_cast<int>(random() % 20), 7, noise);
    CCrayon crayon;
    ASSERT_TRUE(crayon.LoadFiles(dir / "tex.bmp", dir / "sel.bmp"));
    CGlimBook literalBook;
    CGlimBook bulkBook;
    ASSERT_TRUE(literalBook.Load(dir.Path(), "story.txt"));
    ASSERT_TRUE(bulkBook.Load(dir.Path(), "story.txt"));
    CGlimImage* scenes[2] = {literalBook.GetImage(0), bulkBook.GetImage(0)};
    const CPoint click(static_cast<int>(random() % width), static_cast<int>(random() % height));
    const CPoint from(static_cast<int>(random() % width), static_cast<int>(random() % height));
    const CPoint to(static_cast<int>(random() % width), static_cast<int>(random() % height));
    Preferences preferences;
    preferences.SetStayInsideLines(random() % 2 == 0);
    for (int bulk = 0; bulk < 2; ++bulk) {
        CGlimAreaFill fill;
        fill.SetPerPixelCalls(bulk == 0);
        fill.SetSwatch(crayon.GetSwatch());
        EXPECT_TRUE(fill.Fill(scenes[bulk], click, nullptr));
        CGlimBrush brush;
        brush.SetPerPixelCalls(bulk == 0);
        brush.SetSwatch(crayon.GetSwatch());
        brush.SetPreferences(&preferences);
        brush.MakeRound(5, 0.3f);
        brush.BeginStroke(scenes[bulk], from);
        brush.MoveTo(to);
        brush.EndStroke(true);
        CGlimBrush eraser(true);
        eraser.SetPerPixelCalls(bulk == 0);
        eraser.SetSwatch(crayon.GetSwatch());
        eraser.SetPreferences(&preferences);
        eraser.MakeSquare(6, 0.5f);
        eraser.BeginStroke(scenes[bulk], to);
        eraser.MoveTo(from);
        eraser.EndStroke(true);
    }
    EXPECT_EQ(CanvasBytes(*scenes[0]), CanvasBytes(*scenes[1]));
}

INSTANTIATE_TEST_SUITE_P(RandomScenes, BulkMatchesPerPixel, ::testing::Range(1u, 13u));

}  // namespace

TEST_F(PaintTest, PrintLayerIsFreedAloneAndReloadedForTheNextPage) {
    WriteBmp(dir / "scene/pr.bmp", 8, 6, Solid({255, 255, 255}));
    WriteText(
        dir / "printable.txt",
        Lines({"bookname=Story", "NumImages=1", "0=", "[imagefolder=scene", "[imagename=first",
               "[lt=lt.bmp", "[mg=mg.bmp", "[ou=ou.bmp", "[pr=pr.bmp", "]"}));
    CGlimBook printable;
    ASSERT_TRUE(printable.Load(dir.Path(), "printable.txt"));
    CGlimImage* scene = printable.GetImage(0);
    ASSERT_TRUE(scene->EnsureCanvas(false));
    CDib* page = scene->GetPrintPicture(false);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->IsValid());
    EXPECT_TRUE(scene->ReleasePrintPicture());
    EXPECT_FALSE(page->IsValid());
    EXPECT_NE(scene->GetCanvasIfLoaded(), nullptr);  // the child's colouring stays
    CDib* again = scene->GetPrintPicture(false);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->IsValid());
}
