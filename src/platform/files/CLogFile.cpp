#include "platform/files/CLogFile.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The current time in UTC as "YYYY-MM-DDTHH:MM:SSZ", the same on every machine's locale.
std::string Timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

void CLogFile::Use(const std::string& path, std::uintmax_t limit) {
    m_path = path;
    m_limit = limit;
}

void CLogFile::RotateIfFull(std::uintmax_t adding) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(m_path, error);
    if (error || size == 0 || size + adding <= m_limit) return;
    fs::rename(m_path, RotatedPath(), error);
}

bool CLogFile::Append(const std::string& line) {
    if (m_path.empty()) return false;
    const std::string entry = Timestamp() + " " + line + "\n";
    RotateIfFull(entry.size());
    std::FILE* file = std::fopen(m_path.c_str(), "ae");
    if (file == nullptr) return false;
    const bool written = std::fwrite(entry.data(), 1, entry.size(), file) == entry.size();
    return std::fclose(file) == 0 && written;
}
