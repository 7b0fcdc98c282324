#pragma once
#include <cstdio>
#include <string>

#include "platform/base/WinTypes.h"

// A binary file, closed when the object goes. Reads return how many bytes arrived
// (fewer at the end of the file, 0 on error); nothing throws.
class CFile {
  public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
    };
    enum SeekPosition { begin = SEEK_SET, current = SEEK_CUR, end = SEEK_END };

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens `path`; with modeCreate the file is created, and truncated unless modeNoTruncate.
    // On failure `errorNumber` (when given) receives the system's reason (errno).
    virtual BOOL Open(const std::string& path, UINT flags, int* errorNumber = nullptr);
    virtual void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& GetFilePath() const { return m_path; }

    virtual UINT Read(void* buffer, UINT count);
    // Writes all `count` bytes; false when any could not be written.
    virtual BOOL Write(const void* buffer, UINT count);
    long long Seek(long long offset, SeekPosition from);
    long long SeekToBegin() { return Seek(0, begin); }
    long long GetPosition() const;
    long long GetLength() const;
    BOOL Flush();

    // Reads a whole regular file into `text`; false when it cannot be opened, is not a
    // regular file (a folder or a pipe) or cannot be read to its end.
    static BOOL ReadWholeFile(const std::string& path, std::string& text);

  protected:
    std::FILE* m_file = nullptr;
    std::string m_path;
};
