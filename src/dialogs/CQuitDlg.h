#pragma once
#include "dialogs/CConfirmDlg.h"

// "Do you want to stop colouring?": IDOK leaves the coloring screen, IDCANCEL goes back.
class CQuitDlg : public CConfirmDlg {
  public:
    explicit CQuitDlg(CWnd* parent);

    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

  protected:
    void OnOpened() override;
};
