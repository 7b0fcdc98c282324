#pragma once
#include <string>

#include "platform/files/CFile.h"

// A text file read and written line by line. Line ends are LF on disk; a CR before the
// LF is dropped on reading so files written elsewhere read the same.
class CStdioFile : public CFile {
public:
    // Reads the next line without its line end; false at the end of the file.
    BOOL ReadString(std::string& line);
    BOOL WriteString(const std::string& text);
};
