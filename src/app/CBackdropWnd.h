#pragma once
#include "platform/window/CDialog.h"

// The black window under the program's screens, covering the whole display.
class CBackdropWnd : public CDialog {
  public:
    static constexpr UINT kTemplateId = 172;

    // Creates the window at once (modeless, visible).
    CBackdropWnd();

    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;
};
