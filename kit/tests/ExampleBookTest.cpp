// The guide's example book: it renders into a complete book the program can read, and
// mistakes written into a copy of it are reported with their file, line and what to do.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "check/ContentKit.h"
#include "story/StoryKit.h"

namespace fs = std::filesystem;

namespace {

const std::string kExample = std::string(TALEWICK_SOURCE_DIR) + "/docs/making-a-book";

// A scratch folder removed with everything in it when the object goes.
class Scratch {
  public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "book-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

TEST(ExampleBook, RendersIntoABookTheProgramCanRead) {
    Scratch out;
    ASSERT_TRUE(MakeBook(kExample, out.Path()));
    std::vector<std::string> problems;
    CheckStory(out.Path(), problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(out.Path() + "/books/snowy/snowy.txt"));
    EXPECT_TRUE(fs::exists(out.Path() + "/books/snowy/train/sounds"));
}

TEST(ExampleBook, MistakesAreReportedWithFileLineAndWhatToDo) {
    Scratch copy;
    fs::copy(kExample, copy.Path(), fs::copy_options::recursive);
    const std::string scene = copy.Path() + "/02_train.scene";
    std::ofstream(scene, std::ios::app) << "use caboose id=8 at=2,0,0\n";
    std::vector<std::string> problems;
    CheckComposition(FindBookFile(copy.Path()), problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("02_train.scene: line 13: unknown group \"caboose\"; define it"),
              std::string::npos)
        << problems[0];

    // A present lifted off its wagon floats, and a rendering refuses the book.
    std::string text;
    {
        std::ifstream in(scene);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    text.erase(text.rfind("use caboose"));
    const std::size_t at = text.find("at=1.0,1.2,0");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 12, "at=1.0,1.9,0");
    std::ofstream(scene, std::ios::trunc) << text;
    problems.clear();
    CheckComposition(FindBookFile(copy.Path()), problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("02_train.scene: line 12: \"present\" (id 7) floats in the air"),
              std::string::npos)
        << problems[0];
    Scratch out;
    EXPECT_FALSE(MakeBook(copy.Path(), out.Path()));
}

}  // namespace
