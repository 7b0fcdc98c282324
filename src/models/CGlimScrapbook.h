#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/base/CObject.h"

class CDib;
class CGlimBook;
class CGlimImage;

// The scrapbook of saved coloured pictures: an index file listing entries, each a folder
// holding an entry file (book and scene names) with a saved canvas and thumbnail. Entries
// are tied to the scenes of the loaded books and shown by pointing a scene at its saved
// files. Every file is replaced atomically, and an entry is listed in the index only once
// its files are complete, so an interrupted save never leaves a half entry; what a save
// or a throw-away cut short leaves behind is put in order at the next load. Each kept
// picture also has a PNG copy for the grown-ups when CPictureExport is active.
class CGlimScrapbook : public CObject {
  public:
    static constexpr int kMaxEntries = 70;
    // AddEntry results besides the new entry's index.
    static constexpr int kAddFailed = -1;
    static constexpr int kScrapbookFull = -2;
    static constexpr const char* kDamagedSuffix = ".damaged";

    CGlimScrapbook() = default;
    CGlimScrapbook(const CGlimScrapbook&) = delete;
    CGlimScrapbook& operator=(const CGlimScrapbook&) = delete;

    // Reads the index (creating folder and index when missing) and the entry files. A
    // damaged index (lines it cannot use, entries without their entry file or saved
    // picture, more than 70 entries) gives what can be read: the damaged file is copied
    // beside it with kDamagedSuffix, the index is rewritten with the entries read and the
    // damage is told in the content report. Then the folder is tidied (CScrapbookTidy) and
    // complete entry folders the index lost are listed again while there is room. False
    // only when no index can be read or made.
    bool Load(const std::string& folder, const std::string& indexFile);
    // Ties entries to scenes of `books`. Entries matching no scene are held back: they are
    // not shown, but stay in the index and keep their place among the 70.
    void LinkToBooks(CGlimBook* books, int bookCount);

    // Saves `picture` (a scene of `book`) as a new entry: its canvas and a thumbnail made
    // from it. Returns the new entry's index, kScrapbookFull when 70 entries exist (held
    // back ones included), or kAddFailed when a file could not be written (nothing is
    // listed then). The PNG copy follows; its failure is only reported.
    int AddEntry(CGlimImage* picture, CGlimBook* book);
    // Rewrites entry `index`'s saved canvas and thumbnail from `picture` (the entry's own
    // scene when null) and its PNG copy. False when the entry does not exist or a file
    // could not be written.
    bool UpdateEntry(int index, CGlimImage* picture = nullptr);
    // Deletes entry `index` with its files and its PNG copy. Only files inside the
    // scrapbook folder are touched: a name leading outside, or a link, makes it refuse
    // (false, nothing deleted).
    bool DeleteEntry(int index);

    // Each returns the previously current entry; the scene of the entry left behind lets go
    // of its saved files, layers and sounds and is no longer shown.
    int Select(int index);
    int SelectPrevious();
    int SelectNext();
    CGlimImage* GetCurrentImage() const;
    CGlimBook* GetCurrentBook(bool select);
    int FindCurrentInBook() const;
    int GetCurrentIndex() const { return m_currentEntry; }
    int GetCount() const { return m_entryCount; }
    // Entries listed in the index whose book or scene is not loaded.
    int GetHeldCount() const { return static_cast<int>(m_held.size()); }
    std::string GetCurrentSavedFile() const;
    const std::string& GetScrapbookName() const { return m_scrapbookName; }
    const std::string& GetFolder() const { return m_scrapbookFolder; }
    // Entry details, empty for an index outside the entries.
    std::string GetEntryName(int index) const;
    std::string GetEntrySavedFile(int index) const;
    std::string GetEntryThumbnailFile(int index) const;
    CGlimImage* GetEntryImage(int index) const;

  private:
    struct Entry {
        CGlimBook* book = nullptr;
        CGlimImage* image = nullptr;
        std::string imageName;
        std::string name;
        std::string bookName;
        std::string imageKey;
        std::string savedFile;
        std::string thumbnailFile;
        std::string savedName;
        std::string thumbnailName;
        std::string pngName;
        bool linked = false;
    };

    bool CreateIndex();
    void ReadEntries(const std::vector<std::string>& names, std::vector<std::string>& problems);
    void RepairIndex(const std::vector<std::string>& problems);
    void TidyFolder(bool indexWasSound);
    void AdoptEntries(const std::vector<std::string>& names);
    std::vector<std::string> ListedNames() const;
    bool ReadEntry(const std::string& name, Entry& entry) const;
    void RemoveSlot(int index);
    void Leave();
    void PointAtSavedFiles();
    int Step(int delta);
    std::string EntryFolder(const std::string& name) const;
    std::string IndexPath() const { return m_scrapbookFolder + m_indexFileName; }
    std::string NewEntryName() const;
    bool WriteEntryFile(const Entry& entry) const;
    bool WritePictures(const Entry& entry, CDib& canvas, CGlimImage& picture) const;
    void ExportPicture(Entry& entry, const CDib& canvas);
    bool AppendIndexLine(const std::string& name) const;
    bool RemoveIndexLine(const std::string& name, bool& found) const;
    bool IsSafeToDelete(const Entry& entry) const;

    std::array<Entry, kMaxEntries> m_entries;
    int m_entryCount = 0;
    std::vector<Entry> m_held;
    int m_currentEntry = -1;
    std::string m_scrapbookFolder;
    std::string m_indexFileName;
    std::string m_scrapbookName;
};
