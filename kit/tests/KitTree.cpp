#include "KitTree.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "check/ContentKit.h"
#include "sounds/WaveFile.h"

namespace fs = std::filesystem;

namespace {

class ScratchTree {
  public:
    ScratchTree()
        : m_dir((fs::temp_directory_path() / ("talewick-kit-tree-" + std::to_string(::getpid())))
                    .string()) {
        fs::remove_all(m_dir);
        std::vector<std::string> failures;
        if (!GenerateKitPart(m_dir, failures)) m_generated = false;
    }
    ~ScratchTree() {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    const std::string& Dir() const { return m_generated ? m_dir : m_none; }

  private:
    std::string m_dir;
    std::string m_none;
    bool m_generated = true;
};

}  // namespace

const std::string& KitTree() {
    static const ScratchTree tree;
    return tree.Dir();
}

InFolder::InFolder(const std::string& dir) : m_previous(fs::current_path().string()) {
    fs::create_directories(dir);
    fs::current_path(dir);
}

InFolder::~InFolder() {
    std::error_code error;
    fs::current_path(m_previous, error);
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}
