// The settings file: made with its comments on first use, read back after a change, read
// forgivingly when a grown-up edited it by hand, replaced whole or not at all, and the
// child's preferences taken from it and saved into it at each change.
#include <gtest/gtest.h>

#include <string>

#include "models/CSettings.h"
#include "models/Preferences.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "sound/CBasicSound.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace {

using testsupport::ReadAll;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { CContentReport::ClearLog(); }
    void TearDown() override {
        CBasicSound::SetSoundOn(true);
        CContentReport::ClearLog();
        CAtomicFile::ResetSteps();
    }

    // Reads `text` as a settings file; the reports it caused.
    std::vector<std::string> ParseReports(const std::string& text) {
        settings.Parse(text, "settings.ini");
        std::vector<std::string> reports = CContentReport::Log();
        CContentReport::ClearLog();
        return reports;
    }

    testsupport::TempDir folder{"talewick-settings"};
    CSettings settings;
};

TEST_F(SettingsTest, AMissingFileIsMadeInItsFolderWithACommentAboveEveryKey) {
    const std::string path = folder / "config/talewick/settings.ini";
    ASSERT_TRUE(settings.Load(path));
    const std::string text = ReadAll(path);
    ASSERT_FALSE(text.empty());
    for (const char* key : {"sound", "stay_inside_lines", "crayon_box", "window", "short_start",
                            "printing", "options_screen", "export_png"}) {
        const std::size_t at = text.find(std::string("\n") + key + " = ");
        ASSERT_NE(at, std::string::npos) << key;
        const std::size_t lineBefore = text.rfind('\n', at - 1);
        ASSERT_NE(lineBefore, std::string::npos);
        EXPECT_EQ(text[lineBefore + 1], '#') << "no comment above " << key;
    }
    EXPECT_TRUE(CContentReport::Log().empty());
    // The defaults: sound and staying inside on, the full start, printing and options allowed,
    // PNG copies of saved pictures made.
    CSettings again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_TRUE(again.IsSoundOn());
    EXPECT_TRUE(again.StaysInsideLines());
    EXPECT_EQ(again.GetCrayonBox(), 1);
    EXPECT_EQ(again.GetWindowMode(), CSettings::WindowMode::Fullscreen);
    EXPECT_FALSE(again.IsShortStart());
    EXPECT_TRUE(again.IsPrintingAllowed());
    EXPECT_TRUE(again.IsOptionsScreenShown());
    EXPECT_TRUE(again.IsPngExportOn());
}

TEST_F(SettingsTest, EveryChangedValueComesBackAfterSaving) {
    const std::string path = folder / "settings.ini";
    ASSERT_TRUE(settings.Load(path));
    settings.SetSoundOn(false);
    settings.SetStayInsideLines(false);
    settings.SetCrayonBox(3);
    settings.SetWindowMode(CSettings::WindowMode::Windowed);
    settings.SetShortStart(true);
    settings.SetPrintingAllowed(false);
    settings.SetOptionsScreenShown(false);
    settings.SetPngExportOn(false);
    ASSERT_TRUE(settings.Save());
    CSettings again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_FALSE(again.IsSoundOn());
    EXPECT_FALSE(again.StaysInsideLines());
    EXPECT_EQ(again.GetCrayonBox(), 3);
    EXPECT_EQ(again.GetWindowMode(), CSettings::WindowMode::Windowed);
    EXPECT_TRUE(again.IsShortStart());
    EXPECT_FALSE(again.IsPrintingAllowed());
    EXPECT_FALSE(again.IsOptionsScreenShown());
    EXPECT_FALSE(again.IsPngExportOn());
}

TEST_F(SettingsTest, HandEditedFilesAreReadWhateverTheirLineEndsSpacesAndCase) {
    for (const std::string text :
         {"sound=off\r\nshort_start = yes\r\n", "sound = off\nshort_start=true",
          "[talewick]\rSOUND\t=  Off \r; a comment\rShort_Start = 1"}) {
        CSettings read;
        read.Parse(text, "settings.ini");
        EXPECT_FALSE(read.IsSoundOn()) << text;
        EXPECT_TRUE(read.IsShortStart()) << text;
        EXPECT_TRUE(read.StaysInsideLines()) << text;
    }
    EXPECT_TRUE(CContentReport::Log().empty());
}

TEST_F(SettingsTest, UnusableValuesKeepTheirDefaultAndAreReported) {
    const auto reports = ParseReports(
        "sound = loud\nwindow = huge\ncrayon_box = two\ncrayon_box = 0\nprinting\n"
        "stay_inside_lines = off\n");
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_NE(reports[0].find("settings.ini: sound = \"loud\""), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("stays on"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find("window"), std::string::npos);
    EXPECT_NE(reports[4].find("printing"), std::string::npos);
    EXPECT_TRUE(settings.IsSoundOn());
    EXPECT_EQ(settings.GetWindowMode(), CSettings::WindowMode::Fullscreen);
    EXPECT_EQ(settings.GetCrayonBox(), 1);
    EXPECT_TRUE(settings.IsPrintingAllowed());
    EXPECT_FALSE(settings.StaysInsideLines()) << "good lines after bad ones still count";
}

TEST_F(SettingsTest, KeysOfOtherVersionsAreKeptAndTheLastOfARepeatedKeyWins) {
    const std::string path = folder.Write("settings.ini",
                                          "colour_blind = on\nsound = off\nsound = on\n"
                                          "colour_blind = off\n");
    ASSERT_TRUE(settings.Load(path));
    EXPECT_TRUE(settings.IsSoundOn());
    settings.SetCrayonBox(2);
    ASSERT_TRUE(settings.Save());
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("\ncolour_blind = off\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("colour_blind = on"), std::string::npos) << text;
    EXPECT_NE(text.find("\ncrayon_box = 2\n"), std::string::npos);
}

TEST_F(SettingsTest, AGrownUpsEditWhileTheProgramRunsOutlivesTheChildsNextChange) {
    const std::string path = folder / "settings.ini";
    ASSERT_TRUE(settings.Load(path));
    folder.Write("settings.ini", "printing = off\nshort_start = on\nsound = on\nnew_key = 7\n");
    settings.SetSoundOn(false);
    settings.SetCrayonBox(2);
    ASSERT_TRUE(settings.Save());
    CSettings reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_FALSE(reread.IsPrintingAllowed());
    EXPECT_TRUE(reread.IsShortStart());
    EXPECT_FALSE(reread.IsSoundOn()) << "the child's keys are the program's";
    EXPECT_EQ(reread.GetCrayonBox(), 2);
    EXPECT_NE(ReadAll(path).find("\nnew_key = 7\n"), std::string::npos);
    // Saved again without another edit, the program's own values stand.
    settings.SetStayInsideLines(false);
    ASSERT_TRUE(settings.Save());
    ASSERT_TRUE(reread.Load(path));
    EXPECT_FALSE(reread.IsPrintingAllowed());
    EXPECT_FALSE(reread.StaysInsideLines());
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWholeAndIsReported) {
    const std::string path = folder / "settings.ini";
    ASSERT_TRUE(settings.Load(path));
    const std::string before = ReadAll(path);
    settings.SetSoundOn(false);
    CAtomicFile::FailAtStep(2);  // the first write into the new file
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(ReadAll(path), before);
    ASSERT_EQ(CContentReport::Log().size(), 1u);
    EXPECT_NE(CContentReport::Log()[0].find(path), std::string::npos);
    CSettings unsaved;
    EXPECT_FALSE(unsaved.Save()) << "settings never loaded have no file to write";
}

TEST_F(SettingsTest, PreferencesStartFromTheFileAndSaveEachChangeAtOnce) {
    const std::string path = folder.Write(
        "settings.ini", "sound = off\ncrayon_box = 3\nprinting = off\noptions_screen = off\n");
    ASSERT_TRUE(settings.Load(path));
    Preferences preferences;
    preferences.Keep(&settings);
    EXPECT_FALSE(preferences.IsSoundOn());
    EXPECT_FALSE(CBasicSound::IsSoundOn()) << "the player is muted from the start";
    EXPECT_EQ(preferences.GetCrayonBox(), 2) << "the file counts boxes from 1";
    EXPECT_FALSE(preferences.IsPrintingAllowed());
    EXPECT_FALSE(preferences.IsOptionsScreenShown());

    preferences.SetSoundOn(true);
    preferences.SetStayInsideLines(false);
    preferences.SetCrayonBox(0);
    CSettings reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_TRUE(reread.IsSoundOn());
    EXPECT_FALSE(reread.StaysInsideLines());
    EXPECT_EQ(reread.GetCrayonBox(), 1);
    EXPECT_FALSE(reread.IsPrintingAllowed()) << "the grown-up's settings are written back as found";
}

}  // namespace
