#pragma once
#include <string>

// Keeps a second copy of the program from running: an exclusive lock on a file that the
// system drops when the holding process ends, however it ends.
class CInstanceGuard {
  public:
    // The lock file `name` in the user's $XDG_RUNTIME_DIR; without it in the user's data
    // folder, and without that in the temporary folder under a name carrying the user id.
    // Each account has its own lock, so two children logged in at once each run a copy.
    explicit CInstanceGuard(const std::string& name);
    ~CInstanceGuard();
    CInstanceGuard(const CInstanceGuard&) = delete;
    CInstanceGuard& operator=(const CInstanceGuard&) = delete;

    // Takes the lock without waiting; false when another process holds it.
    bool Lock();
    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }
    const std::string& GetPath() const { return m_path; }

  private:
    std::string m_path;
    int m_fd = -1;
};
