#pragma once
#include <array>
#include <string>

#include "platform/base/WinTypes.h"

// A book's slide script: for each slide position one entry, a picture path or "def" for
// the book's own slide. One entry per line in the file; read lines are held in lower case.
// A modified script is written back (atomically) by Save, Reset and the destructor.
class CSlideScript {
  public:
    static constexpr int kMaxEntries = 21;

    CSlideScript() = default;
    ~CSlideScript();
    CSlideScript(const CSlideScript&) = delete;
    CSlideScript& operator=(const CSlideScript&) = delete;
    // Moving hands the script over; the moved-from object is left empty and writes nothing.
    CSlideScript(CSlideScript&& other) noexcept;
    CSlideScript& operator=(CSlideScript&& other) noexcept;

    // Loads the script at `path`, creating it (21 "def" entries, written by the next save)
    // when the file does not exist. A path already loaded is kept unless `force` is set.
    bool Load(const std::string& path, bool force = false);
    // With an empty name: whether a script is loaded; otherwise whether it is `name`.
    bool IsOpen(const std::string& name = "") const;
    std::string GetEntry(int index) const;
    // Stores `value` ("def" when empty) at a valid index and marks the script modified.
    bool SetEntry(int index, const std::string& value);
    // Writes a loaded, modified script; true when it wrote.
    bool Save();
    // Saves pending changes, then empties the script.
    void Reset();

    int GetCount() const { return m_count; }
    bool IsModified() const { return m_modified != FALSE; }
    const std::string& GetPath() const { return m_path; }

  private:
    bool ReadLines(const std::string& path);
    void StartFresh();
    void Clear();

    BOOL m_loaded = FALSE;
    std::string m_path;
    std::array<std::string, kMaxEntries> m_entries;
    int m_count = 0;
    BOOL m_modified = FALSE;
};
