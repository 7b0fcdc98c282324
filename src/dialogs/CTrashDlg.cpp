#include "dialogs/CTrashDlg.h"

#include "resources/ContentPaths.h"

CTrashDlg::CTrashDlg(CWnd* parent) : CConfirmDlg(ScreenLayouts::Trash::kScreen, parent) {}

void CTrashDlg::OnOpened() {
    if (m_openSound.Load(ContentPaths::kTrashAskSound)) {
        m_openSound.Play(CBasicSound::kInterruptingSound);
    }
}

void CTrashDlg::OnOK() {
    // The answer waits for the sound, so the child hears the picture go.
    if (m_goneSound.Load(ContentPaths::kTrashGoneSound))
        m_goneSound.Play(CBasicSound::kWaitingSound);
    EndDialog(IDOK);
}
