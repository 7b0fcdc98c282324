#pragma once
#include <string>

#include "dialogs/CPictureButton.h"
#include "imaging/CDib.h"
#include "platform/CDialog.h"

class CCursor;
class CPalette;

// A yes/no confirmation: one full-window picture with a "yes" (IDOK) and a "no"
// (IDCANCEL) picture button. The opener places it, hands it the cursor set and the
// palette, and runs it modally.
class CConfirmDlg : public CDialog {
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
    const char* GetRuntimeClassName() const override { return "CConfirmDlg"; }

    // x, y, width, height in screen pixels; a width or height of 0 takes the picture's size.
    void SetPosition(int x, int y, int width, int height);
    void SetCursorObject(CCursor* cursor);
    void SetPalette(CPalette* palette) { m_palette = palette; }
    const CRect& GetPosition() const { return m_position; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnCancel() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;
    // What happens once the dialog is laid out.
    virtual void OnOpened() {}
    CCursor* GetCursorObject() const { return m_cursor; }

  private:
    void Realize(CDC& dc);

    UINT m_templateId;
    Faces m_faces;
    CDib m_background;
    CDib m_yesUp;
    CDib m_yesDown;
    CDib m_noUp;
    CDib m_noDown;
    CPictureButton m_yes;
    CPictureButton m_no;
    CRect m_position;
    CPalette* m_palette = nullptr;
    CCursor* m_cursor = nullptr;
};
