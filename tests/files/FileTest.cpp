#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/files/CFile.h"

namespace {

// A folder is never a file, whatever length its file system reports for it (memory-backed
// file systems report 0, which would otherwise read as an empty file).
TEST(FileOpen, RefusesFoldersInEveryMode) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "talewick-file-open-folder";
    std::filesystem::create_directories(folder);
    for (UINT mode : {UINT{CFile::modeRead}, UINT{CFile::modeRead | CFile::shareDenyWrite}}) {
        CFile file;
        int error = 0;
        EXPECT_FALSE(file.Open(folder.string(), mode, &error));
        EXPECT_EQ(error, EISDIR);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.GetLength(), 0);
    }
    std::filesystem::remove_all(folder);
}

TEST(FileOpen, MissingFileReportsItsReason) {
    CFile file;
    int error = 0;
    EXPECT_FALSE(file.Open("/nonexistent-folder-for-talewick/file.bmp", CFile::modeRead, &error));
    EXPECT_EQ(error, ENOENT);
}

TEST(FileReadWhole, ReadsEveryByteAndRefusesWhatIsNoFile) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "talewick-file-read-whole";
    std::filesystem::create_directories(folder);
    std::string bytes(10000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 1);
    {
        CFile out;
        ASSERT_TRUE(out.Open((folder / "data.txt").string(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(out.Write(bytes.data(), static_cast<UINT>(bytes.size())));
    }
    std::string text = "left over";
    EXPECT_TRUE(CFile::ReadWholeFile((folder / "data.txt").string(), text));
    EXPECT_EQ(text, bytes);
    EXPECT_FALSE(CFile::ReadWholeFile(folder.string(), text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(CFile::ReadWholeFile((folder / "missing.txt").string(), text));
    std::filesystem::remove_all(folder);
}

}  // namespace
