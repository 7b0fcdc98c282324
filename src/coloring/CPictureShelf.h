#pragma once
#include <array>
#include <functional>
#include <vector>

#include "coloring/CPictureKeeper.h"
#include "models/CBookCatalogue.h"
#include "models/CGlimBook.h"
#include "models/CGlimScrapbook.h"

class CPalette;

// The books the child colours from (the scribble pad in front of the story books), the
// scrapbook, the book whose picture is current and whether that picture was coloured
// since it was last kept.
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
    bool HasUnsavedColouring() const { return m_unsaved; }
    // Keeps the current picture in the scrapbook when it changed; Saved when it had not.
    CPictureKeeper::Result KeepColouring();
    // KeepColouring when nobody may be there to answer a message (the system stops the
    // program): a picture that cannot be kept is told on standard error only.
    void KeepColouringUnattended();

  private:
    bool LoadBook(CGlimBook& book, const CBookCatalogue::Line& line,
                  const std::function<void(bool)>& holdStartup);

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
};
