#include "coloring/CColoringDlg.h"

#include <algorithm>

#include "coloring/CColoringLayout.h"
#include "coloring/CHistoryKeys.h"
#include "coloring/CNineCells.h"
#include "dialogs/CQuitDlg.h"
#include "imaging/CDitherer.h"
#include "models/CTexture.h"
#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
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

using Layout = CColoringLayout;

constexpr UINT kStartupTimer = 0;
constexpr UINT kStartupInterval = 250;

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
    if (CCrayonBox* box = m_colours.GetShownBox(); box != nullptr && !e[4].IsRectEmpty()) {
        box->PaintBox(dc, crayons);
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
    if (m_startup.IsHalted()) return;
    if (id != kStartupTimer) {
        AfxMessageBox("Timed out");
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
    if (CGlimImage* first = GetCurrentPicture())
        m_pictureView.Show(*first, GetDlgItem(kPictureArea));
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
            m_sounds.PlayScrapbookFull();
            AfxMessageBox("The scrapbook is full. Throw a picture away to make room for this one.");
            return false;
        case CPictureKeeper::Result::Failed:
            AfxMessageBox("The picture could not be saved in the scrapbook.");
            return false;
    }
    return false;
}

void CColoringDlg::ShowPicture(CGlimImage* picture) {
    if (picture == nullptr) return;
    m_shelf.RestoreKept(picture);
    m_pictureView.Show(*picture, GetDlgItem(kPictureArea));
    ShowHistoryButtons();
}

bool CColoringDlg::SetCurrentPicture(CGlimBook* book, CGlimImage* picture, int entryIndex) {
    if (book == nullptr || picture == nullptr) return false;
    if (!SaveTouchedPicture()) return false;
    m_shelf.MakeCurrent(book, picture, entryIndex);
    ShowPicture(picture);
    return true;
}

bool CColoringDlg::PickCrayon(CPoint point) {
    if (!m_colours.PickCrayon(PointIn(kCrayonArea, point))) return false;
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
}

void CColoringDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (!m_startup.IsRunning()) return;
    CDialog::OnLButtonDown(flags, point);
    if (PickCrayon(point)) return;
    Colour(point);
}

void CColoringDlg::OnMouseMove(UINT flags, CPoint point) {
    if (!m_startup.IsRunning()) return;
    CDialog::OnMouseMove(flags, point);
    if (CGlimBrush* brush = m_tools.GetActiveBrush()) brush->MoveTo(PointIn(kPictureArea, point));
}

void CColoringDlg::OnLButtonUp(UINT flags, CPoint point) {
    m_startup.SkipStory();
    if (!m_startup.IsRunning()) return;
    CDialog::OnLButtonUp(flags, point);
    if (CGlimBrush* brush = m_tools.GetActiveBrush()) brush->EndStroke(true);
    ShowHistoryButtons();
}

void CColoringDlg::OnRButtonUp(UINT flags, CPoint point) {
    if (m_startup.IsRunning()) CDialog::OnRButtonUp(flags, point);
}

void CColoringDlg::OnKeyDown(UINT key, UINT repeat, UINT flags) {
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

// Nothing shows while the start-up runs, except the wand that may end the story picture.
CursorShape CColoringDlg::PointerShape(bool overClient) const {
    const StartupPhase painted = m_startup.GetPaintedPhase();
    if (painted == StartupPhase::StorySplash) return CursorShape::Wand;
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
    };
    if (RouteCommand<CColoringDlg>(*this, id, kRoutes)) return true;
    // Paired buttons step one way or the other; the texture slots name their slot.
    if (id == kTextureUp || id == kTextureDown)
        PageTextures(id == kTextureUp);
    else if (SlotOf(id) >= 0)
        ChooseTexture(SlotOf(id));
    else if (id == kRightStar || id == kLeftStar)
        StepCrayonBox(id == kRightStar ? 1 : -1);
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
    ShowHistoryButtons();
}

void CColoringDlg::RedoColouring() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr || !picture->Redo()) return;
    m_sounds.PlayClick();
    m_pictureView.DrawWhole(*picture);
    m_shelf.NoteChanged();
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
void CColoringDlg::StepCrayonBox(int step) {
    CPictureButton& selector = GetButton(kRightStar);
    if (step > 0) {
        selector.Click();
    } else {
        const int count = selector.GetFrameCount();
        if (count > 0) selector.SetFrameIndex((selector.GetFrameIndex() - 1 + count) % count);
    }
    m_sounds.PlayClick();
    m_colours.ShowBox(selector.GetFrameIndex());
    InvalidateControl(kRightStar);
    InvalidateArea(kCrayonArea);
    InvalidateArea(kColourStrip);
    UpdateWindow();
}

void CColoringDlg::StepScene(int step) {
    if (m_shelf.GetPictureBook() == nullptr) return;
    if (!SaveTouchedPicture()) return;
    m_sounds.PlayPageTurn();
    m_shelf.TurnPage(step);
    ShowPicture(GetCurrentPicture());
}

void CColoringDlg::SetPreferences(Preferences* preferences) {
    m_preferences = preferences;
    m_tools.SetPreferences(preferences);
}

void CColoringDlg::OpenScrapbook() {
#ifdef TALEWICK_HAS_SCRAPBOOK_SCREEN
    // The scrapbook screen shows and releases scenes, so what was coloured is saved first.
    if (!SaveTouchedPicture()) return;
    m_sounds.PlayClick();
    CGlimImage* before = GetCurrentPicture();
    CScrapbookDlg screen(this);
    screen.SetBooks(m_shelf.GetStoryBooks(), m_shelf.GetBookCount());
    screen.SetScrapbook(&m_shelf.GetScrapbook());
    screen.SetPreferences(m_preferences);
    screen.SetPalette(&m_palette);
    screen.SetCursorObject(&m_cursors);
    screen.SetClickSound(m_sounds.GetClick());
    const CRect& place = GetPosition();
    screen.SetPosition(place.left, place.top, place.Width(), place.Height());
    CGlimImage* chosen = screen.DoModal() == IDOK ? screen.GetShownPicture() : nullptr;
    const bool fromScrapbook = screen.IsShowingScrapbook();
    if (chosen == nullptr || !ShowChosenPicture(chosen, fromScrapbook, screen.GetShownBookIndex()))
        ShowPicture(before);
    Repaint();
#endif
}

// `bookIndex` counts from the first story book; the scribble pad is -1.
bool CColoringDlg::ShowChosenPicture(CGlimImage* chosen, bool fromScrapbook, int bookIndex) {
    if (!fromScrapbook) return SetCurrentPicture(m_shelf.BookAt(bookIndex), chosen);
    CGlimScrapbook& scrapbook = m_shelf.GetScrapbook();
    return SetCurrentPicture(scrapbook.GetCurrentBook(false), chosen, scrapbook.GetCurrentIndex());
}

void CColoringDlg::ExitSequence() {
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
    // What was coloured is kept before anything closes; a full scrapbook keeps the child here.
    if (!SaveTouchedPicture()) return;
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
