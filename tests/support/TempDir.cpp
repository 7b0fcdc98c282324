#include "support/TempDir.h"

#include <stdlib.h>

#include "support/FileText.h"

namespace testsupport {

TempDir::TempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) != nullptr) m_folder = pattern;
}

TempDir::~TempDir() {
    if (m_folder.empty()) return;
    std::error_code ignored;
    // A test may have taken its rights away to provoke failures.
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_folder, ignored);
}

std::string TempDir::Write(const std::string& name, std::string_view bytes) const {
    const std::string path = *this / name;
    WriteText(path, bytes);
    return path;
}

std::string TempDir::Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    return Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace testsupport
