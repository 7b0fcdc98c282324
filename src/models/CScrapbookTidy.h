#pragma once
#include <functional>
#include <string>
#include <vector>

// Puts the scrapbook folder in order when it is loaded. A save or a throw-away cut short
// (the program killed half-way) can leave temporary files of unfinished replacements and
// entry folders the index does not list. Temporary files go everywhere. An unlisted entry
// folder is complete when its entry file and both its pictures are there (a save that
// died just before its index line): it is offered back to the scrapbook. One without its
// saved picture holds nothing worth keeping and is cleared away; anything else is left
// as it is. Links, and folders that are not entry folders, are never touched.
class CScrapbookTidy {
  public:
    // What an entry folder's entry file names; without an entry file, the names a new
    // entry would have.
    struct EntryFiles {
        bool described = false;
        std::string saved;
        std::string thumbnail;
    };
    using EntryReader = std::function<EntryFiles(const std::string& name)>;

    // `folder` as the scrapbook names it (CDataFolders maps it to the user's copy).
    CScrapbookTidy(std::string folder, EntryReader reader);

    // Tidies the folder, where `listed` are the entries the index lists. Folders without
    // their saved picture are cleared only when `clearHalfMade` (a damaged index may have
    // lost the line of a folder). Returns the unlisted complete entry folders, by name.
    std::vector<std::string> Tidy(const std::vector<std::string>& listed, bool clearHalfMade);

  private:
    enum class State { Complete, HalfMade, Unfinished };

    State Inspect(const std::string& name, EntryFiles& files) const;
    void Clear(const std::string& name, const EntryFiles& files) const;
    std::string OnDisk(const std::string& name) const;

    std::string m_folder;
    std::string m_onDisk;
    EntryReader m_reader;
};
