#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes. Its name starts with `prefix`; Path() is empty when it could not be made.
class TempDir {
  public:
    explicit TempDir(const std::string& prefix = "talewick-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    std::string Path() const { return m_folder.string(); }
    // The path of `name` inside the folder.
    std::string operator/(const std::string& name) const { return (m_folder / name).string(); }
    // Writes `bytes` to `name` inside the folder (creating its folders); the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const;
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) const;

  private:
    std::filesystem::path m_folder;
};

}  // namespace testsupport
