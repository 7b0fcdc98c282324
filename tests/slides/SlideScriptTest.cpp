#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "models/CSlideScript.h"
#include "platform/files/CAtomicFile.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ReadAll;
using testsupport::WriteText;

class SlideScript : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.Path().empty());
        CAtomicFile::ResetSteps();
    }
    void TearDown() override { CAtomicFile::ResetSteps(); }
    static std::string Repeat(const std::string& line, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) text += line;
        return text;
    }

    testsupport::TempDir m_dir{"slidescript"};
    const std::string m_folder = m_dir.Path();
    const std::string m_path = m_dir / "farm.txt";
};

TEST_F(SlideScript, MissingFileIsCreatedAndWrittenOnDestruction) {
    {
        CSlideScript script;
        ASSERT_TRUE(script.Load(m_path));
        EXPECT_TRUE(fs::exists(m_path));
        EXPECT_EQ(fs::file_size(m_path), 0u);
        EXPECT_EQ(script.GetCount(), 21);
        for (int i = 0; i < 21; ++i) EXPECT_EQ(script.GetEntry(i), "def");
        EXPECT_TRUE(script.IsModified());
    }
    EXPECT_EQ(ReadAll(m_path), Repeat("def\n", 21));
}

TEST_F(SlideScript, ReadsAtMost21LowerCasedLines) {
    std::string text = "../Books/Farm/Slide0.BMP\r\n\r\nDEF\n";
    for (int i = 3; i < 30; ++i) text += "line" + std::to_string(i) + "\r\n";
    WriteText(m_path, text);
    CSlideScript script;
    ASSERT_TRUE(script.Load(m_path));
    EXPECT_FALSE(script.IsModified());
    EXPECT_EQ(script.GetCount(), 21);
    EXPECT_EQ(script.GetEntry(0), "../books/farm/slide0.bmp");
    EXPECT_EQ(script.GetEntry(1), "");  // an empty line is an empty entry, not "def"
    EXPECT_EQ(script.GetEntry(2), "def");
    EXPECT_EQ(script.GetEntry(20), "line20");
    EXPECT_EQ(script.GetEntry(21), "");

    ASSERT_TRUE(script.SetEntry(3, "../books/scrap/Pic1.bmp"));
    ASSERT_TRUE(script.Save());
    std::string expected = "../books/farm/slide0.bmp\n\ndef\n../books/scrap/Pic1.bmp\n";
    for (int i = 4; i < 21; ++i) expected += "line" + std::to_string(i) + "\n";
    EXPECT_EQ(ReadAll(m_path), expected);
}

TEST_F(SlideScript, ShortFilesGiveFewerPositions) {
    WriteText(m_path, "a\r\r\nb");
    CSlideScript script;
    ASSERT_TRUE(script.Load(m_path));
    EXPECT_EQ(script.GetCount(), 2);
    EXPECT_EQ(script.GetEntry(0), "a");
    EXPECT_EQ(script.GetEntry(1), "b");
    EXPECT_FALSE(script.SetEntry(2, "c"));
    EXPECT_FALSE(script.IsModified());

    // A zero-byte file, as an interrupted first run leaves it, starts fresh.
    WriteText(m_path, "");
    ASSERT_TRUE(script.Load(m_path, true));
    EXPECT_EQ(script.GetCount(), 21);
    EXPECT_EQ(script.GetEntry(20), "def");
    EXPECT_TRUE(script.IsModified());
}

TEST_F(SlideScript, SetEntryKeepsWithinTheScript) {
    CSlideScript script;
    EXPECT_FALSE(script.SetEntry(0, "x"));
    ASSERT_TRUE(script.Load(m_path));
    ASSERT_TRUE(script.Save());
    EXPECT_FALSE(script.SetEntry(-1, "x"));
    EXPECT_FALSE(script.SetEntry(21, "x"));
    EXPECT_FALSE(script.IsModified());
    EXPECT_EQ(script.GetEntry(-1), "");

    ASSERT_TRUE(script.SetEntry(20, "Kept/As/Given.bmp"));
    EXPECT_EQ(script.GetEntry(20), "Kept/As/Given.bmp");
    EXPECT_TRUE(script.IsModified());
    ASSERT_TRUE(script.SetEntry(20, ""));
    EXPECT_EQ(script.GetEntry(20), "def");
}

TEST_F(SlideScript, ReloadingTheSamePathNeedsForce) {
    WriteText(m_path, "one\ntwo\n");
    CSlideScript script;
    ASSERT_TRUE(script.Load(m_path));
    EXPECT_TRUE(script.IsOpen());
    EXPECT_TRUE(script.IsOpen(m_path));
    EXPECT_FALSE(script.IsOpen(m_folder + "/FARM.txt"));

    WriteText(m_path, "three\n");
    EXPECT_TRUE(script.Load(m_path));
    EXPECT_EQ(script.GetEntry(0), "one");
    EXPECT_TRUE(script.Load(m_path, true));
    EXPECT_EQ(script.GetEntry(0), "three");
    EXPECT_EQ(script.GetCount(), 1);

    // A forced reload writes pending changes first, so they survive it.
    ASSERT_TRUE(script.SetEntry(0, "four"));
    ASSERT_TRUE(script.Load(m_path, true));
    EXPECT_EQ(script.GetEntry(0), "four");
    EXPECT_FALSE(script.IsModified());

    // So does loading another script.
    ASSERT_TRUE(script.SetEntry(0, "five"));
    ASSERT_TRUE(script.Load(m_folder + "/pond.txt"));
    EXPECT_FALSE(script.IsOpen(m_path));
    EXPECT_EQ(ReadAll(m_path), "five\n");
}

TEST_F(SlideScript, UnreadablePathsLeaveTheScriptEmpty) {
    CSlideScript script;
    EXPECT_FALSE(script.Load(""));
    EXPECT_FALSE(script.Load(m_folder));
    EXPECT_FALSE(script.Load(m_folder + "/missing/farm.txt"));
    EXPECT_FALSE(script.IsOpen());
    EXPECT_EQ(script.GetCount(), 0);
    EXPECT_EQ(script.GetPath(), "");
}

TEST_F(SlideScript, FailedSaveKeepsTheOldFileAndTheChanges) {
    WriteText(m_path, "old\n");
    CSlideScript script;
    ASSERT_TRUE(script.Load(m_path));
    ASSERT_TRUE(script.SetEntry(0, "new"));
    CAtomicFile::FailAtStep(2);
    EXPECT_FALSE(script.Save());
    EXPECT_EQ(ReadAll(m_path), "old\n");
    EXPECT_TRUE(script.IsModified());
    CAtomicFile::ResetSteps();
    EXPECT_TRUE(script.Save());
    EXPECT_EQ(ReadAll(m_path), "new\n");
    EXPECT_FALSE(script.Save());  // nothing left to write
}

TEST_F(SlideScript, MovedScriptIsWrittenOnce) {
    CSlideScript target;
    {
        CSlideScript source;
        ASSERT_TRUE(source.Load(m_path));
        ASSERT_TRUE(source.SetEntry(1, "moved"));
        target = std::move(source);
        EXPECT_FALSE(source.IsOpen());
    }
    EXPECT_EQ(fs::file_size(m_path), 0u);  // the emptied source wrote nothing
    EXPECT_EQ(target.GetEntry(1), "moved");
    target.Reset();
    EXPECT_EQ(ReadAll(m_path).substr(0, 10), "def\nmoved\n");
    EXPECT_FALSE(target.IsOpen());
}

}  // namespace
