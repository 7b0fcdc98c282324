#pragma once
#include "dialogs/CPictureDialog.h"
#include "resources/ScreenLayouts.h"
#include "sound/CBasicSound.h"

// The print confirmation: "yes" (IDOK) prints, "no" (IDCANCEL) does not, and a toggle
// picture says whether the picture's text is printed too. The opener places it, hands it
// the cursor set and the palette, runs it modally and then reads the print-text flag.
class CPrintDlg : public CPictureDialog {
  public:
    static constexpr UINT kTemplateId = ScreenLayouts::Print::kScreen.templateId;
    static constexpr int kTextToggleId = ScreenLayouts::Print::kTextToggle.id;
    static constexpr int kPlaceholderId = ScreenLayouts::kPlaceholderId;

    explicit CPrintDlg(CWnd* parent = nullptr);

    bool GetPrintText() const { return m_printText; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    CBasicSound m_sound;
    bool m_printText = true;
};
