#pragma once
#include <array>
#include <string>

#include "platform/base/CObject.h"

class CGlimBook;
class CGlimImage;

// The scrapbook of saved coloured pictures: an index file listing entries, each a folder
// holding an entry file (book and scene names) with a saved canvas and thumbnail. Entries
// are tied to the scenes of the loaded books and shown by pointing a scene at its saved
// files. Every file is replaced atomically, and an entry is listed in the index only once
// its files are complete, so an interrupted save never leaves a half entry.
class CGlimScrapbook : public CObject {
  public:
    static constexpr int kMaxEntries = 70;
    // AddEntry results besides the new entry's index.
    static constexpr int kAddFailed = -1;
    static constexpr int kScrapbookFull = -2;

    CGlimScrapbook() = default;
    CGlimScrapbook(const CGlimScrapbook&) = delete;
    CGlimScrapbook& operator=(const CGlimScrapbook&) = delete;

    // Reads the index (creating folder and index when missing) and the entry files.
    bool Load(const std::string& folder, const std::string& indexFile);
    // Ties entries to scenes of `books`; entries matching no scene are dropped (not on disk).
    void LinkToBooks(CGlimBook* books, int bookCount);

    // Saves `picture` (a scene of `book`) as a new entry: its canvas and a thumbnail made
    // from it. Returns the new entry's index, kScrapbookFull when 70 entries exist, or
    // kAddFailed when a file could not be written (nothing is listed then).
    int AddEntry(CGlimImage* picture, CGlimBook* book);
    // Rewrites entry `index`'s saved canvas and thumbnail from `picture` (the entry's own
    // scene when null). False when the entry does not exist or a file could not be written.
    bool UpdateEntry(int index, CGlimImage* picture = nullptr);
    // Deletes entry `index` with its files. Only files inside the scrapbook folder are
    // touched: a name leading outside, or a link, makes it refuse (false, nothing deleted).
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
        bool linked = false;
    };

    bool CreateIndex();
    bool ReadEntry(const std::string& name, Entry& entry) const;
    void RemoveSlot(int index);
    void Leave();
    void PointAtSavedFiles();
    int Step(int delta);
    std::string EntryFolder(const std::string& name) const;
    std::string IndexPath() const { return m_scrapbookFolder + m_indexFileName; }
    std::string NewEntryName() const;
    bool WriteEntryFiles(const Entry& entry, CGlimImage& picture) const;
    bool WritePictures(const Entry& entry, CGlimImage& picture) const;
    bool AppendIndexLine(const std::string& name) const;
    bool RemoveIndexLine(const std::string& name, bool& found) const;
    bool IsSafeToDelete(const Entry& entry) const;

    std::array<Entry, kMaxEntries> m_entries;
    int m_entryCount = 0;
    int m_currentEntry = -1;
    std::string m_scrapbookFolder;
    std::string m_indexFileName;
    std::string m_scrapbookName;
};
