#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "models/CGlimScrapbook.h"
#include "models/CSlideScript.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CDataFolders.h"
#include "platform/files/CStdioFile.h"

namespace fs = std::filesystem;

namespace {

// A shared folder with a book in it and an empty user folder, worked in from the user
// folder's `play`, as the installed program does.
class DataFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/datafolders-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_root = name;
        m_shared = m_root + "/shared";
        m_user = m_root + "/user";
        fs::create_directories(m_shared + "/books/pip");
        fs::create_directories(m_shared + "/play");
        fs::create_directories(m_user + "/play");
        Write(m_shared + "/books/books.txt", "pip\r\n");
        Write(m_shared + "/books/pip/slides.txt", "shared slides\n");
        m_previous = fs::current_path();
        fs::current_path(m_user + "/play");
        ASSERT_TRUE(CDataFolders::Use(m_shared, m_user));
    }
    void TearDown() override {
        CDataFolders::Reset();
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_root, m_shared, m_user;
    fs::path m_previous;
};

TEST_F(DataFolders, ReadsTheSharedCopyUntilTheUserHasOne) {
    std::string text;
    ASSERT_TRUE(CFile::ReadWholeFile("../books/books.txt", text));
    EXPECT_EQ(text, "pip\r\n");

    ASSERT_TRUE(CAtomicFile::WriteAll("../books/books.txt", "pip\r\nscrapbook=mine\r\n"));
    ASSERT_TRUE(CFile::ReadWholeFile("../books/books.txt", text));
    EXPECT_EQ(text, "pip\r\nscrapbook=mine\r\n");
    EXPECT_EQ(Read(m_shared + "/books/books.txt"), "pip\r\n") << "the shared copy changed";
    EXPECT_EQ(Read(m_user + "/books/books.txt"), "pip\r\nscrapbook=mine\r\n");
}

TEST_F(DataFolders, NewFilesGoToTheUserFolderWithTheirFolders) {
    CStdioFile file;
    ASSERT_TRUE(
        file.Open("../books/scrapbook/entry1/entry1.txt", CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(file.WriteString("book=pip\n"));
    file.Close();
    EXPECT_EQ(Read(m_user + "/books/scrapbook/entry1/entry1.txt"), "book=pip\n");
    EXPECT_FALSE(fs::exists(m_shared + "/books/scrapbook"));
}

TEST_F(DataFolders, ChangingASharedFileInPlaceWorksOnTheUsersCopy) {
    CFile file;
    ASSERT_TRUE(file.Open("../books/pip/slides.txt", CFile::modeReadWrite));
    char first[6] = {};
    ASSERT_EQ(file.Read(first, 6), 6u);
    EXPECT_EQ(std::string(first, 6), "shared");
    file.SeekToBegin();
    ASSERT_TRUE(file.Write("SHARED", 6));
    file.Close();
    EXPECT_EQ(Read(m_user + "/books/pip/slides.txt"), "SHARED slides\n");
    EXPECT_EQ(Read(m_shared + "/books/pip/slides.txt"), "shared slides\n");
}

TEST_F(DataFolders, AFolderNamedWithItsSlashCanBeMadeInTheUserFolder) {
    // The scrapbook makes each entry's folder itself; only the parents may exist first.
    const std::string folder = CDataFolders::ForWriting("../books/scrapbook/entry2/");
    EXPECT_EQ(folder, m_user + "/books/scrapbook/entry2/");
    EXPECT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_EQ(CDataFolders::ForReading("../books/scrapbook/entry2/"), folder);
}

TEST_F(DataFolders, PathsOutsideTheUserFolderAndMissingFilesStayPut) {
    EXPECT_EQ(CDataFolders::ForReading("/etc/hostname"), "/etc/hostname");
    EXPECT_EQ(CDataFolders::ForWriting("../../elsewhere.txt"), "../../elsewhere.txt");
    EXPECT_EQ(CDataFolders::ForReading("../books/none.txt"), m_user + "/books/none.txt");
    CDataFolders::Reset();
    EXPECT_EQ(CDataFolders::ForReading("../books/books.txt"), "../books/books.txt");
    EXPECT_EQ(CDataFolders::ForWriting("../books/new.txt"), "../books/new.txt");
    EXPECT_FALSE(fs::exists(m_user + "/books"));
}

// The program's own writers, through the layer: the slide script and the scrapbook.
TEST_F(DataFolders, SlideScriptsAndTheScrapbookIndexAreWrittenForTheUserOnly) {
    Write(m_shared + "/books/pip/script.txt", "def\ndef\n");
    {
        CSlideScript script;
        ASSERT_TRUE(script.Load("../books/pip/script.txt"));
        EXPECT_EQ(script.GetEntry(1), "def");
        ASSERT_TRUE(script.SetEntry(0, "scrapbook/pic001"));
        ASSERT_TRUE(script.Save());
    }
    EXPECT_EQ(Read(m_shared + "/books/pip/script.txt"), "def\ndef\n");
    EXPECT_NE(Read(m_user + "/books/pip/script.txt").find("scrapbook/pic001"), std::string::npos);

    fs::create_directories(m_shared + "/books/scrapbook");
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load("../books/scrapbook", "scrapbook.txt"));
    EXPECT_TRUE(fs::is_empty(m_shared + "/books/scrapbook"));
    EXPECT_EQ(Read(m_user + "/books/scrapbook/scrapbook.txt"), "bookname=scrapbook\r\n");
}

}  // namespace
