#pragma once
#include <map>
#include <string>

class CGlimBook;
class CGlimImage;
class CGlimScrapbook;

// Keeps what the child coloured: saves a picture to the scrapbook (a new entry the first
// time, the same entry again afterwards) and points a picture that becomes current again
// at the entry it was saved to, so it shows as it was left.
class CPictureKeeper {
  public:
    enum class Result { Saved, Full, Failed };

    void SetScrapbook(CGlimScrapbook* scrapbook) { m_scrapbook = scrapbook; }

    // Writes `picture`'s canvas to its entry, or adds one.
    Result Save(CGlimImage* picture, CGlimBook* book);
    // Ties `picture` to the scrapbook entry `entryIndex` (a picture chosen from the scrapbook).
    void Remember(CGlimImage* picture, int entryIndex);
    // Shows `picture` from its saved entry when it has one that still exists.
    bool Restore(CGlimImage* picture);
    // The scrapbook entry `picture` is tied to, or -1.
    int FindEntry(CGlimImage* picture) const;
    // The name of the entry `picture` is tied to, or empty.
    std::string EntryNameOf(CGlimImage* picture) const;
    // The index of the entry named `name`, or -1.
    int FindEntryNamed(const std::string& name) const;

  private:
    CGlimScrapbook* m_scrapbook = nullptr;
    // Entry names rather than indices: deleting an entry shifts the indices after it.
    std::map<const CGlimImage*, std::string> m_entries;
};
