#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CDataSetup.h"
#include "app/CInstanceGuard.h"
#include "app/CProgramOptions.h"
#include "app/CStartMark.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        if (old != nullptr) m_old = old;
        m_had = old != nullptr;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (m_had) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

  private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

class TempFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/startup-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_root = name;
        m_previous = fs::current_path();
    }
    void TearDown() override {
        CDataFolders::Reset();
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    std::string m_root;
    fs::path m_previous;
};

bool Parse(CProgramOptions& options, std::vector<std::string> arguments) {
    return options.Parse(arguments);
}

TEST(ProgramOptions, KnownOptionsAndBothValueForms) {
    CProgramOptions options;
    ASSERT_TRUE(Parse(options, {"--windowed", "--data-dir", "/d", "--user-dir=/u"}));
    EXPECT_TRUE(options.IsWindowed());
    EXPECT_EQ(options.DataFolder(), "/d");
    EXPECT_EQ(options.UserFolder(), "/u");
    EXPECT_EQ(options.GetAction(), CProgramOptions::Action::Run);

    CProgramOptions last;
    ASSERT_TRUE(Parse(last, {"--windowed", "--fullscreen", "--version"}));
    EXPECT_FALSE(last.IsWindowed()) << "the later of the two display options counts";
    EXPECT_EQ(last.GetAction(), CProgramOptions::Action::Version);
}

TEST(ProgramOptions, UnknownOptionsAndMissingFoldersAreRefused) {
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--colour"},
                                                {"windowed"},
                                                {"--data-dir"},
                                                {"--user-dir="},
                                                {"--windowed", "--data-dirx=/d"}}) {
        CProgramOptions options;
        EXPECT_FALSE(Parse(options, bad)) << bad.back();
        EXPECT_FALSE(options.Error().empty());
    }
    CProgramOptions options;
    Parse(options, {"--frobnicate"});
    EXPECT_NE(options.Error().find("--frobnicate"), std::string::npos);
}

TEST(ProgramOptions, CommandLineBeatsEnvironmentBeatsDefaults) {
    ScopedEnvironment data("TALEWICK_DATA_DIR", "/env/data");
    ScopedEnvironment user("TALEWICK_USER_DIR", nullptr);
    ScopedEnvironment home("HOME", "/home/child");
    ScopedEnvironment xdg("XDG_DATA_HOME", "relative/is/ignored");
    CProgramOptions fromEnvironment;
    ASSERT_TRUE(Parse(fromEnvironment, {}));
    fromEnvironment.Complete("/opt/x/bin/talewick");
    EXPECT_EQ(fromEnvironment.DataFolder(), "/env/data");
    EXPECT_EQ(fromEnvironment.UserFolder(), "/home/child/.local/share/talewick");

    ScopedEnvironment xdgAbsolute("XDG_DATA_HOME", "/xdg");
    CProgramOptions fromLine;
    ASSERT_TRUE(Parse(fromLine, {"--data-dir", "/line"}));
    fromLine.Complete("/opt/x/bin/talewick");
    EXPECT_EQ(fromLine.DataFolder(), "/line");
    EXPECT_EQ(fromLine.UserFolder(), "/xdg/talewick");
}

TEST(ProgramOptions, TheSettingsFolderAndTheWindowChoice) {
    ScopedEnvironment config("TALEWICK_CONFIG_DIR", nullptr);
    ScopedEnvironment home("HOME", "/home/child");
    ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/is/ignored");
    CProgramOptions plain;
    ASSERT_TRUE(Parse(plain, {}));
    plain.Complete("/usr/bin/talewick");
    EXPECT_EQ(plain.ConfigFolder(), "/home/child/.config/talewick");
    EXPECT_FALSE(plain.HasWindowChoice()) << "the settings file decides";

    ScopedEnvironment xdgAbsolute("XDG_CONFIG_HOME", "/xdg");
    CProgramOptions fromXdg;
    ASSERT_TRUE(Parse(fromXdg, {"--fullscreen"}));
    fromXdg.Complete("/usr/bin/talewick");
    EXPECT_EQ(fromXdg.ConfigFolder(), "/xdg/talewick");
    EXPECT_TRUE(fromXdg.HasWindowChoice());
    EXPECT_FALSE(fromXdg.IsWindowed());

    ScopedEnvironment fromEnvironment("TALEWICK_CONFIG_DIR", "/env/config");
    CProgramOptions fromLine;
    ASSERT_TRUE(Parse(fromLine, {"--config-dir=/line/config"}));
    fromLine.Complete("/usr/bin/talewick");
    EXPECT_EQ(fromLine.ConfigFolder(), "/line/config");
    CProgramOptions environmentOnly;
    environmentOnly.Complete("/usr/bin/talewick");
    EXPECT_EQ(environmentOnly.ConfigFolder(), "/env/config");
    CProgramOptions missing;
    EXPECT_FALSE(Parse(missing, {"--config-dir"}));
}

TEST_F(TempFolder, DefaultDataIsInstalledBesideTheProgramOrTheBuildTreesContent) {
    ScopedEnvironment data("TALEWICK_DATA_DIR", nullptr);
    fs::create_directories(m_root + "/build/content");
    CProgramOptions built;
    built.Complete(m_root + "/build/bin/talewick");
    EXPECT_EQ(built.DataFolder(), m_root + "/build/content");

    fs::create_directories(m_root + "/usr/share/talewick");
    CProgramOptions installed;
    installed.Complete(m_root + "/usr/bin/talewick");
    EXPECT_EQ(installed.DataFolder(), m_root + "/usr/share/talewick");
}

TEST_F(TempFolder, MissingOrDamagedDataFolderIsNamed) {
    CDataSetup missing;
    EXPECT_FALSE(missing.Prepare(m_root + "/nowhere", m_root + "/user"));
    EXPECT_NE(missing.Error().find(m_root + "/nowhere"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_root + "/user")) << "nothing is made for a run that cannot start";

    fs::create_directories(m_root + "/shared/books");
    CDataSetup damaged;
    EXPECT_FALSE(damaged.Prepare(m_root + "/shared", m_root + "/user"));
    EXPECT_NE(damaged.Error().find("books/books.txt"), std::string::npos);
    EXPECT_FALSE(CDataFolders::IsActive());
}

TEST_F(TempFolder, FirstStartMakesTheUserFolderAndWorksInIt) {
    fs::create_directories(m_root + "/shared/books");
    std::ofstream(m_root + "/shared/books/books.txt") << "pip\r\n";
    CDataSetup setup;
    ASSERT_TRUE(setup.Prepare(m_root + "/shared", m_root + "/home/.local/share/talewick"))
        << setup.Error();
    EXPECT_EQ(fs::current_path(), fs::path(m_root + "/home/.local/share/talewick/play"));
    EXPECT_EQ(CDataFolders::ForReading("../books/books.txt"), m_root + "/shared/books/books.txt");
    // Reports for grown-ups are kept in the user's folder from now on.
    CContentReport::Report("../books/pip/pip.txt", "cannot be read");
    CContentReport::StopLogFile();
    std::ifstream log(m_root + "/home/.local/share/talewick/talewick.log");
    std::string line;
    ASSERT_TRUE(std::getline(log, line));
    EXPECT_TRUE(line.ends_with(" ../books/pip/pip.txt: cannot be read")) << line;

    fs::create_directories(m_root + "/locked");
    fs::permissions(m_root + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
    CDataSetup refused;
    if (geteuid() != 0) {  // root may write anywhere
        EXPECT_FALSE(refused.Prepare(m_root + "/shared", m_root + "/locked/talewick"));
        EXPECT_NE(refused.Error().find(m_root + "/locked/talewick"), std::string::npos);
    }
}

// The PNG copies go to the desktop's pictures folder, or ~/Pictures when it names none.
TEST(PicturesFolder, FollowsTheDesktopAndFallsBackToPicturesInHome) {
    EXPECT_EQ(CDataSetup::PicturesFolderFor("/home/child/Bilder", "/home/child"),
              "/home/child/Bilder/Talewick");
    EXPECT_EQ(CDataSetup::PicturesFolderFor("/data/images/", "/home/child/"),
              "/data/images/Talewick");
    // xdg-user-dir answers the home folder itself when no pictures folder is set.
    EXPECT_EQ(CDataSetup::PicturesFolderFor("/home/child/", "/home/child"),
              "/home/child/Pictures/Talewick");
    EXPECT_EQ(CDataSetup::PicturesFolderFor("", "/home/child"), "/home/child/Pictures/Talewick");
    EXPECT_EQ(CDataSetup::PicturesFolderFor("Pictures", "/home/child"),
              "/home/child/Pictures/Talewick");
    EXPECT_EQ(CDataSetup::PicturesFolderFor("", ""), "");
    EXPECT_EQ(CDataSetup::PicturesFolderFor("", "relative"), "");
}

TEST_F(TempFolder, TheStartMarkIsAFileInTheUserFolderThatAnEmptyPathNeverKeeps) {
    const CStartMark mark(m_root + "/" + CStartMark::kFileName);
    EXPECT_FALSE(mark.IsSet());
    EXPECT_TRUE(mark.Set());
    EXPECT_TRUE(CStartMark(m_root + "/" + CStartMark::kFileName).IsSet());
    EXPECT_TRUE(mark.Set()) << "setting it again is fine";
    const CStartMark none("");
    EXPECT_FALSE(none.Set());
    EXPECT_FALSE(none.IsSet());
    EXPECT_FALSE(CStartMark(m_root + "/missing/folder/mark").Set());
}

TEST_F(TempFolder, TheGuardIsPerUserAndFallsBackToTheUserFolder) {
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", m_root.c_str());
        CInstanceGuard guard("guard-test");
        EXPECT_EQ(guard.GetPath(), m_root + "/guard-test");
    }
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
    fs::create_directories(m_root + "/shared");
    ASSERT_TRUE(CDataFolders::Use(m_root + "/shared", m_root + "/user"));
    fs::create_directories(m_root + "/user");
    CInstanceGuard first("guard-test");
    EXPECT_EQ(first.GetPath(), m_root + "/user/guard-test");
    ASSERT_TRUE(first.Lock());
    CInstanceGuard second("guard-test");
    EXPECT_FALSE(second.Lock()) << "a second copy of the same user must be refused";
    CDataFolders::Reset();
    CInstanceGuard elsewhere("guard-test");
    EXPECT_NE(elsewhere.GetPath().find("guard-test-" + std::to_string(getuid())),
              std::string::npos);
}

}  // namespace
