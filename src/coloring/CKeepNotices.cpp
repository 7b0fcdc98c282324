#include "coloring/CKeepNotices.h"

#include "dialogs/CNoticeDlg.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"

const char* CKeepNotices::CaptionOf(Notice notice) {
    return notice == Notice::ScrapbookFull
               ? "The scrapbook is full. Throw a picture away to make room for this one."
               : "The picture could not be saved in the scrapbook.";
}

void CKeepNotices::SetLook(CCursor* cursor, CPalette* palette) {
    m_cursor = cursor;
    m_palette = palette;
}

void CKeepNotices::AskForRoom(CWnd& over) {
    Show(over, Notice::ScrapbookFull);
}

bool CKeepNotices::TellNotSaved(CWnd& over) {
    if (m_toldNotSaved) return false;
    m_toldNotSaved = true;
    Show(over, Notice::NotSaved);
    return true;
}

void CKeepNotices::Show(CWnd& over, Notice notice) {
    const bool full = notice == Notice::ScrapbookFull;
    CNoticeDlg dialog(full ? ContentPaths::kScrapbookFullPicture : ContentPaths::kNotSavedPicture,
                      full ? ContentPaths::kScrapbookFullSound : ContentPaths::kNotSavedSound,
                      CaptionOf(notice), &over);
    CRect window;
    over.GetWindowRect(&window);
    const CRect& place = ScreenLayouts::kPopupRect;
    dialog.SetPosition(window.left + place.left, window.top + place.top, place.Width(),
                       place.Height());
    dialog.SetCursorObject(m_cursor);
    dialog.SetPalette(m_palette);
    dialog.DoModal();
}
