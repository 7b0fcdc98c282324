#include "coloring/CKeepNotices.h"

#include "platform/window/MessageBox.h"

void CKeepNotices::AskForRoom() {
    AfxMessageBox(ChildMessage::ScrapbookFull,
                  "The scrapbook is full. Throw a picture away to make room for this one.");
}

bool CKeepNotices::TellNotSaved() {
    if (m_toldNotSaved) return false;
    m_toldNotSaved = true;
    AfxMessageBox(ChildMessage::SaveFailed, "The picture could not be saved in the scrapbook.");
    return true;
}
