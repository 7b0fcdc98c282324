#pragma once
#include "dialogs/CPictureDialog.h"

// A yes/no confirmation: one full-window picture with a "yes" (IDOK) and a "no"
// (IDCANCEL) picture button. The opener places it, hands it the cursor set and the
// palette, and runs it modally.
class CConfirmDlg : public CPictureDialog {
  public:
    struct Faces {
        const char* background;
        const char* yesUp;
        const char* yesDown;
        const char* noUp;
        const char* noDown;
        CRect yesRect;
        CRect noRect;
    };

    CConfirmDlg(UINT templateId, CWnd* parent, const Faces& faces);

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnPaint() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;
    // What happens once the dialog is laid out.
    virtual void OnOpened() {}

  private:
    UINT m_templateId;
};
