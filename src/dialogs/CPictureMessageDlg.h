#pragma once
#include <string>

#include "dialogs/CPictureDialog.h"
#include "platform/window/ChildMessage.h"
#include "resources/ScreenLayouts.h"
#include "sound/CBasicSound.h"

// A message to the child as a picture: the kind's picture over the whole window, its voice
// played as it opens, the English caption small in a corner for grown-ups, and a tick that
// closes it (Return and Escape close it too). It opens where the screens' pop-ups do, over
// the screen that is active.
class CPictureMessageDlg : public CPictureDialog {
  public:
    static constexpr UINT kTemplateId = ScreenLayouts::Message::kScreen.templateId;
    static constexpr int kOkId = ScreenLayouts::Message::kOk.id;

    CPictureMessageDlg(ChildMessage kind, std::string caption, CWnd* parent);

    ChildMessage GetKind() const { return m_kind; }
    const std::string& GetCaption() const { return m_caption; }
    // Places the dialog where pop-ups open over `screen` (null: over the display's corner).
    void PlaceOver(const CWnd* screen);

    BOOL OnInitDialog() override;
    void OnPaint() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    void PaintCaption(CDC& dc);

    ChildMessage m_kind;
    std::string m_caption;
    // Owned here so the voice's data lives as long as the dialog.
    CBasicSound m_voice;
};
