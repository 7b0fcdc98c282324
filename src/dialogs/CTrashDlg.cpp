#include "dialogs/CTrashDlg.h"

#include "resources/CDialogTemplates.h"

namespace {

const CConfirmDlg::Faces kFaces = {
    "../bitmaps/trash/trash.bmp", "../bitmaps/trash/yesu.bmp", "../bitmaps/trash/yesd.bmp",
    "../bitmaps/trash/nou.bmp",   "../bitmaps/trash/nod.bmp",  CRect(138, 161, 192, 236),
    CRect(204, 161, 258, 236),
};

}  // namespace

CTrashDlg::CTrashDlg(CWnd* parent) : CConfirmDlg(CDialogTemplates::kTrash, parent, kFaces) {}

void CTrashDlg::OnOpened() {
    if (m_openSound.Load("../sounds/throw_im.wav")) {
        m_openSound.Play(CBasicSound::kInterruptingSound);
    }
}

void CTrashDlg::OnOK() {
    // The answer waits for the sound, so the child hears the picture go.
    if (m_goneSound.Load("../sounds/img_gone.wav")) m_goneSound.Play(CBasicSound::kWaitingSound);
    EndDialog(IDOK);
}
