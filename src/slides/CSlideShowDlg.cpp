#include "slides/CSlideShowDlg.h"

#include "imaging/CCursor.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CGlimScrapbook.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/CommandRoute.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "resources/CDialogTemplates.h"
#include "resources/ContentPaths.h"

namespace {

// While the pause waits for nothing, it gives the processor back this long.
constexpr DWORD kIdleSliceMs = 10;

constexpr CRect kSlideRect = ScreenLayouts::SlideShow::kSlideArea.rect;

}  // namespace

CSlideShowDlg::CSlideShowDlg(CWnd* parent) : CPictureDialog(kTemplateId, parent) {
    const ScreenLayout& screen = ScreenLayouts::SlideShow::kScreen;
    GetBackground().Load(screen.BackgroundPath());
    AddButtons(screen);
    GetButton(kUseScript).SetMode(CPictureButton::Mode::Toggle);
    m_slideChangeSound.Load(ContentPaths::kSlideChangeSound);
    m_mySlidesSound.Load(ContentPaths::kMySlidesSound);
    m_storySlidesSound.Load(ContentPaths::kStorySlidesSound);
}

// Voice-overs loaded for the show are let go, except by the pictures the screens below
// still show (their files and layers stay as they are). A voice-over still playing keeps
// its data with the player.
CSlideShowDlg::~CSlideShowDlg() {
    if (m_book == nullptr) return;
    CGlimImage* kept = m_scrapbook != nullptr ? m_scrapbook->GetCurrentImage() : nullptr;
    for (int index : m_spoken) {
        CGlimImage* image = m_book->GetImage(index);
        if (image != nullptr && image != kept && image != m_book->GetCurrentImage())
            image->ReleaseAll();
    }
}

const DialogTemplate* CSlideShowDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

BOOL CSlideShowDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(TRUE, CSize(640, 480));
    if (CWnd* area = GetDlgItem(kSlideArea))
        area->MoveWindow(kSlideRect.left, kSlideRect.top, kSlideRect.Width(), kSlideRect.Height());
    PlaceButtons(TRUE);
    m_slideIndex = 0;
    m_useScript = true;
    if (!LoadSlide(0)) return TRUE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_ready = false;
    Post(kPlay);
    return TRUE;
}

void CSlideShowDlg::Post(int command) {
    PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), BN_CLICKED));
}

bool CSlideShowDlg::LoadSlide(int index) {
    if (m_book == nullptr) return false;
    const std::string path = m_book->GetSlidePath(index, m_useScript);
    if (path.empty()) return false;
    if (!m_slide.Load(path)) {
        AfxMessageBox(ChildMessage::ContentMissing, kLoadFailed, path,
                      "cannot be opened, so the slide show stops.");
        return false;
    }
    return true;
}

void CSlideShowDlg::DrawSlide() {
    CDC* dc = GetDC();
    if (dc == nullptr) return;
    RealizePalette(*dc);
    if (m_slide.IsValid()) {
        m_slide.Paint(*dc, kSlideRect.left, kSlideRect.top, kSlideRect.Width(), kSlideRect.Height(),
                      GetPalette());
    }
    ReleaseDC(dc);
}

void CSlideShowDlg::StartVoiceOver() {
    CGlimImage* image = m_book != nullptr ? m_book->GetImage(m_slideIndex) : nullptr;
    if (image == nullptr) return;
    m_spoken.insert(m_slideIndex);
    image->PlayVoiceOver();
}

void CSlideShowDlg::EnableButtons(bool enable) {
    ForEachButton([enable](CPictureButton& button) { button.EnableWindow(enable ? TRUE : FALSE); });
    if (!enable && GetCursorObject() != nullptr) GetCursorObject()->SetShape(CursorShape::Pointer);
}

void CSlideShowDlg::Silence() {
    if (!CBasicSound::IsSoundOn()) CBasicSound::StopAll();
}

void CSlideShowDlg::PlayClick() {
    if (m_clickSound != nullptr && m_ready) m_clickSound->Play(CBasicSound::kInterruptingSound);
}

bool CSlideShowDlg::IsLastSlide() const {
    return m_book == nullptr || m_book->GetImageCount() - m_slideIndex <= 1;
}

BOOL CSlideShowDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static constexpr CommandRoute<CSlideShowDlg> kRoutes[] = {
        {kPlay, &CSlideShowDlg::OnPlay},     {kStop, &CSlideShowDlg::OnStop},
        {kRewind, &CSlideShowDlg::OnRewind}, {kForward, &CSlideShowDlg::OnForward},
        {kBack, &CSlideShowDlg::OnBack},     {kUseScript, &CSlideShowDlg::OnUseScript},
    };
    if (RouteCommand<CSlideShowDlg>(*this, LOWORD(wParam), kRoutes)) return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

void CSlideShowDlg::OnPlay() {
    m_autoPlay = true;
    PlayClick();
    EnableButtons(false);
    if (IsLastSlide()) {
        m_ready = false;
        OnRewind();
        // Rewinding pauses; playing from the start goes on.
        m_autoPlay = true;
        EnableButtons(false);
    }
    StartVoiceOver();
    if (SetTimer(kSlideTimer, kSlideTimerInterval) != 0) {
        m_ready = true;
    } else {
        EnableButtons(true);
    }
}

void CSlideShowDlg::OnTimer(UINT id) {
    if (id != kSlideTimer) return;
    // The slide-change sound waits for the voice-over to end; a missing sound waits for
    // nothing.
    if (m_slideChangeSound.IsLoaded() && !m_slideChangeSound.Play(CBasicSound::kObjectSound, true))
        return;
    KillTimer(kSlideTimer);
    EnableButtons(true);
    PauseBetweenSlides();
    if (!m_autoPlay || GetSafeHwnd() == nullptr) return;
    m_ready = false;
    Post(kForward);
}

// Four seconds during which the window stays alive: messages are handled (STOP, Exit and
// Use Script take effect when the pause ends). A quit met meanwhile is passed on after.
void CSlideShowDlg::PauseBetweenSlides() {
    const DWORD start = GetTickCount();
    bool quitSeen = false;
    int quitCode = 0;
    while (GetTickCount() - start < kPauseMs) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(kIdleSliceMs);
            continue;
        }
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (quitSeen) PostQuitMessage(quitCode);
}

void CSlideShowDlg::OnForward() {
    PlayClick();
    if (IsLastSlide()) {
        m_ready = false;
        Post(kStop);
        return;
    }
    ++m_slideIndex;
    LoadSlide(m_slideIndex);
    DrawSlide();
    EnableButtons(false);
    if (SetTimer(kSlideTimer, kSlideTimerInterval) == 0) {
        EnableButtons(true);
        return;
    }
    StartVoiceOver();
    m_ready = true;
}

void CSlideShowDlg::OnBack() {
    PlayClick();
    if (m_slideIndex <= 0) return;
    --m_slideIndex;
    LoadSlide(m_slideIndex);
    DrawSlide();
    StartVoiceOver();
    m_ready = true;
}

void CSlideShowDlg::Halt() {
    m_autoPlay = false;
    KillTimer(kSlideTimer);
    Silence();
    PlayClick();
}

void CSlideShowDlg::OnStop() {
    Halt();
    EnableButtons(true);
    m_ready = true;
}

void CSlideShowDlg::OnRewind() {
    Halt();
    m_slideIndex = 0;
    LoadSlide(0);
    DrawSlide();
    m_ready = true;
}

void CSlideShowDlg::OnUseScript() {
    m_autoPlay = false;
    Silence();
    KillTimer(kSlideTimer);
    GetButton(kUseScript).Click();
    m_useScript = !m_useScript;
    (m_useScript ? m_mySlidesSound : m_storySlidesSound).Play(CBasicSound::kWaitingSound);
    LoadSlide(m_slideIndex);
    DrawSlide();
    Post(kPlay);
}

void CSlideShowDlg::OnOK() {
    m_autoPlay = false;
    Silence();
    if (m_clickSound != nullptr) m_clickSound->Play(CBasicSound::kInterruptingSound);
    m_ready = false;
    Post(kStop);
    KillTimer(kSlideTimer);
    EndDialog(IDOK);
}

// Escape and the system close leave the player like Exit.
void CSlideShowDlg::OnCancel() {
    OnOK();
}

void CSlideShowDlg::OnPaint() {
    CRect update;
    if (!GetUpdateRect(&update)) return;
    CPaintDC dc(this);
    PaintBackground(dc, GetBackground());
    if (m_slide.IsValid()) {
        m_slide.Paint(dc, kSlideRect.left, kSlideRect.top, kSlideRect.Width(), kSlideRect.Height(),
                      GetPalette());
    }
}
