#include "platform/window/CDialog.h"

#include <memory>

#include "platform/backend/Backend.h"
#include "platform/window/CButton.h"
#include "platform/window/CStatic.h"
#include "platform/window/CWndImpl.h"
#include "platform/window/CommandRoute.h"
#include "platform/window/MessageLoop.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

const DialogTemplate* CDialog::GetDialogTemplate() const {
    return FindDialogTemplate(m_templateId);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parent = parent;
    if (!CreateDialogWindow(parent)) return FALSE;
    const DialogTemplate* t = GetDialogTemplate();
    if (t != nullptr && (t->style & WS_VISIBLE) != 0) ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::CreateDialogWindow(CWnd* parent) {
    const DialogTemplate* t = GetDialogTemplate();
    CRect rect = t != nullptr ? t->rect : CRect();
    if (t != nullptr && (t->style & DS_CENTER) != 0) {
        const CSurface& display = GetBackend().Surface();
        rect = CRect(
            CPoint((display.Width() - rect.Width()) / 2, (display.Height() - rect.Height()) / 2),
            rect.Size());
    }
    if (!CreateEx(WS_POPUP, rect, parent, 0)) return FALSE;
    if (t != nullptr) {
        for (const DialogTemplate::Item& item : t->items) AddControl(item);
    }
    OnInitDialog();
    return GetSafeHwnd() != nullptr ? TRUE : FALSE;
}

CWnd* CDialog::AddControl(const DialogTemplate::Item& item) {
    std::unique_ptr<CWnd> control;
    if (item.kind == DialogTemplate::Kind::Button) {
        control = std::make_unique<CButton>();
    } else {
        control = std::make_unique<CStatic>();
    }
    control->SetWindowText(item.text);
    if (!control->CreateEx(item.style | WS_CHILD, item.rect, this, static_cast<UINT>(item.id))) {
        return nullptr;
    }
    m_impl->ownedControls.push_back(std::move(control));
    return m_impl->ownedControls.back().get();
}

int CDialog::DoModal() {
    m_result = -1;
    m_endRequested = false;
    CWnd* owner = m_parent != nullptr ? m_parent->GetTopLevelParent() : nullptr;
    const bool ownerWasEnabled = owner != nullptr && owner->IsWindowEnabled();
    if (ownerWasEnabled) owner->EnableWindow(FALSE);
    m_inModalLoop = true;
    if (CreateDialogWindow(m_parent)) RunModalLoop();
    m_inModalLoop = false;
    if (ownerWasEnabled && owner->GetSafeHwnd() != nullptr) owner->EnableWindow(TRUE);
    DestroyWindow();
    if (ownerWasEnabled && owner->GetSafeHwnd() != nullptr && owner->IsWindowVisible()) {
        owner->ShowWindow(SW_SHOW);
    }
    return m_result;
}

void CDialog::RunModalLoop() {
    // The dialog appears before its loop handles anything.
    if (!IsWindowVisible()) ShowWindow(SW_SHOW);
    while (!m_endRequested && GetSafeHwnd() != nullptr) {
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Every loop up the chain ends too.
                PostQuitMessage(static_cast<int>(msg.wParam));
                m_result = -1;
                return;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }
        WaitMessage();
    }
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_endRequested = true;
    if (!m_inModalLoop) ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    static constexpr CommandRoute<CDialog> kRoutes[] = {
        {IDOK, &CDialog::OnOK},
        {IDCANCEL, &CDialog::OnCancel},
    };
    if (RouteCommand<CDialog>(*this, LOWORD(wParam), kRoutes)) return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

void CDialog::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_RETURN) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    } else if (key == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    } else {
        CWnd::OnKeyDown(key, repeat, flags);
    }
}

void CDialog::OnClose() {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
}
