#include "platform/files/CAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files/CDataFolders.h"

namespace {

// Replacements may run on a writer thread too; each thread counts its own steps.
thread_local int g_stepsTaken = 0;
thread_local int g_failingStep = 0;
thread_local CAtomicFile::FailureKind g_failureKind = CAtomicFile::FailureKind::Error;
thread_local bool g_crashed = false;
thread_local std::string g_lastFailedPath;
thread_local int g_lastFailedError = 0;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr const char* kTemporaryMark = ".tmp-";

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// Creates a fresh hidden temporary file beside `target`; returns its descriptor or -1.
int CreateTemporary(const std::string& target, std::string& temporaryPath) {
    static std::atomic<unsigned> serial = 0;
    const std::string stem = FolderOf(target) + "/." + NameOf(target) + kTemporaryMark +
                             std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(serial++);
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A replaced file keeps the permissions of the file it replaces.
void CopyMode(const std::string& target, int fd) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the new file
// is already in place then, so this is best effort and not a failure.
void SyncFolder(const std::string& target) {
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

CAtomicFile::~CAtomicFile() {
    Close();
}

BOOL CAtomicFile::Open(const std::string& requested, UINT /*flags*/, int* errorNumber) {
    Close();
    const std::string path = CDataFolders::ForWriting(requested);
    m_failed = false;
    int fd = -1;
    if (path.empty() || path.back() == '/') {
        errno = EINVAL;
    } else if (!TakeStep()) {
        errno = EIO;
    } else {
        fd = CreateTemporary(path, m_temporary);
    }
    if (fd >= 0) {
        CopyMode(path, fd);
        m_file = ::fdopen(fd, "wb");
        if (m_file == nullptr) ::close(fd);
    }
    if (m_file == nullptr) {
        if (errorNumber != nullptr) *errorNumber = errno;
        g_lastFailedPath = path;
        g_lastFailedError = errno;
        if (fd >= 0) ::unlink(m_temporary.c_str());
        m_temporary.clear();
        return FALSE;
    }
    m_target = path;
    m_path = path;
    return TRUE;
}

BOOL CAtomicFile::Write(const void* buffer, UINT count) {
    if (m_file == nullptr || m_failed) return FALSE;
    if (!TakeStep() || !CFile::Write(buffer, count)) {
        m_failed = true;
        NoteFailure(errno != 0 ? errno : EIO);
    }
    return m_failed ? FALSE : TRUE;
}

BOOL CAtomicFile::Write(const std::string& bytes) {
    return Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

UINT CAtomicFile::Read(void* /*buffer*/, UINT /*count*/) {
    return 0;
}

BOOL CAtomicFile::Commit() {
    if (m_file == nullptr) return FALSE;
    if (m_failed || !TakeStep() || std::fflush(m_file) != 0 || ::fsync(::fileno(m_file)) != 0) {
        if (!m_failed) NoteFailure(errno != 0 ? errno : EIO);
        Abandon();
        return FALSE;
    }
    const bool closeStep = TakeStep();
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closeStep || !closed || !TakeStep() ||
        ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        NoteFailure(errno != 0 ? errno : EIO);
        Abandon();
        return FALSE;
    }
    SyncFolder(m_target);
    m_temporary.clear();
    CFile::Close();
    return TRUE;
}

void CAtomicFile::Close() {
    Abandon();
}

// Closes and removes an unfinished temporary file; after an injected crash the file stays,
// as it would if the process had died.
void CAtomicFile::Abandon() {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = nullptr;
    if (!m_temporary.empty() && !g_crashed) ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_target.clear();
    CFile::Close();
}

bool CAtomicFile::WriteAll(const std::string& path, const std::string& bytes) {
    CAtomicFile file;
    return file.Open(path) && file.Write(bytes) && file.Commit();
}

// The names CreateTemporary makes: "." NAME ".tmp-" PID "-" SERIAL.
bool CAtomicFile::IsLeftover(const std::string& fileName) {
    const std::size_t mark = fileName.rfind(kTemporaryMark);
    if (fileName.size() < 2 || fileName[0] != '.' || mark == std::string::npos || mark < 2)
        return false;
    const std::string numbers =
        fileName.substr(mark + std::char_traits<char>::length(kTemporaryMark));
    const std::size_t dash = numbers.find('-');
    return dash != std::string::npos && IsNumber(numbers.substr(0, dash)) &&
           IsNumber(numbers.substr(dash + 1));
}

int CAtomicFile::RemoveLeftovers(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(CDataFolders::ForWriting(folder + "/"), error);
    if (error) return 0;
    int removed = 0;
    for (const fs::directory_entry& entry : entries) {
        if (!entry.is_regular_file(error) || entry.is_symlink(error)) continue;
        if (IsLeftover(entry.path().filename().string()) && ::unlink(entry.path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

void CAtomicFile::NoteFailure(int error) {
    g_lastFailedPath = m_target;
    g_lastFailedError = error;
}

const std::string& CAtomicFile::LastFailedPath() {
    return g_lastFailedPath;
}

int CAtomicFile::LastFailedError() {
    return g_lastFailedError;
}

void CAtomicFile::ClearLastFailure() {
    g_lastFailedPath.clear();
    g_lastFailedError = 0;
}

bool CAtomicFile::TakeStep() {
    if (g_crashed) return false;
    if (g_stepsTaken < INT_MAX) ++g_stepsTaken;  // long fuzz runs must not overflow it
    if (g_failingStep == 0 || g_stepsTaken != g_failingStep) return true;
    if (g_failureKind == FailureKind::Crash) g_crashed = true;
    return false;
}

void CAtomicFile::FailAtStep(int step, FailureKind kind) {
    g_stepsTaken = 0;
    g_failingStep = step < 0 ? 0 : step;
    g_failureKind = kind;
    g_crashed = false;
}

int CAtomicFile::StepsTaken() {
    return g_stepsTaken;
}

void CAtomicFile::ResetSteps() {
    FailAtStep(0);
}
