// The undo history: steps encoded as differences of rectangles, its memory bounds, random
// strokes, fills, undos and redos against a plain list of whole canvases, and a history
// that outlives the scene's layers.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SceneFixture.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CUndoSteps.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"

using namespace fixture;

namespace {

// A bottom-up picture in memory with rows padded to four bytes, as the layers are.
struct Picture {
    Picture(int width, int height, int bytesPerPixel)
        : stride((width * bytesPerPixel + 3) / 4 * 4),
          bits(static_cast<std::size_t>(stride * height)) {
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bytesPerPixel * 8);
        header.biCompression = BI_RGB;
    }
    CLayerView View() { return CLayerView(&header, bits.data(), bits.size()); }

    BITMAPINFOHEADER header{};
    int stride;
    std::vector<BYTE> bits;
};

// `changes` random bytes of `picture` inside `area` get new values.
void Scribble(Picture& picture, const CRect& area, int changes, std::mt19937& random) {
    const CLayerView view = picture.View();
    for (int i = 0; i < changes; ++i) {
        const int x = area.left + static_cast<int>(random() % area.Width());
        const int y = area.top + static_cast<int>(random() % area.Height());
        view.At(x, y)[random() % view.BytesPerPixel()] ^= static_cast<BYTE>(1 + random() % 255);
    }
}

TEST(UndoSteps, AStepTurnsEitherStateIntoTheOther) {
    std::mt19937 random(7);
    for (int bytesPerPixel : {3, 4}) {
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(testing::Message() << bytesPerPixel << " bytes, round " << round);
            Picture before(37, 23, bytesPerPixel);
            for (BYTE& byte : before.bits) byte = static_cast<BYTE>(random());
            Picture after = before;
            // Sparse and dense changes, runs crossing from one row of the area to the next.
            const CRect changed(random() % 10, random() % 8, 20 + random() % 17,
                                12 + random() % 11);
            Scribble(after, changed, 1 + static_cast<int>(random() % 300), random);
            CUndoSteps::Step step;
            // An area reaching past the picture is clipped to it.
            ASSERT_TRUE(CUndoSteps::Encode(before.View(), after.View(),
                                           CRect(changed.left - 5, changed.top - 5, 60, 60), step));
            EXPECT_TRUE(step.area.right <= 37 && step.area.bottom <= 23 && step.area.left >= 0);
            Picture walked = after;
            ASSERT_TRUE(CUndoSteps::Apply(step, walked.View()));
            EXPECT_EQ(walked.bits, before.bits);
            ASSERT_TRUE(CUndoSteps::Apply(step, walked.View()));
            EXPECT_EQ(walked.bits, after.bits);
        }
    }
}

TEST(UndoSteps, NothingChangedOrLayoutsDifferGivesNoStep) {
    Picture a(16, 8, 3);
    Picture b = a;
    CUndoSteps::Step step;
    EXPECT_FALSE(CUndoSteps::Encode(a.View(), b.View(), CRect(0, 0, 16, 8), step));
    b.View().At(15, 7)[2] = 9;
    EXPECT_FALSE(CUndoSteps::Encode(a.View(), b.View(), CRect(0, 0, 15, 8), step));  // outside
    Picture wide(16, 8, 4);
    EXPECT_FALSE(CUndoSteps::Encode(a.View(), wide.View(), CRect(0, 0, 16, 8), step));
    ASSERT_TRUE(CUndoSteps::Encode(a.View(), b.View(), CRect(0, 0, 16, 8), step));
    EXPECT_FALSE(CUndoSteps::Apply(step, wide.View()));  // the wrong pixel size
    Picture small(8, 8, 3);
    EXPECT_FALSE(CUndoSteps::Apply(step, small.View()));  // the area does not fit
    // A sparse change keeps its few bytes, not the rectangle's.
    EXPECT_LT(step.runs.size(), 16u);
}

CUndoSteps::Step StepOfBytes(std::size_t bytes) {
    CUndoSteps::Step step;
    step.area = CRect(0, 0, 1, 1);
    step.bytesPerPixel = 3;
    step.runs.resize(bytes);
    return step;
}

TEST(UndoSteps, MemoryStaysBoundedButTheNewestTwentyStay) {
    CUndoSteps small;
    for (int i = 0; i < 200; ++i) small.Push(StepOfBytes(1000));
    EXPECT_EQ(small.UndoCount(), 200u);  // far under the budget: nothing goes

    constexpr std::size_t kMegabyte = 1u << 20;
    CUndoSteps big;
    for (int i = 0; i < 30; ++i) big.Push(StepOfBytes(kMegabyte));
    EXPECT_EQ(big.UndoCount(),
              CUndoSteps::kKeptSteps);  // 20 MB: over the budget, under the ceiling
    for (int i = 0; i < 30; ++i) big.Push(StepOfBytes(kMegabyte / 4));
    EXPECT_LE(big.MemoryBytes(), CUndoSteps::kBudgetBytes);
    EXPECT_GT(big.UndoCount(), CUndoSteps::kKeptSteps);

    CUndoSteps huge;
    for (int i = 0; i < 5; ++i) huge.Push(StepOfBytes(CUndoSteps::kCeilingBytes / 2));
    EXPECT_EQ(huge.UndoCount(), 1u);  // each alone is too big to keep twenty of
    EXPECT_LE(huge.MemoryBytes(), CUndoSteps::kCeilingBytes);
}

// ---------------------------------------------------------------- pictures

std::vector<BYTE> CanvasOf(CGlimImage& picture) {
    EXPECT_TRUE(picture.EnsureCanvas());
    const CDib* canvas = picture.GetCanvasIfLoaded();
    return std::vector<BYTE>(canvas->GetBits(), canvas->GetBits() + canvas->GetImageSize());
}

// A scene of tiled objects with noisy light; one crayon.
class UndoPicture : public ::testing::Test {
  protected:
    static constexpr int kWidth = 83;
    static constexpr int kHeight = 41;

    void SetUp() override {
        const PixelFn tiles = [](int x, int y) {
            return Rgb{static_cast<BYTE>(x / 20 + 5 * (y / 12)), static_cast<BYTE>(x * 9),
                       static_cast<BYTE>(y * 13)};
        };
        const PixelFn noise = [](int x, int y) {
            std::minstd_rand random(static_cast<unsigned>(y * 7193 + x * 31 + 1));
            return Rgb{static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                       static_cast<BYTE>(random())};
        };
        WriteScene(dir.Path(), kWidth, kHeight, noise, tiles, Solid({120, 130, 140}));
        ASSERT_TRUE(crayon.LoadFiles(dir / "tex.bmp", dir / "sel.bmp"));
        ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
        picture = book.GetImage(0);
        ASSERT_TRUE(picture->EnsureCanvas());
    }

    CPoint Anywhere() {
        return CPoint(static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight));
    }
    void Stroke(bool erase) {
        CGlimBrush brush(erase);
        brush.SetSwatch(crayon.GetSwatch());
        brush.MakeRound(3, 0.6f);
        brush.BeginStroke(picture, Anywhere());
        brush.MoveTo(Anywhere());
        brush.EndStroke(true);
    }
    void Fill() {
        CGlimAreaFill fill;
        fill.SetSwatch(crayon.GetSwatch());
        fill.Fill(picture, Anywhere(), nullptr);
    }
    // Keeps the canvas in a file and lets the layers go, as leaving a scene that was kept
    // in the scrapbook does; the picture comes back from that file.
    void LeaveAndComeBack() {
        const std::string saved = dir / ("kept" + std::to_string(++kept) + ".bmp");
        ASSERT_TRUE(picture->GetCanvasIfLoaded()->Save(saved));
        ASSERT_TRUE(picture->ReleaseAll());
        picture->SetSavedFiles(saved, "");
    }

    TempDir dir;
    MessageRecorder messages;
    CGlimBook book;
    CGlimImage* picture = nullptr;
    CCrayon crayon;
    std::mt19937 random{1};
    int kept = 0;
};

class UndoAgainstModel : public UndoPicture, public ::testing::WithParamInterface<unsigned> {};

// The model: every state the canvas went through, the current one at `current`. A change
// after undos drops the states after the current one; undo and redo move along the list.
TEST_P(UndoAgainstModel, EveryStepMatchesTheListOfCanvases) {
    random.seed(GetParam());
    std::vector<std::vector<BYTE>> states = {CanvasOf(*picture)};
    std::size_t current = 0;
    const auto noteChange = [&] {
        std::vector<BYTE> now = CanvasOf(*picture);
        if (now == states[current]) return;
        states.resize(current + 1);
        states.push_back(std::move(now));
        ++current;
    };
    for (int step = 0; step < 120; ++step) {
        const unsigned operation = random() % 10;
        if (operation <= 1) {
            Fill();
            noteChange();
        } else if (operation <= 3) {
            Stroke(operation == 3);
            noteChange();
        } else if (operation <= 5) {
            EXPECT_EQ(picture->Undo(), current > 0) << "step " << step;
            if (current > 0) --current;
        } else if (operation <= 7) {
            EXPECT_EQ(picture->Redo(), current + 1 < states.size()) << "step " << step;
            if (current + 1 < states.size()) ++current;
        } else if (operation == 8) {
            LeaveAndComeBack();
        } else {
            // Written behind the painter's back (a caller holding the canvas): still a change
            // that becomes a step of its own.
            CDib* canvas = picture->GetPrintPicture(true);
            canvas->GetBits()[random() % canvas->GetImageSize()] ^= 0x5A;
            noteChange();
        }
        ASSERT_TRUE(CanvasOf(*picture) == states[current]) << "step " << step;
        EXPECT_EQ(picture->CanUndo(), current > 0);
        EXPECT_EQ(picture->CanRedo(), current + 1 < states.size());
    }
}

INSTANTIATE_TEST_SUITE_P(RandomSequences, UndoAgainstModel, ::testing::Range(1u, 9u));

TEST_F(UndoPicture, TwentyFillsOfTheWholePictureAreTwentyStepsBack) {
    // One object covering all but a corner pixel (a page that is one object everywhere is
    // flooded by colour instead), filled with alternating colours.
    WriteScene(
        dir.Path(), kWidth, kHeight, Solid({200, 200, 200}),
        [](int x, int y) { return Rgb{static_cast<BYTE>(x == 0 && y == 0 ? 2 : 1), 9, 9}; },
        Solid({120, 130, 140}));
    ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
    picture = book.GetImage(0);
    const std::vector<BYTE> blank = CanvasOf(*picture);
    std::vector<std::vector<BYTE>> after;
    for (int i = 0; i < 25; ++i) {
        CGlimAreaFill fill;
        fill.SetSwatch(Swatch::Solid(static_cast<BYTE>(i * 10), 50, static_cast<BYTE>(200 - i)));
        ASSERT_TRUE(fill.Fill(picture, CPoint(5, 5), nullptr));
        after.push_back(CanvasOf(*picture));
    }
    EXPECT_EQ(picture->GetHistory().UndoCount(), 25u);
    for (int i = 23; i >= 0; --i) {
        ASSERT_TRUE(picture->Undo());
        ASSERT_TRUE(CanvasOf(*picture) == after[static_cast<std::size_t>(i)]) << i;
    }
    ASSERT_TRUE(picture->Undo());
    EXPECT_TRUE(CanvasOf(*picture) == blank);
    EXPECT_FALSE(picture->Undo());
}

TEST_F(UndoPicture, LeavingKeepsTheHistoryOnlyForTheSamePicture) {
    const std::vector<BYTE> blank = CanvasOf(*picture);
    Fill();
    Stroke(false);
    const std::vector<BYTE> coloured = CanvasOf(*picture);
    ASSERT_NE(coloured, blank);
    LeaveAndComeBack();
    EXPECT_FALSE(picture->HoldsResources());
    EXPECT_TRUE(picture->CanUndo());
    while (picture->Undo()) {
    }
    EXPECT_TRUE(CanvasOf(*picture) == blank);
    while (picture->Redo()) {
    }
    EXPECT_TRUE(CanvasOf(*picture) == coloured);

    // Another picture of the scene comes in (a different saved file): the steps belonged to
    // the one before and are forgotten rather than laid over it.
    const std::string other = dir / "other.bmp";
    WriteBmp(other, kWidth, kHeight, Solid({10, 20, 30}));
    ASSERT_TRUE(picture->ReleaseAll());
    picture->SetSavedFiles(other, "");
    const std::vector<BYTE> otherCanvas = CanvasOf(*picture);
    EXPECT_FALSE(picture->Undo());
    EXPECT_TRUE(CanvasOf(*picture) == otherCanvas);
    // Loading the scene's description again starts it afresh too.
    Stroke(false);
    ASSERT_TRUE(picture->CanUndo());
    ASSERT_TRUE(book.Load(dir.Path(), "story.txt"));
    EXPECT_FALSE(book.GetImage(0)->CanUndo());
}

}  // namespace
