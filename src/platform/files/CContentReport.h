#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/CLogFile.h"

// Problems found in content files, told to the grown-ups who look after the program: each
// report names the file and says in a sentence what is wrong and what the program does
// instead. Reports go to standard error, to the log file in the user's folder once one is
// in use, and to the in-memory log, which keeps them in order for whoever shows them
// later. The same report is told once: a file tried again tells nothing new. Bytes that are
// not printable text (a damaged file's name or contents) are shown as "?", never raw.
class CContentReport {
  public:
    static void Report(const std::string& path, const std::string& reason);
    // Appends every later report, with its time, to `path` (rotated beyond `limit` bytes).
    static void UseLogFile(const std::string& path, std::uintmax_t limit = CLogFile::kDefaultLimit);
    static void StopLogFile();
    // The reports so far, each as "PATH: REASON".
    static std::vector<std::string> Log();
    // Forgets the reports so far, so each may be told again.
    static void ClearLog();
    // `text` with control bytes and bytes that are not UTF-8 turned into "?".
    static std::string Printable(const std::string& text);
};
