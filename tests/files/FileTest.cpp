#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/CFile.h"

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

}  // namespace
