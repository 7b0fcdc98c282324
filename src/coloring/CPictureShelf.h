#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "coloring/CPictureKeeper.h"
#include "coloring/CRecoveryWriter.h"
#include "models/CBookCatalogue.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"
#include "models/CSetAsidePictures.h"

class CPalette;

// The books the child colours from (the scribble pad in front of the story books), the
// scrapbook, the book whose picture is current and whether that picture was coloured
// since it was last kept. A picture counts as coloured only when its canvas differs from
// how it was when it became current or was last kept. The picture being coloured is also
// written to a recovery slot in the user's folder, which brings it back after the program
// was stopped any way at all, and a picture the scrapbook cannot take is set aside.
class CPictureShelf {
  public:
    // Only the current scene holds its layers, so a book on the shelf costs little memory.
    static constexpr int kBookCapacity = 8;

    CPictureShelf();

    // Loads the scribble pad, the story books and scrapbook the catalogue names and the
    // books added to the user's folder (see CUserBooks). A book
    // named by a path must load: while it loads `holdStartup(true)` holds the start-up (a
    // message box may run), and when it cannot be found the child is told and the result
    // is false. A missing catalogue is told too, but leaves an empty shelf that works.
    bool Load(const std::function<void(bool)>& holdStartup);

    CGlimBook* GetStoryBooks() { return &m_books[1]; }
    int GetBookCount() const { return m_bookCount; }
    // Book `index` counting from the first story book, the scribble pad being -1; null
    // outside the shelf.
    CGlimBook* BookAt(int index);
    CGlimScrapbook& GetScrapbook() { return m_scrapbook; }

    CGlimBook* GetPictureBook() { return m_pictureBook; }
    CGlimImage* GetCurrentPicture();
    // The story book becomes the picture book, at its first scene.
    void OpenStory();
    // Makes `picture` of `book` current; `entryIndex` is the scrapbook entry it came from
    // or -1.
    void MakeCurrent(CGlimBook* book, CGlimImage* picture, int entryIndex);
    // The next (`step` > 0) or previous scene; from the scribble pad, back to the story.
    void TurnPage(int step);
    // Shows `picture` as it was last kept, when it was.
    void RestoreKept(CGlimImage* picture) { m_keeper.Restore(picture); }

    void NoteColoured();
    void NoteChanged() { m_unsaved = true; }
    bool IsTouched() const { return m_touched; }
    // Whether a pixel of the current picture changed since it was shown or kept.
    bool HasUnsavedColouring() const;
    // The current picture is on show as it starts out: what later colouring is compared to.
    void NoteShown();
    // Keeps the current picture in the scrapbook when it changed; Saved when it had not.
    CPictureKeeper::Result KeepColouring();
    // KeepColouring when nobody may be there to answer a message (the system stops the
    // program): a picture that cannot be kept is told on standard error only.
    void KeepColouringUnattended();

    // Recovery: queues the current picture for the recovery slot when it changed since it
    // was last written there; the screen does not wait for the disk.
    void WriteRecovery();
    // Whether a recovery write on the writer thread failed and is not told yet.
    bool RecoveryFailed() const { return m_recovery.HasFailure(); }
    // Brings back the picture that was current when the program last ended, as it was
    // then: a picture left in the recovery slot goes into the scrapbook first (or is set
    // aside when the scrapbook is full). Before anything is shown.
    void ComeBack();
    // Writes which picture is current, so the next start comes back to it.
    void RememberCurrent();

    // Leaving a picture the scrapbook is too full for: HoldForLater writes it to the
    // recovery slot (the scrapbook screen may release it), SettleHeld then keeps it in the
    // scrapbook when a picture was thrown away, or else sets it aside. Both return false
    // when a file could not be written.
    bool HoldForLater();
    bool SettleHeld();
    // Sets the current picture aside after it could not be kept; false when that fails too.
    bool SetAsideCurrent();
    // Puts set-aside pictures back into the scrapbook while it has room; true when the
    // current picture took one (it is to be shown again).
    bool ReturnSetAside();
    int GetSetAsideCount() const { return m_setAside.GetCount(); }

    // The file (or folder) and errno of the last write of a picture that failed; false when
    // none failed.
    bool LastFailure(std::string& path, int& error);

    // Where the recovery slot and set-aside pictures live (tests use their own folders).
    void SetRescueFolders(const std::string& recovery, const std::string& setAside);

  private:
    bool LoadBook(CGlimBook& book, const CBookCatalogue::Line& line,
                  const std::function<void(bool)>& holdStartup);
    CPictureSlot::Label LabelOf(CGlimBook* book, CGlimImage* picture) const;
    bool FindScene(const CPictureSlot::Label& label, CGlimBook*& book, CGlimImage*& scene);
    // Keeps the recovered canvas at `canvasPath` as `scene`'s picture.
    CPictureKeeper::Result KeepRecovered(CGlimBook* book, CGlimImage* scene,
                                         const std::string& canvasPath);
    // The scene that took set-aside picture `index` back, or null when it stays aside.
    CGlimImage* ReturnOneSetAside(int index);
    bool NoteKept();
    // Remembers why the write just done failed: the file a replacement failed on, or else
    // `folder` with the system's last reason.
    void NoteFailure(const std::string& folder);

    // The scribble pad sits directly in front of the story books, as book -1.
    // On the heap: a book keeps the descriptions of all its scenes, which would take
    // megabytes of the stack the screen lives on.
    std::vector<CGlimBook> m_books = std::vector<CGlimBook>(1 + kBookCapacity);
    int m_bookCount = 0;
    CGlimBook* m_pictureBook = nullptr;
    CGlimScrapbook m_scrapbook;
    CPictureKeeper m_keeper;
    bool m_touched = false;
    bool m_unsaved = false;
    // Fingerprints of the current canvas as shown or kept and as last written for recovery.
    std::uint64_t m_keptPrint = 0;
    bool m_hasKeptPrint = false;
    std::uint64_t m_recoveredPrint = 0;
    CGlimBook* m_heldBook = nullptr;
    CGlimImage* m_heldPicture = nullptr;
    std::string m_failedPath;
    int m_failedError = 0;
    CSetAsidePictures m_setAside;
    CRecoveryWriter m_recovery;
};
