#pragma once
#include "imaging/CDib.h"
#include "platform/window/CDialog.h"

// The screen shown until the coloring screen takes its place: the background picture,
// 640 x 480, centred over the backdrop. Escape closes it.
class CPlaceholderDlg : public CDialog {
  public:
    explicit CPlaceholderDlg(CWnd* parent);

    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnOK() override {}

  private:
    CDib m_background;
};
