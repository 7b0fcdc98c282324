#pragma once
#include "dialogs/CPictureDialog.h"
#include "resources/ScreenLayouts.h"

// A yes/no confirmation: one full-window picture with a "yes" (IDOK) and a "no"
// (IDCANCEL) picture button. The opener places it, hands it the cursor set and the
// palette, and runs it modally.
class CConfirmDlg : public CPictureDialog {
  public:
    // Lays the dialog out after `screen`, which must outlive it.
    CConfirmDlg(const ScreenLayout& screen, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnPaint() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;
    // What happens once the dialog is laid out.
    virtual void OnOpened() {}

  private:
    const ScreenLayout& m_screen;
};
