#pragma once
#include "dialogs/CPictureButton.h"
#include "imaging/CDib.h"
#include "platform/CDialog.h"
#include "platform/DialogTemplate.h"
#include "sound/CBasicSound.h"

class CCursor;
class CPalette;

// The print confirmation: "yes" (IDOK) prints, "no" (IDCANCEL) does not, and a toggle
// picture says whether the picture's text is printed too. The opener places it, hands it
// the cursor set and the palette, runs it modally and then reads the print-text flag.
class CPrintDlg : public CDialog {
  public:
    static constexpr UINT kTemplateId = 161;
    static constexpr int kTextToggleId = 1110;
    static constexpr int kPlaceholderId = 1098;

    explicit CPrintDlg(CWnd* parent = nullptr);
    const char* GetRuntimeClassName() const override { return "CPrintDlg"; }

    // x, y, width, height in screen pixels; a width or height of 0 takes the picture's size.
    void SetPosition(int x, int y, int width, int height);
    void SetCursorObject(CCursor* cursor);
    void SetPalette(CPalette* palette) { m_palette = palette; }
    bool GetPrintText() const { return m_printText; }
    const CRect& GetPosition() const { return m_position; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    void Realize(CDC& dc);

    CDib m_background;
    CDib m_yesUp;
    CDib m_yesDown;
    CDib m_noUp;
    CDib m_noDown;
    CDib m_textUp;
    CDib m_textDown;
    CPictureButton m_yes;
    CPictureButton m_no;
    CPictureButton m_text;
    CBasicSound m_sound;
    CRect m_position;
    CPalette* m_palette = nullptr;
    CCursor* m_cursor = nullptr;
    bool m_printText = true;
};
