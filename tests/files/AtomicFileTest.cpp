#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/CAtomicFile.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using testsupport::ReadAll;
using testsupport::WriteText;

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.Path().empty());
        CAtomicFile::ResetSteps();
    }
    void TearDown() override { CAtomicFile::ResetSteps(); }

    void Plant(const std::string& bytes) const { WriteText(m_target, bytes); }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Replaces the target in two writes, the way a caller streams a file.
    bool StreamNewContents() const {
        CAtomicFile file;
        return file.Open(m_target) && file.Write(std::string("first ")) &&
               file.Write(std::string("second")) && file.Commit();
    }

    testsupport::TempDir m_dir{"atomicfile"};
    const std::string m_folder = m_dir.Path();
    const std::string m_target = m_dir / "index.txt";
};

TEST_F(AtomicFile, CreatesAndReplacesWithoutLeftovers) {
    const std::string binary("a\0b\r\nc", 6);
    ASSERT_TRUE(CAtomicFile::WriteAll(m_target, binary));
    EXPECT_EQ(ReadAll(m_target), binary);
    ASSERT_TRUE(CAtomicFile::WriteAll(m_target, "shorter"));
    EXPECT_EQ(ReadAll(m_target), "shorter");
    ASSERT_TRUE(CAtomicFile::WriteAll(m_target, ""));
    EXPECT_EQ(ReadAll(m_target), "");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"index.txt"});
}

TEST_F(AtomicFile, ReplacementKeepsThePermissions) {
    Plant("old");
    ASSERT_EQ(::chmod(m_target.c_str(), 0640), 0);
    ASSERT_TRUE(CAtomicFile::WriteAll(m_target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(m_target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, UncommittedWritesLeaveTheOldFile) {
    Plant("old contents");
    {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(m_target));
        ASSERT_TRUE(file.Write(std::string("half of the new")));
        EXPECT_EQ(ReadAll(m_target), "old contents");
    }
    EXPECT_EQ(ReadAll(m_target), "old contents");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"index.txt"});

    // Through the CFile interface, Close without Commit drops the replacement too.
    CAtomicFile closed;
    CFile& plain = closed;
    ASSERT_TRUE(plain.Open(m_target, CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(plain.Write("xyz", 3));
    plain.Close();
    EXPECT_FALSE(closed.Commit());
    EXPECT_EQ(ReadAll(m_target), "old contents");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"index.txt"});
}

TEST_F(AtomicFile, FailureAtEveryStepKeepsTheOldFile) {
    Plant("old contents");
    ASSERT_TRUE(StreamNewContents());
    const int steps = CAtomicFile::StepsTaken();
    EXPECT_EQ(steps, 6);  // create, two writes, sync, close, rename

    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE("failing step " + std::to_string(step));
        Plant("old contents");
        CAtomicFile::FailAtStep(step);
        EXPECT_FALSE(StreamNewContents());
        EXPECT_EQ(ReadAll(m_target), "old contents");
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"index.txt"});
    }
    CAtomicFile::FailAtStep(steps + 1);
    EXPECT_TRUE(StreamNewContents());
    EXPECT_EQ(ReadAll(m_target), "first second");
}

TEST_F(AtomicFile, InjectedCrashStopsEverythingAfterIt) {
    Plant("old contents");
    CAtomicFile::FailAtStep(3, CAtomicFile::FailureKind::Crash);
    EXPECT_FALSE(StreamNewContents());
    EXPECT_FALSE(CAtomicFile::WriteAll(m_target, "later"));
    EXPECT_EQ(ReadAll(m_target), "old contents");
    // A dead process cleans nothing up: its temporary file is still there.
    EXPECT_EQ(FolderNames().size(), 2u);
    CAtomicFile::ResetSteps();
    EXPECT_TRUE(CAtomicFile::WriteAll(m_target, "after restart"));
    EXPECT_EQ(ReadAll(m_target), "after restart");
}

// The next start removes what a dead process left, and nothing that only looks like it.
TEST_F(AtomicFile, LeftoversOfADeadProcessAreRecognisedAndRemoved) {
    Plant("old contents");
    CAtomicFile::FailAtStep(3, CAtomicFile::FailureKind::Crash);
    EXPECT_FALSE(StreamNewContents());
    CAtomicFile::ResetSteps();
    const std::vector<std::string> lookalikes = {".index.txt.tmp-12-x", "index.txt.tmp-1-2",
                                                 ".index.txt.tmp-12", ".tmp-1-2", "notes.txt"};
    for (const std::string& name : lookalikes) {
        WriteText(m_dir / name, "kept");
        EXPECT_FALSE(CAtomicFile::IsLeftover(name)) << name;
    }
    WriteText(m_dir / ".saved.bmp.tmp-99999-7", "another process's leftover");
    fs::create_directories(m_dir / ".folder.tmp-1-2");
    std::vector<std::string> leftovers;
    for (const std::string& name : FolderNames())
        if (CAtomicFile::IsLeftover(name)) leftovers.push_back(name);
    EXPECT_EQ(leftovers.size(), 3u);  // the crash's, the planted file and the folder
    EXPECT_EQ(CAtomicFile::RemoveLeftovers(m_folder), 2);  // folders are not files
    std::vector<std::string> expected = lookalikes;
    expected.insert(expected.end(), {".folder.tmp-1-2", "index.txt"});
    std::vector<std::string> left = FolderNames();
    std::sort(left.begin(), left.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ReadAll(m_target), "old contents");
    EXPECT_EQ(CAtomicFile::RemoveLeftovers(m_dir / "missing"), 0);
}

TEST_F(AtomicFile, FoldersThatCannotTakeTheFile) {
    int error = 0;
    CAtomicFile file;
    EXPECT_FALSE(file.Open(m_folder + "/missing/index.txt", CFile::modeCreate, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(CAtomicFile::WriteAll("", "x"));

    // A folder standing where the file should go is never replaced.
    fs::create_directory(m_target);
    EXPECT_FALSE(CAtomicFile::WriteAll(m_target, "x"));
    EXPECT_TRUE(fs::is_directory(m_target));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"index.txt"});
}

// Runs one replacement as an unprivileged user when the tests run as root, since root
// writes into read-only folders anyway. Returns the replacement's result.
bool WriteAllWithoutPrivileges(const std::string& path, const std::string& bytes) {
    if (::geteuid() != 0) return CAtomicFile::WriteAll(path, bytes);
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(2);
        ::_exit(CAtomicFile::WriteAll(path, bytes) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(AtomicFile, ReadOnlyFolderRefusesTheWrite) {
    Plant("old contents");
    ASSERT_EQ(::chmod(m_target.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(m_folder.c_str(), 0555), 0);
    EXPECT_FALSE(WriteAllWithoutPrivileges(m_target, "new"));
    EXPECT_EQ(ReadAll(m_target), "old contents");
    // The same user succeeds once the folder is writable, so the refusal was the folder's.
    ASSERT_EQ(::chmod(m_folder.c_str(), 0777), 0);
    EXPECT_TRUE(WriteAllWithoutPrivileges(m_target, "new"));
    EXPECT_EQ(ReadAll(m_target), "new");
}

}  // namespace
