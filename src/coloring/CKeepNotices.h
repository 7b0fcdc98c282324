#pragma once
#include <string>

class CCursor;
class CPalette;
class CWnd;

// What the child is told when a picture cannot go into the scrapbook: a picture and a
// spoken line each, over the screen they are on. A failed write is told only the first
// time; the full scrapbook every time it stands in the way.
class CKeepNotices {
  public:
    enum class Notice { ScrapbookFull, NotSaved };

    // The words of each notice, spoken and written under its picture.
    static const char* CaptionOf(Notice notice);

    void SetLook(CCursor* cursor, CPalette* palette);
    // Asks the child to throw a picture away to make room.
    void AskForRoom(CWnd& over);
    // Tells the child a picture could not be saved; false when that was told already.
    bool TellNotSaved(CWnd& over);

  private:
    void Show(CWnd& over, Notice notice);

    CCursor* m_cursor = nullptr;
    CPalette* m_palette = nullptr;
    bool m_toldNotSaved = false;
};
