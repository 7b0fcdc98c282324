#include "dialogs/CPrintDlg.h"

#include <array>
#include <string>

#include "platform/draw/CPaintDC.h"

namespace {

constexpr const char* kFolder = "../bitmaps/print/";

const std::array<PictureFace, 3> kFaces = {{
    {IDOK, "yes", "yesu.bmp", "yesd.bmp", nullptr, CRect(138, 161, 138 + 54, 161 + 75)},
    {IDCANCEL, "no", "nou.bmp", "nod.bmp", nullptr, CRect(204, 161, 204 + 54, 161 + 75)},
    {CPrintDlg::kTextToggleId, "Text Toggle", "textu.bmp", "textd.bmp", nullptr,
     CRect(132, 88, 132 + 130, 88 + 28)},
}};

// The layout: the full-window placeholder first so the buttons lie above it.
DialogTemplate MakeTemplate() {
    DialogTemplate t;
    t.id = CPrintDlg::kTemplateId;
    t.style = WS_POPUP;
    t.rect = CRect(0, 0, 399, 264);
    t.items.push_back(
        {CPrintDlg::kPlaceholderId, DialogTemplate::Kind::Static, t.rect, WS_VISIBLE, ""});
    CPictureDialog::AddFaceItems(t, kFaces);
    return t;
}

}  // namespace

CPrintDlg::CPrintDlg(CWnd* parent) : CPictureDialog(kTemplateId, parent) {
    const std::string folder = kFolder;
    GetBackground().Load(folder + "print.bmp");
    AddButtons(folder, kFaces);
    GetButton(kTextToggleId).SetMode(CPictureButton::Mode::Toggle);
    m_sound.Load("../sounds/print.wav");
}

const DialogTemplate* CPrintDlg::GetDialogTemplate() const {
    static const DialogTemplate layout = MakeTemplate();
    return &layout;
}

BOOL CPrintDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE);
    PlaceOverWindow(kPlaceholderId);
    PlaceButtons(FALSE);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_sound.Play(CBasicSound::kInterruptingSound);
    // The focus stays where it was.
    return FALSE;
}

BOOL CPrintDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kTextToggleId) {
        GetButton(kTextToggleId).Click();
        m_printText = !m_printText;
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPrintDlg::OnPaint() {
    {
        CPaintDC dc(this);
        PaintBackgroundAsStored(dc);
    }
    // Painted over and over while shown, so nothing drawn across it lingers.
    Invalidate(TRUE);
}
