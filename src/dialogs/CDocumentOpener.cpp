#include "dialogs/CDocumentOpener.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "platform/files/CDataFolders.h"

extern char** environ;

CDocumentOpener::~CDocumentOpener() {
    Reap();
}

CDocumentOpener::Result CDocumentOpener::Open(const std::string& path) {
    Reap();
    const std::string document = CDataFolders::ForReading(path);
    struct stat info {};
    if (stat(document.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return Result::NoDocument;

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return Result::NoOpener;
    // Its own session: the opener (and the editor it starts) outlives no signal of ours.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string opener = kOpener;
    std::string argument = document;
    char* argv[] = {opener.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, kOpener, nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) return Result::NoOpener;
    m_started.push_back(pid);
    return Result::Started;
}

void CDocumentOpener::Reap() {
    auto ended = [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; };
    m_started.erase(std::remove_if(m_started.begin(), m_started.end(), ended), m_started.end());
}
