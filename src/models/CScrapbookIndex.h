#pragma once
#include <string>
#include <vector>

// The scrapbook's index file: the scrapbook's name ("bookname=" line) and one "image="
// line per entry, in order. Parsing keeps whatever can be used and notes in a sentence
// each kind of damage it passed over: lines that are neither kind, over-long lines, entry
// names that would lead out of the scrapbook folder and entries listed twice.
class CScrapbookIndex {
  public:
    // Longer lines are damage; no line the program writes comes near it.
    static constexpr std::size_t kMaxLineBytes = 255;

    // Parses `text` (CR LF lines, as CContentText reads them).
    void Parse(const std::string& text);
    // The "bookname=" value, empty when there is none.
    const std::string& GetName() const { return m_name; }
    const std::vector<std::string>& GetEntryNames() const { return m_entryNames; }
    const std::vector<std::string>& GetProblems() const { return m_problems; }

    // The text of an index naming the scrapbook `name` (the default when empty) and listing
    // `entryNames`.
    static std::string Compose(const std::string& name, const std::vector<std::string>& entryNames);
    // The text of a new, empty index.
    static std::string NewIndex() { return Compose("", {}); }
    // Adds "COUNT WHAT" to `problems` when `count` is not 0.
    static void Note(std::vector<std::string>& problems, int count, const std::string& what);

  private:
    void AddEntryName(const std::string& name, int& unusable, int& twice);

    std::string m_name;
    std::vector<std::string> m_entryNames;
    std::vector<std::string> m_problems;
};
