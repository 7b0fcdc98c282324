#pragma once
#include <string>

#include "dialogs/CPictureDialog.h"
#include "sound/CBasicSound.h"

// A message for a child who may not read yet: one picture (drawn by the content kit, its
// words written small beneath it for a grown-up) filling a pop-up, and a spoken line that
// plays as it opens. A click anywhere or a key closes it. The opener places it, hands it
// the cursor set and the palette, and runs it modally.
class CNoticeDlg : public CPictureDialog {
  public:
    static constexpr UINT kTemplateId = 190;

    CNoticeDlg(const std::string& picturePath, const std::string& voicePath, std::string caption,
               CWnd* parent);

    const std::string& GetCaption() const { return m_caption; }

    BOOL OnInitDialog() override;
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnOK() override;
    void OnCancel() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    std::string m_voicePath;
    std::string m_caption;
    CBasicSound m_voice;
};
