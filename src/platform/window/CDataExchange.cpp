#include "platform/window/CDataExchange.h"

#include "platform/window/CWnd.h"

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (exchange == nullptr || exchange->m_pDlgWnd == nullptr) return;
    if (control.GetSafeHwnd() != nullptr) return;
    exchange->m_pDlgWnd->SubclassDlgItem(id, &control);
}
