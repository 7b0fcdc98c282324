// The PNG copies of the scrapbook's pictures: they appear, change and disappear with their
// entries, none is written when turned off, and their names stay safe and readable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <ctime>

#include "ScrapbookFixture.h"
#include "imaging/CDib.h"
#include "platform/draw/SurfacePng.h"

using namespace fixture;

namespace {

class PictureExportTest : public ScrapbookTest {
  protected:
    void SetUp() override {
        ScrapbookTest::SetUp();
        CPictureExport::SetFolder(pictures);
        ASSERT_TRUE(scrapbook.Load(folder, "scrap.txt"));
    }
    // The PNG files in the pictures folder.
    std::vector<std::string> Copies() const { return NamesIn(pictures); }
    // What the copy of the saved canvas `saved` must hold, pixel for pixel.
    static std::string ExpectedPng(const std::string& saved) {
        CDib canvas;
        if (!canvas.Load(saved)) return "no canvas";
        const CSize size = canvas.GetSize();
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                pixels.push_back(static_cast<std::uint32_t>(canvas.GetByte2(x, y) << 16 |
                                                            canvas.GetByte1(x, y) << 8 |
                                                            canvas.GetByte0(x, y)));
        std::string png;
        return EncodeRgbPng(size.cx, size.cy, pixels, png) ? png : "no png";
    }

    const std::string pictures = dir / "Pictures/Talewick";
    CGlimScrapbook scrapbook;
};

TEST_F(PictureExportTest, CopiesAppearChangeAndDisappearWithTheirEntries) {
    ASSERT_EQ(scrapbook.AddEntry(Coloured(), &book), 0);
    ASSERT_EQ(scrapbook.AddEntry(book.GetImage(0), &book), 1);
    const std::vector<std::string> copies = Copies();
    ASSERT_EQ(copies.size(), 2u);
    const std::string first =
        ReadAll(folder + "/pic001/pic001.txt").find(copies[0]) != std::string::npos ? copies[0]
                                                                                    : copies[1];
    const std::string second = first == copies[0] ? copies[1] : copies[0];
    EXPECT_EQ(first.rfind("Story - first - ", 0), 0u) << first;
    EXPECT_EQ(second.rfind("Story - first - ", 0), 0u) << second;
    const std::string png = ReadAll(pictures + "/" + first);
    EXPECT_EQ(png, ExpectedPng(scrapbook.GetEntrySavedFile(0)));
    EXPECT_EQ(png.substr(1, 3), "PNG");

    // Updating rewrites the same copy with the new colours.
    book.GetImage(0)->PaintPixel(6, 4, crayon.GetSwatch(), 1.0f, -1);
    ASSERT_TRUE(scrapbook.UpdateEntry(0));
    EXPECT_EQ(Copies(), copies);
    EXPECT_NE(ReadAll(pictures + "/" + first), png);
    EXPECT_EQ(ReadAll(pictures + "/" + first), ExpectedPng(scrapbook.GetEntrySavedFile(0)));

    // Throwing an entry away removes its copy only, also after the program started again.
    WriteText(pictures + "/grown-up's own.png", "mine");
    ASSERT_TRUE(scrapbook.DeleteEntry(1));
    EXPECT_EQ(Copies(), (std::vector<std::string>{first, "grown-up's own.png"}));
    WriteText(pictures + "/.Story - first.png.tmp-77-0", "half a copy from a killed run");
    CGlimScrapbook reloaded;
    ASSERT_TRUE(Reload(reloaded));
    ASSERT_TRUE(reloaded.DeleteEntry(0));
    EXPECT_EQ(Copies(), std::vector<std::string>{"grown-up's own.png"});
}

TEST_F(PictureExportTest, TurnedOffWritesNoneAndTurnedOnCatchesUpOnUpdate) {
    CPictureExport::SetExportEnabled(false);
    ASSERT_EQ(scrapbook.AddEntry(Coloured(), &book), 0);
    ASSERT_TRUE(scrapbook.UpdateEntry(0));
    EXPECT_FALSE(Exists(pictures));
    EXPECT_EQ(ReadAll(folder + "/pic001/pic001.txt").find("png="), std::string::npos);

    CPictureExport::SetExportEnabled(true);
    ASSERT_TRUE(scrapbook.UpdateEntry(0));
    ASSERT_EQ(Copies().size(), 1u);
    CGlimScrapbook reloaded;  // the entry file now names its copy
    ASSERT_TRUE(Reload(reloaded));
    ASSERT_TRUE(reloaded.DeleteEntry(0));
    EXPECT_TRUE(Copies().empty());
}

TEST_F(PictureExportTest, AFailedCopyIsReportedAndTheSaveStands) {
    WriteText(dir / "Pictures", "a file where the folder should be");
    ASSERT_EQ(scrapbook.AddEntry(Coloured(), &book), 0);
    EXPECT_TRUE(Reported("could not be written"));
    CGlimScrapbook reloaded;
    ASSERT_TRUE(Reload(reloaded));
    EXPECT_EQ(reloaded.GetCount(), 1);
    EXPECT_TRUE(reloaded.DeleteEntry(0));
    EXPECT_EQ(ReadAll(dir / "Pictures"), "a file where the folder should be");
}

TEST(PictureExportNames, AreReadableSafeAndShort) {
    EXPECT_EQ(CPictureExport::SafeName("Pip's Big Day"), "Pip's Big Day");
    EXPECT_EQ(CPictureExport::SafeName("a/b\\c=d\te\x7f"), "a-b-c-d-e-");
    EXPECT_EQ(CPictureExport::SafeName("../..hidden "), "-..hidden");
    EXPECT_EQ(CPictureExport::SafeName(".. "), "");
    EXPECT_EQ(CPictureExport::SafeName("Café ünd Öl"), "Café ünd Öl");
    const std::string accented(200, 'a');
    std::string wide;
    for (int i = 0; i < 100; ++i) wide += "\xc3\xa9";  // é, two bytes each
    const std::string cut = CPictureExport::SafeName("x" + wide);
    EXPECT_LE(cut.size(), CPictureExport::kMaxNameBytes);
    EXPECT_EQ(cut.size() % 2, 1u) << "a character was split";
    EXPECT_EQ(CPictureExport::SafeName(accented).size(), CPictureExport::kMaxNameBytes);

    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 11;
    moment.tm_mday = 6;
    moment.tm_hour = 14;
    moment.tm_min = 3;
    moment.tm_isdst = -1;
    EXPECT_EQ(CPictureExport::NewName("Pip's Big Day", "park", std::mktime(&moment)),
              "Pip's Big Day - park - 2026-12-06 14-03.png");
    EXPECT_EQ(CPictureExport::NewName("", "", std::mktime(&moment)),
              "Talewick -  - 2026-12-06 14-03.png");

    // A name already taken in the folder gets a number.
    TempDir pictures;
    CPictureExport::SetFolder(pictures.Path());
    WriteText(pictures / "Book - park - 2026-12-06 14-03.png", "taken");
    WriteText(pictures / "Book - park - 2026-12-06 14-03 (2).png", "taken");
    EXPECT_EQ(CPictureExport::NewName("Book", "park", std::mktime(&moment)),
              "Book - park - 2026-12-06 14-03 (3).png");
    CPictureExport::SetFolder("");
}

TEST(PictureExportPng, EncodesOnlyPixelsThatFitTheSize) {
    std::string png;
    EXPECT_FALSE(EncodeRgbPng(2, 2, std::vector<std::uint32_t>(3), png));
    EXPECT_FALSE(EncodeRgbPng(0, 0, {}, png));
    ASSERT_TRUE(EncodeRgbPng(3, 2, std::vector<std::uint32_t>(6, 0xFF0000u), png));
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // The header chunk holds width and height, big-endian.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\3\0\0\0\2", 8));
}

}  // namespace
