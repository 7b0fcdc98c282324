#pragma once
#include <string>
#include <vector>

// Problems found in content files, told to the grown-ups who look after the program: each
// report names the file and says in a sentence what is wrong and what the program does
// instead. Reports go to standard error and to the log, which keeps them in order for
// whoever shows them later. Bytes that are not printable text (a damaged file's name or
// contents) are shown as "?", never raw.
class CContentReport {
  public:
    static void Report(const std::string& path, const std::string& reason);
    // The reports so far, each as "PATH: REASON".
    static std::vector<std::string> Log();
    static void ClearLog();
    // `text` with control bytes and bytes that are not UTF-8 turned into "?".
    static std::string Printable(const std::string& text);
};
