// A folder of damaged and unusual content files, each loaded the way the program loads it:
// every file it cannot use is reported once, by its path and a reason a grown-up can act
// on, and the program goes on; 16-bit pictures are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImagingTestSupport.h"
#include "imaging/CDIBPal.h"
#include "imaging/CDib.h"
#include "models/CCrayonBox.h"
#include "models/CCrayonCatalogue.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "platform/draw/CMemoryDC.h"
#include "platform/draw/CSurface.h"
#include "platform/files/CContentReport.h"
#include "support/MediaFiles.h"
#include "support/TempDir.h"

namespace {

using testsupport::Rgb;
using testsupport::TempDir;

class DamagedContentTest : public ::testing::Test {
  protected:
    void SetUp() override { CContentReport::ClearLog(); }
    void TearDown() override { CContentReport::ClearLog(); }

    std::string Put(const std::string& name, const Bytes& bytes) {
        return dir.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    // The reports since the last call.
    std::vector<std::string> Reports() {
        std::vector<std::string> log = CContentReport::Log();
        CContentReport::ClearLog();
        return log;
    }

    TempDir dir;
    MessageRecorder messages;
};

Bytes Spoiled(Bytes bytes, std::size_t at, BYTE value) {
    bytes[at] = value;
    return bytes;
}

Bytes Cut(const Bytes& bytes, std::size_t drop) {
    return Bytes(bytes.begin(), bytes.end() - static_cast<long>(drop));
}

// A 16-bit picture whose header asks for colour masks (5-6-5 pixels).
Bytes WithColourMasks(Bytes bmp) {
    bmp[30] = 3;  // biCompression: bit fields
    return bmp;
}

TEST_F(DamagedContentTest, EveryRefusedPictureIsReportedOnceWithItsReason) {
    const Bytes good = MakeBmp({3, 2, 24});
    const Bytes header(good.begin() + 14, good.begin() + 54), rows(good.begin() + 54, good.end());
    const struct {
        std::string name;
        Bytes bytes;
        std::string reason;
    } cases[] = {
        {"short.bmp", Bytes{'B', 'M', '1', '2'}, "is too short to be a picture"},
        {"words.bmp", Bytes(20, 'x'), "is not a BMP picture"},
        {"cut.bmp", Cut(good, 5), "ends before its last row of pixels"},
        {"masks.bmp", WithColourMasks(MakeBmp({3, 2, 16})), "is compressed or uses colour masks"},
        {"deep.bmp", Spoiled(good, 28, 2),
         "has a number of bits per pixel other than 1, 4, 8, 16, 24 or 32"},
        {"huge.bmp", Spoiled(good, 21, 0x40), "has a width or height of 0 or more than 16384"},
        {"table.bmp", Spoiled(ContainerOf(good), 25, 0x7F),
         "is a scrambled picture whose chunk table does not fit the file"},
        {"fewer.bmp", MakeContainer({header, Cut(rows, 1)}),
         "is a scrambled picture with fewer pixels than its header says"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Put("pictures/" + c.name, c.bytes);
        CDib picture;
        EXPECT_FALSE(picture.Load(path));
        EXPECT_FALSE(picture.Load(path)) << "tried again";
        const std::vector<std::string> reports = Reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_TRUE(reports[0].starts_with(path + ": " + c.reason)) << reports[0];
    }
    // A missing picture, and one whose name holds bytes that are not text.
    CDib picture;
    EXPECT_FALSE(picture.Load(dir / "pictures/gone.bmp"));
    EXPECT_FALSE(picture.Load(Put("pictures/\x01odd\xff.bmp", Bytes(20, 'x'))));
    const std::vector<std::string> reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].starts_with(dir / "pictures/gone.bmp: cannot be opened")) << reports[0];
    EXPECT_TRUE(reports[1].starts_with(dir / "pictures/?odd?.bmp: is not a BMP picture"))
        << reports[1];
}

TEST_F(DamagedContentTest, SixteenBitPicturesDrawLikeTheirTrueColourTwins) {
    // Five bits a colour: red 31, green 16, blue 3 and black.
    const WORD pixels[2] = {(31 << 10) | (16 << 5) | 3, 0};
    const std::string path = dir / "five.bmp";
    testsupport::WriteBmpBits(path, 2, 1, 16, [&](int x, int) {
        return Rgb{static_cast<BYTE>(pixels[x] & 0xFF), static_cast<BYTE>(pixels[x] >> 8), 0};
    });
    const std::string twinPath = dir / "twin.bmp";
    testsupport::WriteBmp(twinPath, 2, 1, [](int x, int) {
        return x == 0 ? Rgb{24, 132, 255} : Rgb{0, 0, 0};
    });
    CDib sixteen, twin;
    ASSERT_TRUE(sixteen.Load(path));
    ASSERT_TRUE(twin.Load(twinPath));
    EXPECT_TRUE(Reports().empty());

    CSurface colour(2, 1, 32);
    CMemoryDC colourDc(colour);
    ASSERT_TRUE(sixteen.Paint(colourDc, 0, 0, 2, 1, nullptr));
    EXPECT_EQ(colour.GetPixel(0, 0), RGB(255, 132, 24));
    EXPECT_EQ(colour.GetPixel(1, 0), RGB(0, 0, 0));

    CDIBPal palette;
    ASSERT_TRUE(palette.CreateColourCube());
    CSurface indexed(2, 1, 8), twinIndexed(2, 1, 8);
    CMemoryDC indexedDc(indexed), twinDc(twinIndexed);
    ASSERT_TRUE(sixteen.Paint(indexedDc, 0, 0, 2, 1, &palette));
    ASSERT_TRUE(twin.Paint(twinDc, 0, 0, 2, 1, &palette));
    EXPECT_EQ(indexed.GetPixel(0, 0), twinIndexed.GetPixel(0, 0));
    EXPECT_NE(indexed.GetPixel(0, 0), indexed.GetPixel(1, 0));
}

// A book of one scene whose layers are the given files.
CGlimImage* LoadScene(CGlimBook& book, const TempDir& dir) {
    dir.Write("book/book.txt",
              "bookname=Book\r\nNumImages=1\r\n0=\r\n[imagefolder=scene\r\n"
              "[imagename=scene\r\n[lt=lt.bmp\r\n[mg=mg.bmp\r\n[ou=ou.bmp\r\n]\r\n");
    return book.Load(dir / "book", "book.txt") ? book.GetImage(0) : nullptr;
}

TEST_F(DamagedContentTest, SceneLayersThatCannotBeColouredAreNamed) {
    Put("book/scene/lt.bmp", Spoiled(ContainerOf(MakeBmp({4, 4, 24})), 7, 0x04));
    Put("book/scene/mg.bmp", MakeBmp({4, 4, 8}));
    Put("book/scene/ou.bmp", MakeBmp({4, 4, 24}));
    CGlimBook book;
    CGlimImage* scene = LoadScene(book, dir);
    ASSERT_NE(scene, nullptr);
    EXPECT_TRUE(Reports().empty()) << "layers are read when the scene is shown";
    EXPECT_FALSE(scene->EnsureShading());
    EXPECT_TRUE(scene->EnsureMapping());
    EXPECT_EQ(scene->GetRegionId(1, 1), -1) << "an 8-bit mapping layer maps nothing";
    scene->EnsureMapping(true);
    const std::vector<std::string> reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(reports[0].starts_with(dir / "book/scene/lt.bmp: is a scrambled picture"))
        << reports[0];
    EXPECT_TRUE(reports[1].starts_with(dir / "book/scene/mg.bmp: has 8 bits per pixel, but a "
                                             "scene's light and mapping layers need 24 or 32"))
        << reports[1];
    // The rest of the scene still loads.
    EXPECT_TRUE(scene->EnsureUncoloured());
}

TEST_F(DamagedContentTest, ImpossibleCrayonCountsAreReportedAndTheBoxKept) {
    Put("crayons/t.bmp", MakeBmp({4, 4, 24}));
    std::string box = "[BoxFolder=.\r\n[Box=t.bmp\r\n[Button=t.bmp\r\n";
    for (int i = 0; i < CCrayonBox::kMaxCrayons; ++i)
        box += "[" + std::to_string(i) + "=\r\n[[Tex=t.bmp\r\n[[Sel=t.bmp\r\n[]\r\n";
    const struct {
        const char* count;
        int crayons;
    } cases[] = {{"-4", 0}, {"0", 0}, {"22", CCrayonBox::kMaxCrayons}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        dir.Write("crayons/crayons.txt", "NumCrayonBoxes=1\r\n0=\r\n[NumCrayons=" +
                                             std::string(c.count) + "\r\n" + box + "]\r\n");
        CCrayonBox boxes[1];
        EXPECT_EQ(CCrayonCatalogue::Load(boxes, 1, {}, dir / "crayons/"), 1);
        EXPECT_EQ(boxes[0].GetCrayonCount(), c.crayons);
        const std::vector<std::string> reports = Reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], dir / "crayons/crayons.txt: a box's NumCrayons is " +
                                  std::string(c.count) +
                                  "; write the number of crayons in the box, 1 to 21.");
    }
}

TEST_F(DamagedContentTest, PatternsThatCannotColourAreNamedAndTheBoxKept) {
    Put("crayons/t.bmp", MakeBmp({4, 4, 24}));
    Put("crayons/grey.bmp", MakeBmp({4, 4, 8}));
    dir.Write("crayons/crayons.txt",
              "NumCrayonBoxes=1\r\n0=\r\n[NumCrayons=2\r\n[BoxFolder=.\r\n[Box=t.bmp\r\n"
              "[Button=t.bmp\r\n[0=\r\n[[Tex=grey.bmp\r\n[[Sel=t.bmp\r\n[]\r\n[1=\r\n"
              "[[Tex=t.bmp\r\n[[Sel=t.bmp\r\n[]\r\n]\r\n");
    CCrayonBox boxes[1];
    EXPECT_EQ(CCrayonCatalogue::Load(boxes, 1, {}, dir / "crayons/"), 1);
    EXPECT_EQ(boxes[0].GetCrayonCount(), 2);
    EXPECT_EQ(Reports(), std::vector<std::string>{dir / "crayons/./grey.bmp: has 8 bits per "
                                                        "pixel, but a crayon's or texture's "
                                                        "pattern needs 24 or 32, so it colours "
                                                        "nothing; save it again as an "
                                                        "uncompressed 24-bit BMP picture."});
}

}  // namespace
