#include "app/CMessagePresenter.h"

#include <utility>

#include "dialogs/CPictureMessageDlg.h"
#include "platform/window/MessageLoop.h"

CMessagePresenter::CMessagePresenter()
    : m_previous(SetMessageBoxHandler(
          [this](ChildMessage kind, const std::string& caption) { Present(kind, caption); })) {}

CMessagePresenter::~CMessagePresenter() {
    SetMessageBoxHandler(std::move(m_previous));
}

void CMessagePresenter::Present(ChildMessage kind, const std::string& caption) {
    if (m_showing) return;
    m_showing = true;
    CWnd* screen = GetActiveWindow();
    CPictureMessageDlg dialog(kind, caption, screen);
    dialog.PlaceOver(screen);
    dialog.DoModal();
    m_showing = false;
}
