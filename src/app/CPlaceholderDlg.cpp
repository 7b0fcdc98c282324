#include "app/CPlaceholderDlg.h"

#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
#include "resources/ScreenLayouts.h"

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
}  // namespace

CPlaceholderDlg::CPlaceholderDlg(CWnd* parent) : CDialog(0, parent) {
    m_background.Load(ScreenLayouts::Coloring::kScreen.BackgroundPath());
}

BOOL CPlaceholderDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CClientDC measure(this);
    const int cx = measure.GetDeviceCaps(HORZRES) / 2;
    const int cy = measure.GetDeviceCaps(VERTRES) / 2;
    MoveWindow(cx - kWidth / 2, cy - kHeight / 2, kWidth, kHeight, FALSE);
    return TRUE;
}

BOOL CPlaceholderDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPlaceholderDlg::OnPaint() {
    CPaintDC dc(this);
    if (!m_background.IsValid()) {
        dc.FillSolidRect(CRect(0, 0, kWidth, kHeight), RGB(0, 0, 0));
        return;
    }
    m_background.Paint(dc, 0, 0, kWidth, kHeight, nullptr);
}
