#pragma once
#include "platform/base/WinTypes.h"

class CWnd;

// What a dialog's DoDataExchange works on: the dialog, and the direction.
class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds `control` to the dialog's control `id`: the object takes over that control's window
// (done once; later exchanges leave it alone).
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
