#include "coloring/CColoringDlg.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "coloring/CColoringLayout.h"
#include "coloring/CCrayonRing.h"
#include "coloring/CHistoryKeys.h"
#include "coloring/CNineCells.h"
#include "dialogs/CQuitDlg.h"
#include "imaging/CDitherer.h"
#include "models/CTexture.h"
#include "models/Preferences.h"
#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
#include "platform/files/CContentReport.h"
#include "platform/window/CommandRoute.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowManager.h"
#include "resources/CDialogTemplates.h"
#if __has_include("scrapbook/CScrapbookDlg.h")
#include "scrapbook/CScrapbookDlg.h"
#define TALEWICK_HAS_SCRAPBOOK_SCREEN 1
#endif

namespace {

namespace fs = std::filesystem;
using Layout = CColoringLayout;

constexpr UINT kStartupTimer = 0;
constexpr UINT kStartupInterval = 250;
// Colouring reaches the recovery slot at most this long after it was done (plus the write).
constexpr UINT kRecoveryTimer = 1;
constexpr UINT kRecoveryDelay = 2000;

int SlotOf(int id) {
    const std::span<const int> slots = Layout::TextureSlots();
    const auto at = std::find(slots.begin(), slots.end(), id);
    return at == slots.end() ? -1 : static_cast<int>(at - slots.begin());
}

}  // namespace

CColoringDlg::CColoringDlg(CWnd* parent, std::uint32_t fillSoundSeed)
    : CPictureDialog(kTemplateId, parent), m_sounds(Layout::SoundFiles(), fillSoundSeed) {
    GetBackground().Load(Layout::BackgroundFile());
    AddButtons(Layout::kBitmapFolder, Layout::Faces());
    SetCursorObject(&m_cursors);
    for (const auto& entry : Layout::ToolButtons())
        m_tools.BindButton(entry.tool, &GetButton(entry.id));
    m_fill.SetCursor(&m_cursors);
    m_fill.SetRefresh(m_pictureView.Refresher());
    m_tools.SetRefresh(m_pictureView.Refresher());
    CDitherer::CreateDitherPalette(m_palette);
    if (m_palette.IsCreated()) SetPalette(&m_palette);
}

CColoringDlg::~CColoringDlg() = default;

const DialogTemplate* CColoringDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

BOOL CColoringDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceControls();
    m_startup.Restart();
    SetTimer(kStartupTimer, kStartupInterval);
    return TRUE;
}

void CColoringDlg::InvalidateControl(int id) {
    if (CWnd* control = GetDlgItem(id)) control->InvalidateRect(nullptr, FALSE);
}

void CColoringDlg::InvalidateArea(int id) {
    const CRect area = GetControlRect(id);
    InvalidateRect(&area, FALSE);
}

CRect CColoringDlg::GetScreenRect(int id) const {
    CRect rect;
    if (CWnd* control = GetDlgItem(id)) control->GetWindowRect(&rect);
    return rect;
}

CRect CColoringDlg::GetControlRect(int id) const {
    CRect rect;
    if (CWnd* control = GetDlgItem(id)) {
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CColoringDlg::PlaceControls() {
    PlaceButtons(FALSE);
    for (const Layout::Area& area : Layout::Areas()) {
        if (CWnd* control = GetDlgItem(area.id))
            control->MoveWindow(area.rect.left, area.rect.top, area.rect.Width(),
                                area.rect.Height(), FALSE);
    }
    CentreOnDisplay();
}

void CColoringDlg::CentreOnDisplay() {
    CClientDC measure(this);
    const int cx = measure.GetDeviceCaps(HORZRES) / 2;
    const int cy = measure.GetDeviceCaps(VERTRES) / 2;
    // Windows have no frame here, so the client rectangle is the window rectangle.
    SetPosition(cx - kScreenWidth / 2, cy - kScreenHeight / 2, kScreenWidth, kScreenHeight);
    PlaceWindow(FALSE);
}

void CColoringDlg::OnWindowPosChanging(WINDOWPOS* pos) {
    CDialog::OnWindowPosChanging(pos);
    const CRect& pinned = GetPosition();
    if (pos == nullptr || pinned.IsRectEmpty()) return;
    pos->x = pinned.left;
    pos->y = pinned.top;
    pos->cx = pinned.Width();
    pos->cy = pinned.Height();
}

CPoint CColoringDlg::PointIn(int id, CPoint clientPoint) const {
    ClientToScreen(&clientPoint);
    if (CWnd* control = GetDlgItem(id)) control->ScreenToClient(&clientPoint);
    return clientPoint;
}

void CColoringDlg::OnPaint() {
    CRect update;
    if (!GetUpdateRect(&update)) return;
    CPaintDC dc(this);
    const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
    RealizePalette(dc);
    PaintStartupPhase(dc, dc.m_ps.rcPaint);
    dc.SetStretchBltMode(oldMode);
}

void CColoringDlg::PaintBackgroundCell(CDC& dc, const CRect& cell) {
    if (cell.IsRectEmpty()) return;
    GetBackground().PaintRect(dc, cell.TopLeft(), cell.Size(), cell, nullptr);
}

void CColoringDlg::PaintPictureCell(const CRect& cell, const CRect& picture) {
    if (cell.IsRectEmpty()) return;
    CRect area = cell;
    area.OffsetRect(-picture.left, -picture.top);
    if (CGlimImage* current = GetCurrentPicture()) {
        m_pictureView.DrawArea(*current, area);
    }
}

// The background is painted only around the picture, the crayon box and the colour strip,
// which paint themselves: the picture area's cells a, the crayon box's cells e inside the
// band below the picture and the strip's cells f inside the band below the box.
void CColoringDlg::PaintScreen(const CRect& update, CDC& dc) {
    const CRect picture = GetControlRect(kPictureArea);
    const CRect crayons = GetControlRect(kCrayonArea);
    const CRect strip = GetControlRect(kColourStrip);
    CRect outer = update;
    const bool whole = update.Width() == kScreenWidth && update.Height() == kScreenHeight;
    std::array<CRect, 9> a, e, f;
    CNineCells::Split(outer, picture, a);
    if (whole) {
        for (std::size_t i = 0; i < 9; ++i)
            if (i != 4) PaintBackgroundCell(dc, a[i]);
    }
    CRect below = a[7];
    CNineCells::Split(below, crayons, e);
    CRect underBox = e[7];
    CNineCells::Split(underBox, strip, f);
    for (std::size_t i = 0; i < 9; ++i) {
        if (i != 4 && i != 7) PaintBackgroundCell(dc, a[i]);
        if (i != 4 && i != 7) PaintBackgroundCell(dc, e[i]);
        if (i != 4) PaintBackgroundCell(dc, f[i]);
    }
    PaintPictureCell(a[4], picture);
    for (CBackdropAnimation& animation : m_animations) animation.Paint(dc, update);
    if (CCrayonBox* box = m_colours.GetShownBox(); box != nullptr && !e[4].IsRectEmpty()) {
        box->PaintBox(dc, crayons);
        if (const CCrayon* chosen = m_colours.GetChosenCrayon()) {
            CRect ring = chosen->GetPosition();
            ring.OffsetRect(crayons.left, crayons.top);
            CCrayonRing::Paint(dc, ring, crayons);
        }
    }
    if (!f[4].IsRectEmpty()) {
        if (const CCrayon* colour = m_colours.GetColour())
            const_cast<CCrayon*>(colour)->PaintSelected(dc, strip);
    }
}

void CColoringDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    // Nothing is drawn before the screen runs: its buttons show up together at the end.
    if (!m_startup.IsRunning() || drawItem == nullptr) return;
    const int slot = SlotOf(static_cast<int>(drawItem->CtlID));
    if (drawItem->CtlType == ODT_BUTTON && drawItem->hDC != nullptr && slot >= 0) {
        RealizePalette(*drawItem->hDC);
        PaintTextureSlot(slot, *drawItem);
    }
    CPictureDialog::OnDrawItem(controlId, drawItem);
}

// A slot is the frame picture around the swatch of the texture it holds.
void CColoringDlg::PaintTextureSlot(int slot, DRAWITEMSTRUCT& item) {
    const int id = Layout::TextureSlots()[static_cast<std::size_t>(slot)];
    CRect button;
    GetDlgItem(id)->GetClientRect(&button);
    CRect swatch = GetControlRect(Layout::Swatches()[static_cast<std::size_t>(slot)]);
    const CRect buttonInScreen = GetControlRect(id);
    swatch.OffsetRect(-buttonInScreen.left, -buttonInScreen.top);
    CDib& frame = m_slotFrame[(item.itemState & ODS_SELECTED) != 0 ? 1 : 0];
    std::array<CRect, 9> cells;
    CRect outer = button;
    CNineCells::Split(outer, swatch, cells);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i == 4 || cells[i].IsRectEmpty()) continue;
        frame.PaintRect(*item.hDC, cells[i].TopLeft(), cells[i].Size(), cells[i], nullptr);
    }
    if (CTexture* texture = m_colours.GetSlotTexture(slot))
        texture->PaintDisplay(*item.hDC, swatch);
}

BOOL CColoringDlg::OnQueryNewPalette() {
    return m_palette.OnQueryNewPalette(*this);
}

void CColoringDlg::OnPaletteChanged(CWnd* focusWnd) {
    m_palette.OnPaletteChanged(*this, focusWnd);
}

void CColoringDlg::OnTimer(UINT id) {
    if (id == kRecoveryTimer) {
        KillTimer(kRecoveryTimer);
        m_recoveryArmed = false;
        if (m_shelf.RecoveryFailed()) ReportFailedWrite();
        m_shelf.WriteRecovery();
        return;
    }
    if (m_startup.IsHalted()) return;
    for (CBackdropAnimation& animation : m_animations)
        if (animation.OnTimer(*this, id)) return;
    if (id != kStartupTimer) {
        AfxMessageBox(ChildMessage::ContentMissing, "Timed out");
        CDialog::OnTimer(id);
        return;
    }
    m_startup.Tick();
    CDialog::OnTimer(id);
}

void CColoringDlg::Repaint() {
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

void CColoringDlg::ShowScreen() {
    ShowWindow(SW_SHOWNA);
}

void CColoringDlg::PaintStartupPhase(CDC& dc, const CRect& update) {
    switch (m_startup.GetPhase()) {
        case StartupPhase::BrandSplash:
            m_splashes.PaintBrand(dc);
            break;
        case StartupPhase::StorySplash:
            m_splashes.PaintStory(dc);
            break;
        case StartupPhase::Cleared:
            m_splashes.Release();
            break;
        case StartupPhase::Running:
            PaintScreen(update, dc);
            break;
        default:
            break;
    }
    m_startup.NotePainted();
}

void CColoringDlg::LoadSplashPictures() {
    m_splashes.LoadStartup();
}

void CColoringDlg::LoadScreenResources() {
    for (std::size_t i = 0; i < m_slotFrame.size(); ++i)
        m_slotFrame[i].Load(Layout::SlotFrameFiles()[i]);
    m_sounds.LoadClick();
    CPictureButton& selector = GetButton(kRightStar);
    m_colours.LoadCrayons([&selector](CDib* picture) { selector.AddFrames(picture, 1); });
    m_colours.LoadTextures();
    const auto plans = Layout::Animations();
    for (std::size_t i = 0; i < m_animations.size(); ++i) m_animations[i].Load(plans[i]);
    ShowKeptCrayonBox();
}

// The box the child last chose comes back, when it is still there.
void CColoringDlg::ShowKeptCrayonBox() {
    if (m_preferences == nullptr || !m_colours.ShowBox(m_preferences->GetCrayonBox())) return;
    GetButton(kRightStar).SetFrameIndex(m_colours.GetShownBoxIndex());
}

bool CColoringDlg::LoadBooks() {
    m_pictureView.SetPalette(&m_palette);
    if (m_shelf.Load([this](bool hold) { m_startup.SetHalted(hold); })) return true;
    EndDialog(IDCANCEL);
    return false;
}

void CColoringDlg::OpenBook() {
    m_tools.Choose(Tool::Fill);
    m_shelf.OpenStory();
    m_shelf.ComeBack();
    if (CGlimImage* first = GetCurrentPicture()) {
        m_pictureView.Show(*first, GetDlgItem(kPictureArea));
        m_shelf.NoteShown();
    }
}

void CColoringDlg::FinishStartup() {
    for (int id : Layout::ShowOrder()) {
        if (CWnd* button = GetDlgItem(id)) button->ShowWindow(SW_SHOWNOACTIVATE);
    }
    m_tools.ShowChoice();
    ShowHistoryButtons();
    m_sounds.PlayGreeting();
    KillTimer(kStartupTimer);
    FlushInput();
}

void CColoringDlg::FlushInput() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_INITDIALOG, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    }
}

CGlimImage* CColoringDlg::GetCurrentPicture() {
    return m_shelf.GetCurrentPicture();
}

bool CColoringDlg::SaveTouchedPicture() {
    switch (m_shelf.KeepColouring()) {
        case CPictureKeeper::Result::Saved:
            return true;
        case CPictureKeeper::Result::Full:
            MakeRoomOnScrapbookScreen(false);
            return false;
        case CPictureKeeper::Result::Failed:
            // Told first, while the failure at hand is the scrapbook's.
            ReportFailedWrite();
            m_shelf.SetAsideCurrent();
            return false;
    }
    return false;
}

// The child is asked to throw a picture away on the scrapbook screen; the picture they were
// leaving is kept when there is room then and set aside when not. With `followChoice` a
// picture chosen there becomes current (true); else the child is back with the picture
// they were leaving.
bool CColoringDlg::MakeRoomOnScrapbookScreen(bool followChoice) {
    CGlimBook* book = m_shelf.GetPictureBook();
    CGlimImage* picture = GetCurrentPicture();
    // Without a copy on disk the screen would lose it: the child stays with it in memory.
    if (!m_shelf.HoldForLater()) {
        ReportFailedWrite();
        return false;
    }
    m_notices.AskForRoom();
    CGlimImage* chosen = nullptr;
    bool fromScrapbook = false;
    int bookIndex = -1;
    const bool chose = RunScrapbookScreen(chosen, fromScrapbook, bookIndex);
    if (!m_shelf.SettleHeld()) ReportFailedWrite();
    m_shelf.ReturnSetAside();
    if (followChoice && chose && ShowChosenPicture(chosen, fromScrapbook, bookIndex)) return true;
    if (book != nullptr && picture != nullptr && GetCurrentPicture() != picture)
        m_shelf.MakeCurrent(book, picture, -1);
    return false;
}

void CColoringDlg::ReportFailedWrite() {
    std::string path;
    int error = 0;
    if (m_shelf.LastFailure(path, error))
        CContentReport::Report(fs::absolute(path).lexically_normal().string(),
                               std::string("a picture could not be saved (") +
                                   std::strerror(error) + "); it stays set aside if it can");
    else
        CContentReport::Report("scrapbook", "a picture could not be saved");
    m_notices.TellNotSaved();
}

void CColoringDlg::ArmRecovery() {
    if (m_recoveryArmed) return;
    m_recoveryArmed = SetTimer(kRecoveryTimer, kRecoveryDelay) != 0;
}

void CColoringDlg::ShowPicture(CGlimImage* picture) {
    if (picture == nullptr) return;
    m_shelf.RestoreKept(picture);
    m_pictureView.Show(*picture, GetDlgItem(kPictureArea));
    if (picture == GetCurrentPicture()) m_shelf.NoteShown();
    ShowHistoryButtons();
}

bool CColoringDlg::SetCurrentPicture(CGlimBook* book, CGlimImage* picture, int entryIndex) {
    if (book == nullptr || picture == nullptr) return false;
    SaveTouchedPicture();
    m_shelf.MakeCurrent(book, picture, entryIndex);
    ShowPicture(picture);
    m_shelf.RememberCurrent();
    return true;
}

bool CColoringDlg::PickCrayon(CPoint point) {
    if (!m_colours.PickCrayon(PointIn(kCrayonArea, point))) return false;
    InvalidateArea(kCrayonArea);
    InvalidateArea(kColourStrip);
    m_tools.LeaveEraser(Tool::SmallBrush);
    return true;
}

void CColoringDlg::Colour(CPoint point) {
    const CPoint inPicture = PointIn(kPictureArea, point);
    CRect area;
    if (CWnd* control = GetDlgItem(kPictureArea)) control->GetClientRect(&area);
    if (!area.PtInRect(inPicture)) return;
    const CCrayon* colour = m_colours.GetColour();
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr) return;
    if (CGlimBrush* brush = m_tools.GetActiveBrush()) {
        if (colour == nullptr && !brush->IsEraseMode()) return;
        m_sounds.PlayClick();
        brush->SetSwatch(CCrayon::SwatchOf(colour));
        brush->BeginStroke(picture, inPicture);
    } else {
        if (colour == nullptr) return;
        m_fill.SetSwatch(colour->GetSwatch());
        m_fill.Fill(picture, inPicture, &m_sounds.NextFillSound());
    }
    m_shelf.NoteColoured();
    ArmRecovery();
}

void CColoringDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_startup.IsRunning()) return;
    CDialog::OnLButtonDown(flags, point);
    if (PickCrayon(point)) return;
    for (CBackdropAnimation& animation : m_animations)
        if (animation.Click(*this, point)) return;
    Colour(point);
}

void CColoringDlg::OnMouseMove(UINT flags, CPoint point) {
    if (!m_startup.IsRunning()) return;
    CDialog::OnMouseMove(flags, point);
    if (CGlimBrush* brush = m_tools.GetActiveBrush()) {
        brush->MoveTo(PointIn(kPictureArea, point));
        if ((flags & MK_LBUTTON) != 0) ArmRecovery();
    }
}

void CColoringDlg::OnLButtonUp(UINT flags, CPoint point) {
    m_startup.RequestSkip();
    if (!m_startup.IsRunning()) return;
    CDialog::OnLButtonUp(flags, point);
    if (CGlimBrush* brush = m_tools.GetActiveBrush()) brush->EndStroke(true);
    ShowHistoryButtons();
}

void CColoringDlg::OnRButtonUp(UINT flags, CPoint point) {
    if (m_startup.IsRunning()) CDialog::OnRButtonUp(flags, point);
}

void CColoringDlg::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (m_startup.RequestSkip()) return;
    const int command = CHistoryKeys::CommandOf(key, GetKeyState(VK_CONTROL) < 0,
                                                GetKeyState(VK_SHIFT) < 0, kUndo, kRedo);
    if (command == 0)
        CPictureDialog::OnKeyDown(key, repeat, flags);
    else if (m_startup.IsRunning())
        RunButton(command);
}

BOOL CColoringDlg::OnSetCursor(CWnd*, UINT hitTest, UINT) {
    m_cursors.SetShape(PointerShape(hitTest == HTCLIENT));
    return TRUE;
}

// Nothing shows while the start-up runs, except the wand over the splash pictures of a
// start-up that a click may hurry.
CursorShape CColoringDlg::PointerShape(bool overClient) const {
    const StartupPhase painted = m_startup.GetPaintedPhase();
    const bool splash =
        painted == StartupPhase::BrandSplash || painted == StartupPhase::StorySplash;
    if (splash && m_startup.IsSkippable()) return CursorShape::Wand;
    if (painted != StartupPhase::Running) return CursorShape::Hidden;
    if (!overClient) return CursorShape::Pointer;
    CPoint pointer;
    GetCursorPos(&pointer);
    if (GetScreenRect(kPictureArea).PtInRect(pointer)) return m_tools.GetPictureCursor();
    if (GetScreenRect(kCrayonArea).PtInRect(pointer)) return CursorShape::Wand;
    return CursorShape::Pointer;
}

BOOL CColoringDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    // The brush presets answer even during the start-up.
    if (m_tools.ApplyPreset(id)) return TRUE;
    if (m_startup.IsRunning() && (ChooseToolOf(id) || RunButton(id))) return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

bool CColoringDlg::ChooseToolOf(int id) {
    for (const Layout::ToolButton& entry : Layout::ToolButtons()) {
        if (entry.id != id) continue;
        ChooseTool(entry.tool);
        return true;
    }
    return false;
}

bool CColoringDlg::RunButton(int id) {
    static constexpr CommandRoute<CColoringDlg> kRoutes[] = {
        {kUndo, &CColoringDlg::UndoColouring},      {kRedo, &CColoringDlg::RedoColouring},
        {kVoiceOver, &CColoringDlg::PlayVoiceOver}, {kScrapbook, &CColoringDlg::OpenScrapbook},
        {kExit, &CColoringDlg::ExitSequence},
        // The star and the box picture both open the next crayon box.
        {kLeftStar, &CColoringDlg::StepCrayonBox},
        {kRightStar, &CColoringDlg::StepCrayonBox},
    };
    if (RouteCommand<CColoringDlg>(*this, id, kRoutes)) return true;
    // Paired buttons step one way or the other; the texture slots name their slot.
    if (id == kTextureUp || id == kTextureDown)
        PageTextures(id == kTextureUp);
    else if (SlotOf(id) >= 0)
        ChooseTexture(SlotOf(id));
    else if (id == kSceneLeft || id == kSceneRight)
        StepScene(id == kSceneRight ? 1 : -1);
    else
        return false;
    return true;
}

void CColoringDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if (id != SC_CLOSE) {
        CDialog::OnSysCommand(id, lParam);
        return;
    }
    if (m_startup.IsShownRunning()) ExitSequence();
}

LRESULT CColoringDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ENDSESSION) return CPictureDialog::WindowProc(message, wParam, lParam);
    // The system stops the program: keep the picture as the exit button would, without
    // asking, and end every open screen.
    m_shelf.KeepColouringUnattended();
    PostQuitMessage(0);
    return 0;
}

void CColoringDlg::ChooseTool(Tool tool) {
    if (m_tools.GetTool() == tool) return;
    m_sounds.PlayTool(tool);
    m_tools.Choose(tool);
}

void CColoringDlg::PageTextures(bool forward) {
    m_sounds.PlayClick();
    m_colours.PageTextures(forward);
    for (int id : Layout::TextureSlots()) InvalidateControl(id);
}

void CColoringDlg::ChooseTexture(int slot) {
    m_colours.PickTexture(slot);
    InvalidateArea(kCrayonArea);
    InvalidateArea(kColourStrip);
    m_tools.LeaveEraser(Tool::BigBrush);
    m_tools.SetColour(m_colours.GetColour());
}

// Each picture keeps its own steps; nothing to undo or redo stays silent.
void CColoringDlg::UndoColouring() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr || !picture->Undo()) return;
    m_sounds.PlayUndo();
    m_pictureView.DrawWhole(*picture);
    m_shelf.NoteChanged();
    ArmRecovery();
    ShowHistoryButtons();
}

void CColoringDlg::RedoColouring() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr || !picture->Redo()) return;
    m_sounds.PlayClick();
    m_pictureView.DrawWhole(*picture);
    m_shelf.NoteChanged();
    ArmRecovery();
    ShowHistoryButtons();
}

void CColoringDlg::ShowHistoryButtons() {
    CGlimImage* picture = GetCurrentPicture();
    const bool back = picture != nullptr && picture->CanUndo();
    const bool forward = picture != nullptr && picture->CanRedo();
    if (CWnd* undo = GetDlgItem(kUndo)) undo->EnableWindow(back ? TRUE : FALSE);
    if (CWnd* redo = GetDlgItem(kRedo)) redo->EnableWindow(forward ? TRUE : FALSE);
}

void CColoringDlg::PlayVoiceOver() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture != nullptr && picture->PlayVoiceOver()) FlushInput();
}

// The selector cycles through the boxes' pictures; the box shown follows it.
void CColoringDlg::StepCrayonBox() {
    CPictureButton& selector = GetButton(kRightStar);
    selector.Click();
    m_sounds.PlayClick();
    m_colours.ShowBox(selector.GetFrameIndex());
    if (m_preferences != nullptr) m_preferences->SetCrayonBox(m_colours.GetShownBoxIndex());
    InvalidateControl(kRightStar);
    InvalidateArea(kCrayonArea);
    InvalidateArea(kColourStrip);
    UpdateWindow();
}

void CColoringDlg::StepScene(int step) {
    if (m_shelf.GetPictureBook() == nullptr) return;
    SaveTouchedPicture();
    m_sounds.PlayPageTurn();
    m_shelf.TurnPage(step);
    ShowPicture(GetCurrentPicture());
    m_shelf.RememberCurrent();
}

void CColoringDlg::SetPreferences(Preferences* preferences) {
    m_preferences = preferences;
    m_tools.SetPreferences(preferences);
}

void CColoringDlg::OpenScrapbook() {
    // The scrapbook screen shows and releases scenes, so what was coloured is saved first; a
    // full scrapbook asks for room on that same screen and brings the child back here.
    StopAnimations();
    m_sounds.PlayClick();
    const CPictureKeeper::Result kept = m_shelf.KeepColouring();
    if (kept == CPictureKeeper::Result::Full) {
        if (!MakeRoomOnScrapbookScreen(true)) ShowPicture(GetCurrentPicture());
        Repaint();
        return;
    }
    if (kept == CPictureKeeper::Result::Failed) {
        ReportFailedWrite();
        m_shelf.SetAsideCurrent();
    }
    m_shelf.ReturnSetAside();
    CGlimBook* beforeBook = m_shelf.GetPictureBook();
    CGlimImage* before = GetCurrentPicture();
    CGlimImage* chosen = nullptr;
    bool fromScrapbook = false;
    int bookIndex = -1;
    if (!RunScrapbookScreen(chosen, fromScrapbook, bookIndex) ||
        !ShowChosenPicture(chosen, fromScrapbook, bookIndex)) {
        // The screen may have paged the books: the picture left is made current again.
        if (beforeBook != nullptr && before != nullptr && GetCurrentPicture() != before)
            m_shelf.MakeCurrent(beforeBook, before, -1);
        ShowPicture(before);
    }
    // Room made on the screen takes set-aside pictures back, maybe the one on show.
    if (m_shelf.ReturnSetAside()) ShowPicture(GetCurrentPicture());
    Repaint();
}

bool CColoringDlg::RunScrapbookScreen(CGlimImage*& chosen, bool& fromScrapbook, int& bookIndex) {
#ifdef TALEWICK_HAS_SCRAPBOOK_SCREEN
    CScrapbookDlg screen(this);
    screen.SetBooks(m_shelf.GetStoryBooks(), m_shelf.GetBookCount());
    screen.SetScrapbook(&m_shelf.GetScrapbook());
    screen.SetPreferences(m_preferences);
    screen.SetPalette(&m_palette);
    screen.SetCursorObject(&m_cursors);
    screen.SetClickSound(m_sounds.GetClick());
    const CRect& place = GetPosition();
    screen.SetPosition(place.left, place.top, place.Width(), place.Height());
    chosen = screen.DoModal() == IDOK ? screen.GetShownPicture() : nullptr;
    fromScrapbook = screen.IsShowingScrapbook();
    bookIndex = screen.GetShownBookIndex();
    return chosen != nullptr;
#else
    (void)chosen;
    (void)fromScrapbook;
    (void)bookIndex;
    return false;
#endif
}

// `bookIndex` counts from the first story book; the scribble pad is -1.
bool CColoringDlg::ShowChosenPicture(CGlimImage* chosen, bool fromScrapbook, int bookIndex) {
    if (!fromScrapbook) return SetCurrentPicture(m_shelf.BookAt(bookIndex), chosen);
    CGlimScrapbook& scrapbook = m_shelf.GetScrapbook();
    return SetCurrentPicture(scrapbook.GetCurrentBook(false), chosen, scrapbook.GetCurrentIndex());
}

void CColoringDlg::StopAnimations() {
    for (CBackdropAnimation& animation : m_animations) animation.Stop(*this);
}

void CColoringDlg::ExitSequence() {
    StopAnimations();
    CBasicSound::StopAll();
    CQuitDlg quit(this);
    CRect window;
    GetWindowRect(&window);
    const CRect& place = Layout::kQuitPlace;
    quit.SetPosition(window.left + place.left, window.top + place.top, place.Width(),
                     place.Height());
    quit.SetCursorObject(&m_cursors);
    quit.SetPalette(&m_palette);
    if (quit.DoModal() != IDOK) return;
    // What was coloured is kept (or set aside) before anything closes, and the next start
    // comes back to this picture.
    SaveTouchedPicture();
    m_shelf.RememberCurrent();
    ClearPictureArea();
    m_sounds.PlayGoodbye();
    m_startup.Close();
    m_cursors.SetShape(CursorShape::Hidden);
    CSplashPictures::ShowClosing(*this, GetPalette());
    CDialog::OnOK();
}

void CColoringDlg::ClearPictureArea() {
    CWnd* area = GetDlgItem(kPictureArea);
    CDC* dc = area != nullptr ? area->GetDC() : nullptr;
    if (dc == nullptr) return;
    CRect client;
    area->GetClientRect(&client);
    dc->FillSolidRect(client, RGB(255, 255, 255));
    area->ReleaseDC(dc);
    WindowManager::Instance().PresentIfDirty();
}

void CColoringDlg::OnDestroy() {
    // Told to quit without the exit button (the session ends): keep the colouring all the same.
    if (m_startup.IsRunning()) m_shelf.KeepColouring();
    KillTimer(kStartupTimer);
    CDialog::OnDestroy();
}
