#pragma once
#include <cstdint>
#include <string>

// A text log that only ever grows at its end, kept to a bounded size: a line that would
// take the file past its limit first moves the file aside as "NAME.1" (replacing the one
// moved aside before), so at most two files of about the limit each remain. Every line is
// written with the time it was written. A log that cannot be written never stops anything:
// Append only answers false.
class CLogFile {
  public:
    static constexpr std::uintmax_t kDefaultLimit = 1024 * 1024;

    // Logs to `path` from now on; nothing is opened or created until the first line.
    void Use(const std::string& path, std::uintmax_t limit = kDefaultLimit);
    // Stops logging; Append does nothing until Use is called again.
    void Stop() { m_path.clear(); }
    bool IsUsed() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    // The previous file, where a full log is moved.
    std::string RotatedPath() const { return m_path + ".1"; }

    // Appends "YYYY-MM-DDTHH:MM:SSZ LINE" and a line end; false when it was not written.
    bool Append(const std::string& line);

  private:
    void RotateIfFull(std::uintmax_t adding);

    std::string m_path;
    std::uintmax_t m_limit = kDefaultLimit;
};
