// The log of reports for grown-ups: every report reaches the file once, with its time and
// without raw bytes; a full log is moved aside; a log that cannot be written stops nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/files/CContentReport.h"
#include "platform/files/CLogFile.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = testsupport::ReadAll(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The report's text after the timestamp, or "" when the line has no well-formed one.
std::string AfterTimestamp(const std::string& line) {
    static const std::regex stamp(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ (.*)$)");
    std::smatch match;
    return std::regex_match(line, match, stamp) ? match[1].str() : "";
}

class ReportLogTest : public ::testing::Test {
  protected:
    void SetUp() override { CContentReport::ClearLog(); }
    void TearDown() override {
        CContentReport::StopLogFile();
        CContentReport::ClearLog();
    }
    TempDir dir;
};

TEST_F(ReportLogTest, ReportsReachTheFileOnceWithTheirTimeAndNoRawBytes) {
    const std::string log = dir / "talewick.log";
    CContentReport::UseLogFile(log);
    CContentReport::Report("books/\x01odd\xff.bmp", "is not a BMP picture \x1b[31m");
    CContentReport::Report("books/\x01odd\xff.bmp", "is not a BMP picture \x1b[31m");
    CContentReport::Report("books/story.txt", "NumImages is negative");
    const std::vector<std::string> lines = FileLines(log);
    ASSERT_EQ(lines.size(), 2u) << "the same report is told once";
    EXPECT_EQ(AfterTimestamp(lines[0]), "books/?odd?.bmp: is not a BMP picture ?[31m");
    EXPECT_EQ(AfterTimestamp(lines[1]), "books/story.txt: NumImages is negative");
    EXPECT_EQ(CContentReport::Log().size(), 2u);

    // Forgetting the reports lets a file be told again, after the earlier lines.
    CContentReport::ClearLog();
    CContentReport::Report("books/story.txt", "NumImages is negative");
    EXPECT_EQ(FileLines(log).size(), 3u);
    CContentReport::StopLogFile();
    CContentReport::Report("books/other.txt", "is missing");
    EXPECT_EQ(FileLines(log).size(), 3u) << "a stopped log takes no more lines";
}

TEST_F(ReportLogTest, AFullLogIsMovedAsideAndTheNewestLinesKept) {
    CLogFile log;
    const std::string path = dir / "talewick.log";
    // Each entry is 21 bytes of time, 50 of text and a line end: two fit under 200 bytes.
    log.Use(path, 200);
    std::vector<std::string> texts;
    for (char c = 'a'; c <= 'e'; ++c) {
        texts.push_back(std::string(50, c));
        ASSERT_TRUE(log.Append(texts.back()));
    }
    const std::vector<std::string> current = FileLines(path);
    const std::vector<std::string> previous = FileLines(log.RotatedPath());
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(AfterTimestamp(current[0]), texts[4]);
    ASSERT_EQ(previous.size(), 2u) << "the older moved-aside lines are replaced";
    EXPECT_EQ(AfterTimestamp(previous[0]), texts[2]);
    EXPECT_EQ(AfterTimestamp(previous[1]), texts[3]);
    EXPECT_LE(std::filesystem::file_size(log.RotatedPath()), 200u);
}

TEST_F(ReportLogTest, ALogThatCannotBeWrittenStopsNothing) {
    CLogFile log;
    EXPECT_FALSE(log.Append("nowhere to go")) << "no file in use";
    log.Use(dir / "missing-folder/talewick.log");
    EXPECT_FALSE(log.Append("the folder is missing"));
    // A folder where the file should be.
    std::filesystem::create_directories(dir / "taken.log");
    CContentReport::UseLogFile(dir / "taken.log");
    CContentReport::Report("books/story.txt", "is missing");
    EXPECT_EQ(CContentReport::Log(), std::vector<std::string>{"books/story.txt: is missing"});
}

}  // namespace
