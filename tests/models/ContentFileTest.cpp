// Content files as people write them: any line end, no final line end, and damaged files
// reported with their path and a reason while the program goes on with what it has.
#include <gtest/gtest.h>

#include <algorithm>

#include "SceneFixture.h"
#include "models/CBookCatalogue.h"
#include "models/CContentText.h"
#include "models/CCrayonBox.h"
#include "models/CCrayonCatalogue.h"
#include "models/CGlimBook.h"
#include "models/CSlideScript.h"
#include "models/CTextureBox.h"
#include "platform/files/CContentReport.h"

using namespace fixture;

namespace {

// The same text with each of the line ends people's editors write, and without the last.
struct LineForm {
    const char* name;
    const char* end;
    bool finalEnd;
};
constexpr LineForm kForms[] = {{"CR LF", "\r\n", true},
                               {"LF", "\n", true},
                               {"CR", "\r", true},
                               {"LF, no final end", "\n", false}};

std::string Written(std::initializer_list<std::string> lines, const LineForm& form) {
    std::string text;
    for (const std::string& line : lines) text += line + form.end;
    if (!form.finalEnd) text.resize(text.size() - std::string(form.end).size());
    return text;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ContentFileTest : public ::testing::Test {
  protected:
    void SetUp() override { CContentReport::ClearLog(); }
    void TearDown() override { CContentReport::ClearLog(); }

    // The one report made since the last call; fails the test when there is not exactly one.
    std::string OnlyReport() {
        const std::vector<std::string> log = CContentReport::Log();
        CContentReport::ClearLog();
        EXPECT_EQ(log.size(), 1u) << (log.empty() ? "no report" : log.back());
        return log.empty() ? "" : log.front();
    }

    TempDir dir;
    MessageRecorder messages;
};

TEST(ContentText, EveryLineEndBecomesCrLf) {
    EXPECT_EQ(CContentText::WithCrLf("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(CContentText::WithCrLf("a\r\n\r\nb\r\n"), "a\r\n\r\nb\r\n");
    // Lone CRs in a row are empty lines; CRs piled up before an LF end one line.
    EXPECT_EQ(CContentText::Lines("a\r\rb\r\r\nc"), (std::vector<std::string>{"a", "", "b", "c"}));
    EXPECT_TRUE(CContentText::Lines("").empty());
    EXPECT_EQ(CContentText::WithCrLf(""), "");
}

TEST(ContentText, ReportsShowNoRawBytes) {
    EXPECT_EQ(CContentReport::Printable("ok\x01\x7f\xff"
                                        "a\xc3\xa9"),
              "ok???a\xc3\xa9");
    // A cut-off UTF-8 sequence is not text either.
    EXPECT_EQ(CContentReport::Printable("x\xe2\x82"), "x??");
}

TEST_F(ContentFileTest, CatalogueReadsInEveryLineForm) {
    for (const LineForm& form : kForms) {
        SCOPED_TRACE(form.name);
        WriteText(dir / "books.txt", Written({"story", "scrapbook=scrap", "farm"}, form));
        CBookCatalogue catalogue;
        ASSERT_TRUE(catalogue.Read(dir.Path() + "/"));
        ASSERT_EQ(catalogue.GetLines().size(), 3u);
        EXPECT_EQ(catalogue.GetFirstBook()->descriptionFile, "story.txt");
        EXPECT_EQ(catalogue.GetScrapbook()->indexFile, "scrap.txt");
        EXPECT_EQ(catalogue.GetLines()[2].descriptionFile, "farm.txt");
    }
    EXPECT_TRUE(CContentReport::Log().empty());
}

TEST_F(ContentFileTest, BookAndSceneReadInEveryLineForm) {
    for (const LineForm& form : kForms) {
        SCOPED_TRACE(form.name);
        WriteText(dir / "story/story.txt",
                  Written({"bookname=Story", "NumImages=2", "0=", "[imagename=first",
                           "[imagefolder=one", "]", "1=", "[imagename=second", "]"},
                          form));
        CGlimBook book;
        ASSERT_TRUE(book.Load(dir / "story", "story.txt"));
        EXPECT_EQ(book.GetBookName(), "Story");
        ASSERT_EQ(book.GetImageCount(), 2);
        EXPECT_EQ(book.GetImage(0)->GetImageName(), "first");
        EXPECT_EQ(book.GetImage(1)->GetImageName(), "second");
    }
    EXPECT_TRUE(CContentReport::Log().empty());
}

TEST_F(ContentFileTest, CrayonsTexturesAndSlideScriptsReadInEveryLineForm) {
    WriteBmp(dir / "t.bmp", 8, 8, Solid({4, 5, 6}));
    for (const LineForm& form : kForms) {
        SCOPED_TRACE(form.name);
        WriteText(dir / "textures.txt", Written({"NumTextures=1", "0=", "[Tex=t.bmp", "[Sel=t.bmp",
                                                 "[Dsp=t.bmp", "[Snd=t.wav", "]"},
                                                form));
        CTextureBox textures(1);
        EXPECT_TRUE(textures.Load(dir.Path() + "/"));
        WriteText(dir / "crayons.txt",
                  Written({"NumCrayonBoxes=1", "0=", "[BoxFolder=.", "[NumCrayons=1", "[Box=t.bmp",
                           "[Button=t.bmp", "[0=", "[[Tex=t.bmp", "[[Sel=t.bmp", "[[Pos=1,2,3,4",
                           "[]", "]"},
                          form));
        CCrayonBox boxes[1];
        EXPECT_EQ(CCrayonCatalogue::Load(boxes, 1, {}, dir.Path() + "/"), 1);
        EXPECT_EQ(boxes[0].GetCrayonCount(), 1);
        WriteText(dir / "script.txt", Written({"DEF", "pic.bmp"}, form));
        CSlideScript script;
        ASSERT_TRUE(script.Load(dir / "script.txt"));
        EXPECT_EQ(script.GetCount(), 2);
        EXPECT_EQ(script.GetEntry(1), "pic.bmp");
    }
    EXPECT_TRUE(CContentReport::Log().empty());
    EXPECT_TRUE(messages.messages.empty());
}

std::string SceneBlocks(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i) + "=\r\n[imagename=scene" + std::to_string(i) + "\r\n]\r\n";
    return text;
}

TEST_F(ContentFileTest, ImpossibleSceneCountsAreReportedAndTheBookGoesOn) {
    const std::string path = dir / "story/story.txt";
    const struct {
        const char* count;
        int blocks;
        int scenes;
        const char* reason;
    } cases[] = {{"-3", 1, 0, "NumImages is negative"},
                 {"three", 1, 0, "NumImages is not a number"},
                 {"99999999999", 1, 0, "NumImages is not a number"},
                 {"25", 25, 21, "only the first 21 scenes are shown"},
                 {"4", 2, 4, "scene 2 has no block"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        WriteText(path, "bookname=Story\r\nNumImages=" + std::string(c.count) + "\r\n" +
                            SceneBlocks(c.blocks));
        CGlimBook book;
        EXPECT_TRUE(book.Load(dir / "story", "story.txt"));
        EXPECT_EQ(book.GetImageCount(), c.scenes);
        const std::string report = OnlyReport();
        EXPECT_TRUE(report.starts_with(path + ": ")) << report;
        EXPECT_TRUE(Contains(report, c.reason)) << report;
        if (c.scenes > 0) {
            EXPECT_EQ(book.GetImage(1)->GetImageName(), "scene1");
        }
    }
}

TEST_F(ContentFileTest, UnreadableBooksAndDamagedCatalogueLinesAreReported) {
    CGlimBook book;
    EXPECT_FALSE(book.Load(dir / "gone", "gone.txt"));
    EXPECT_TRUE(Contains(OnlyReport(), dir / "gone/gone.txt: cannot be read"));
    // A line of binary junk is skipped, named by its number, and its bytes are not shown.
    WriteText(dir / "books.txt", std::string("story\r\n\x01\x02\xff\xfe junk\r\nscrapbook=s\r\n"));
    CBookCatalogue catalogue;
    ASSERT_TRUE(catalogue.Read(dir.Path() + "/"));
    EXPECT_EQ(catalogue.GetLines().size(), 2u);
    const std::string report = OnlyReport();
    EXPECT_TRUE(Contains(report, "books.txt: line 2 is not text")) << report;
    EXPECT_FALSE(Contains(report, "junk"));
    EXPECT_TRUE(std::all_of(report.begin(), report.end(), [](char c) { return c >= 0x20; }));
}

TEST_F(ContentFileTest, MissingAndDamagedTexturePicturesAreNamed) {
    WriteBmp(dir / "t.bmp", 8, 8, Solid({4, 5, 6}));
    WriteText(dir / "broken.bmp", "BM not really a picture");
    const std::string block = "0=\r\n[Tex=t.bmp\r\n[Sel=t.bmp\r\n[Dsp=t.bmp\r\n]\r\n";
    const struct {
        std::string text;
        std::string first;
    } cases[] = {{"NumTextures=1\r\n0=\r\n[Tex=lost.bmp\r\n]\r\n", dir / "lost.bmp: is missing"},
                 {"NumTextures=1\r\n0=\r\n[Tex=broken.bmp\r\n]\r\n",
                  dir / "broken.bmp: is not a BMP picture"},
                 {"NumTextures=-2\r\n" + block, "NumTextures is -2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        WriteText(dir / "textures.txt", c.text);
        CTextureBox textures(1);
        EXPECT_FALSE(textures.Load(dir.Path() + "/"));
        const std::vector<std::string> log = CContentReport::Log();
        CContentReport::ClearLog();
        ASSERT_FALSE(log.empty());
        EXPECT_TRUE(Contains(log.front(), c.first)) << log.front();
    }
}

}  // namespace
