#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// Opens a document with the desktop's opener ("xdg-open"), started as a process of its
// own without a shell, so the program goes on at once. Openers that have ended are
// reaped at the next call and when the object goes.
class CDocumentOpener {
  public:
    static constexpr const char* kOpener = "xdg-open";

    CDocumentOpener() = default;
    ~CDocumentOpener();
    CDocumentOpener(const CDocumentOpener&) = delete;
    CDocumentOpener& operator=(const CDocumentOpener&) = delete;

    enum class Result { Started, NoDocument, NoOpener };

    // Starts the opener on `path`: NoDocument when there is no such file, NoOpener when
    // the opener could not be started (not installed, not executable).
    Result Open(const std::string& path);

  private:
    void Reap();

    std::vector<pid_t> m_started;
};
