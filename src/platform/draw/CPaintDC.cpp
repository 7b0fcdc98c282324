#include "platform/draw/CPaintDC.h"

#include "platform/window/CWnd.h"

namespace {

CRect UpdateRectOf(CWnd* wnd) {
    CRect update;
    wnd->GetUpdateRect(&update);
    return update;
}

}  // namespace

CPaintDC::CPaintDC(CWnd* wnd) : CWindowDC(wnd, UpdateRectOf(wnd)) {
    m_ps.hdc = this;
    wnd->BeginPaint(&m_ps);
}

CPaintDC::~CPaintDC() {
    GetWindow()->EndPaint(&m_ps);
}
