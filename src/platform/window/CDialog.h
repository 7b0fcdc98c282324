#pragma once
#include "platform/window/CDataExchange.h"
#include "platform/window/CWnd.h"
#include "platform/window/DialogTemplate.h"

// A dialog: a top-level window built from a template (its own, or one registered by id),
// run modally with DoModal until EndDialog, or modelessly with Create.
//
// Keys: Return sends WM_COMMAND IDOK and Escape IDCANCEL, whose default handling calls
// OnOK and OnCancel; both end a modal dialog unless overridden. Closing the window
// (system close) counts as IDCANCEL.
class CDialog : public CWnd {
  public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Modeless: builds the window and its controls and initialises it.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs a nested message loop until EndDialog; the owner is disabled meanwhile.
    // Returns the EndDialog result, -1 when the window could not be made or the
    // program is quitting.
    virtual int DoModal();
    void EndDialog(int result);
    bool IsModalLoopRunning() const { return m_inModalLoop; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* exchange);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Adds a control of the template's kinds (owned by the dialog).
    CWnd* AddControl(const DialogTemplate::Item& item);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnClose() override;

  protected:
    // The layout this dialog is built from: by default the template registered under
    // its id. Dialogs that carry their own table override it.
    virtual const DialogTemplate* GetDialogTemplate() const;

  private:
    BOOL CreateDialogWindow(CWnd* parent);
    void RunModalLoop();

    UINT m_templateId = 0;
    CWnd* m_parent = nullptr;
    int m_result = -1;
    bool m_endRequested = false;
    bool m_inModalLoop = false;
};
