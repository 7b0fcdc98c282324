#include "app/CInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files/CDataFolders.h"

namespace {

std::string LockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') return std::string(runtime) + "/" + name;
    if (CDataFolders::IsActive()) return CDataFolders::UserFolder() + "/" + name;
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    const std::string folder = error ? std::string("/tmp") : temp.string();
    return folder + "/" + name + "-" + std::to_string(getuid());
}

}  // namespace

CInstanceGuard::CInstanceGuard(const std::string& name) : m_path(LockPath(name)) {}

CInstanceGuard::~CInstanceGuard() {
    Unlock();
}

bool CInstanceGuard::Lock() {
    if (m_fd >= 0) return true;
    // Close-on-exec: programs started from here must not inherit the lock.
    const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void CInstanceGuard::Unlock() {
    if (m_fd < 0) return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}
