#include "platform/files/CFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/files/CDataFolders.h"

CFile::~CFile() {
    Close();
}

BOOL CFile::Open(const std::string& path, UINT flags, int* errorNumber) {
    Close();
    const bool write = (flags & (modeWrite | modeReadWrite)) != 0;
    const bool create = (flags & modeCreate) != 0;
    const bool keep = (flags & modeNoTruncate) != 0;
    const char* mode = "rb";
    if (create && !keep) {
        mode = (flags & modeReadWrite) ? "w+b" : "wb";
    } else if (write) {
        mode = "r+b";
    }
    const std::string real = create && !keep   ? CDataFolders::ForWriting(path)
                             : write || create ? CDataFolders::ForUpdating(path)
                                               : CDataFolders::ForReading(path);
    errno = 0;
    m_file = std::fopen(real.c_str(), mode);
    if (m_file == nullptr && create && keep) m_file = std::fopen(real.c_str(), "w+b");
    if (m_file == nullptr) {
        if (errorNumber != nullptr) *errorNumber = errno;
        return FALSE;
    }
    // A folder opens for reading on this system but is no file: refuse it as a file
    // system that opens only files would, whatever length its file system reports.
    struct stat info {};
    if (fstat(fileno(m_file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(m_file);
        m_file = nullptr;
        if (errorNumber != nullptr) *errorNumber = EISDIR;
        return FALSE;
    }
    m_path = real;
    return TRUE;
}

void CFile::Close() {
    if (m_file != nullptr) std::fclose(m_file);
    m_file = nullptr;
    m_path.clear();
}

UINT CFile::Read(void* buffer, UINT count) {
    if (m_file == nullptr || count == 0) return 0;
    return static_cast<UINT>(std::fread(buffer, 1, count, m_file));
}

BOOL CFile::Write(const void* buffer, UINT count) {
    if (m_file == nullptr) return FALSE;
    if (count == 0) return TRUE;
    return std::fwrite(buffer, 1, count, m_file) == count ? TRUE : FALSE;
}

long long CFile::Seek(long long offset, SeekPosition from) {
    if (m_file == nullptr || std::fseek(m_file, static_cast<long>(offset), from) != 0) return -1;
    return GetPosition();
}

long long CFile::GetPosition() const {
    return m_file == nullptr ? -1 : static_cast<long long>(std::ftell(m_file));
}

long long CFile::GetLength() const {
    if (m_file == nullptr) return 0;
    const long here = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    const long length = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return length < 0 ? 0 : length;
}

BOOL CFile::Flush() {
    return m_file != nullptr && std::fflush(m_file) == 0 ? TRUE : FALSE;
}

BOOL CFile::ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    CFile file;
    if (!file.Open(path, modeRead | shareDenyWrite)) return FALSE;
    struct stat info {};
    if (fstat(fileno(file.m_file), &info) != 0 || !S_ISREG(info.st_mode)) return FALSE;
    char buffer[4096];
    for (UINT got = 0; (got = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    return std::ferror(file.m_file) == 0 ? TRUE : FALSE;
}
