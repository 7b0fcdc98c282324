#include "coloring/CColoringDlg.h"

#include <algorithm>

#include "dialogs/CQuitDlg.h"
#include "imaging/CDitherer.h"
#include "platform/draw/CClientDC.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/MessageBox.h"
#include "platform/window/WindowManager.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "resources/CDialogTemplates.h"
#include "resources/CStringTable.h"
#include "models/CBookCatalogue.h"
#include "models/CCrayonCatalogue.h"
#if __has_include("scrapbook/CScrapbookDlg.h")
#include "scrapbook/CScrapbookDlg.h"
#define TALEWICK_HAS_SCRAPBOOK_SCREEN 1
#endif

namespace {

constexpr UINT kStartupTimer = 0;
constexpr UINT kStartupInterval = 250;
constexpr int kSecondSplashTicks = 12;
constexpr int kThirdSplashTicks = 96;
constexpr DWORD kFirstClosingMs = 3000;
constexpr DWORD kSecondClosingMs = 2000;
constexpr UINT kToolSoundFlags = CBasicSound::kObjectSound;
constexpr int kSlotFrameFace = 11;

// Control ids in the binding order of the data exchange.
constexpr std::array<int, 18> kButtonIds = {
    CColoringDlg::kVoiceOver,    CColoringDlg::kExit,         CColoringDlg::kScrapbook,
    CColoringDlg::kRightStar,    CColoringDlg::kLeftStar,     CColoringDlg::kUndo,
    CColoringDlg::kTextureUp,    CColoringDlg::kTextureDown,  CColoringDlg::kTextureSlot2,
    CColoringDlg::kTextureSlot1, CColoringDlg::kTextureSlot0, CColoringDlg::kSmallEraser,
    CColoringDlg::kSmallBrush,   CColoringDlg::kSceneRight,   CColoringDlg::kSceneLeft,
    CColoringDlg::kRegionFill,   CColoringDlg::kBigEraser,    CColoringDlg::kBigBrush,
};

// Order in which the start-up shows the buttons.
constexpr std::array<int, 18> kShowOrder = {
    CColoringDlg::kScrapbook,    CColoringDlg::kVoiceOver,    CColoringDlg::kTextureUp,
    CColoringDlg::kTextureSlot0, CColoringDlg::kTextureSlot1, CColoringDlg::kTextureSlot2,
    CColoringDlg::kTextureDown,  CColoringDlg::kSmallBrush,   CColoringDlg::kBigBrush,
    CColoringDlg::kRegionFill,   CColoringDlg::kSmallEraser,  CColoringDlg::kBigEraser,
    CColoringDlg::kUndo,         CColoringDlg::kSceneLeft,    CColoringDlg::kSceneRight,
    CColoringDlg::kLeftStar,     CColoringDlg::kRightStar,    CColoringDlg::kExit,
};

struct FaceFiles {
    int id;
    const char* up;
    const char* down;
};

// Faces the screen draws itself, in loading order; the slot frame serves all three slots.
constexpr std::array<FaceFiles, 13> kFaceFiles = {{
    {CColoringDlg::kSceneLeft, "scenelu.bmp", "sceneld.bmp"},
    {CColoringDlg::kSceneRight, "sceneru.bmp", "scenerd.bmp"},
    {CColoringDlg::kBigEraser, "clearu.bmp", "cleard.bmp"},
    {CColoringDlg::kSmallEraser, "eraseu.bmp", "erased.bmp"},
    {CColoringDlg::kRegionFill, "areau.bmp", "aread.bmp"},
    {CColoringDlg::kBigBrush, "bbrushu.bmp", "bbrushd.bmp"},
    {CColoringDlg::kSmallBrush, "sbrushu.bmp", "sbrushd.bmp"},
    {CColoringDlg::kUndo, "undou.bmp", "undod.bmp"},
    {CColoringDlg::kExit, "exitu.bmp", "exitd.bmp"},
    {CColoringDlg::kTextureUp, "texuu.bmp", "texud.bmp"},
    {CColoringDlg::kTextureDown, "texdu.bmp", "texdd.bmp"},
    {CColoringDlg::kTextureSlot0, "texu.bmp", "texd.bmp"},
    {CColoringDlg::kLeftStar, "LStaru.bmp", "LStard.bmp"},
}};

// Layout moves after the three placed first, in this order: id, x, y, width, height.
constexpr int kLayout[][5] = {
    {1066, 0, 0, 640, 480},   {1028, 120, 28, 398, 264}, {1056, 578, 434, 46, 40},
    {1055, 529, 434, 46, 40}, {1037, 543, 223, 60, 32},  {1046, 543, 189, 60, 32},
    {1039, 543, 155, 60, 32}, {1041, 543, 121, 60, 32},  {1040, 543, 87, 60, 32},
    {1048, 543, 257, 60, 32}, {1067, 243, 451, 140, 18}, {1038, 38, 39, 57, 25},
    {1042, 38, 205, 57, 25},  {1043, 44, 72, 43, 37},    {1044, 44, 115, 43, 37},
    {1045, 44, 159, 43, 37},  {1092, 46, 74, 39, 33},    {1090, 46, 117, 39, 33},
    {1091, 46, 161, 39, 33},  {1032, 139, 345, 360, 89}, {1047, 65, 389, 52, 34},
    {1049, 516, 388, 55, 36},
};

int SlotOf(int id) {
    switch (id) {
        case CColoringDlg::kTextureSlot0:
            return 0;
        case CColoringDlg::kTextureSlot1:
            return 1;
        case CColoringDlg::kTextureSlot2:
            return 2;
        default:
            return -1;
    }
}

int SwatchOf(int slot) {
    static constexpr int kSwatches[] = {CColoringDlg::kSwatch0, CColoringDlg::kSwatch1,
                                        CColoringDlg::kSwatch2};
    return kSwatches[slot];
}

// Busy-waits on the tick count without handling messages.
void WaitUntil(DWORD start, DWORD span) {
    while (GetTickCount() - start < span) {
    }
}

// Scripted and test runs pick the same fill sounds every time; real runs vary.
std::uint32_t FillSoundSeed() {
    if (dynamic_cast<HeadlessBackend*>(&GetBackend()) != nullptr) return 21;
    return std::random_device{}();
}

}  // namespace

// ---------------------------------------------------------------- construction

CColoringDlg::CColoringDlg(CWnd* parent) : CDialog(kTemplateId, parent), m_random(FillSoundSeed()) {
    m_brushes[kSmall].MakeRound(3, 1.0f);
    m_brushes[kBig].MakeRound(9, 1.0f);
    m_brushes[kSmallErase].SetEraseMode(true);
    m_brushes[kSmallErase].MakeRound(3, 1.0f);
    m_brushes[kBigErase].SetEraseMode(true);
    m_brushes[kBigErase].MakeRound(9, 1.0f);

    m_smallBrushSound.path = "../sounds/lttlclr.wav";
    m_bigBrushSound.path = "../sounds/bigcolor.wav";
    m_fillToolSound.path = "../sounds/fill.wav";
    m_smallEraserSound.path = "../sounds/lttlrsr.wav";
    m_bigEraserSound.path = "../sounds/bgrsr.wav";
    m_undoSound.path = "../sounds/oops.wav";
    m_librarySound.path = "../sounds/library.wav";
    m_pageTurn[0].path = "../sounds/pgturn.wav";
    m_pageTurn[1].path = "../sounds/pgturn2.wav";
    const std::string folder = CStringTable::Load(CStringTable::kFillSoundFolder);
    for (int i = 0; i < kFillSoundCount; ++i) {
        m_fillSoundPaths[static_cast<std::size_t>(i)] =
            folder + CStringTable::Load(CStringTable::kFillSoundFirst + static_cast<UINT>(i));
    }
    for (std::size_t i = 0; i < kFaceFiles.size(); ++i) m_faces[i].id = kFaceFiles[i].id;

    for (CPictureButton& button : m_buttons) button.SetCursorObject(&m_cursors);
    GetButton(kScrapbook).SetPictures(&m_scrapUp, &m_scrapDown, nullptr);
    GetButton(kVoiceOver).SetPictures(&m_soundUp, &m_soundDown, nullptr);
    m_fill.SetCursor(&m_cursors);
    m_keeper.SetScrapbook(&m_scrapbook);

    m_background.Load("../bitmaps/backgrnd.bmp");
    CDitherer::CreateDitherPalette(m_palette);
}

CColoringDlg::~CColoringDlg() {
    // The scenes point at the picture area; it goes with the window.
    for (CGlimBook& book : m_shelf) {
        if (CGlimImage* picture = book.GetCurrentImage()) picture->ClearWindow();
    }
}

const DialogTemplate* CColoringDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

CPictureButton& CColoringDlg::GetButton(int id) {
    const auto at = std::find(kButtonIds.begin(), kButtonIds.end(), id);
    return m_buttons.at(static_cast<std::size_t>(at - kButtonIds.begin()));
}

void CColoringDlg::DoDataExchange(CDataExchange* exchange) {
    for (std::size_t i = 0; i < kButtonIds.size(); ++i) {
        DDX_Control(exchange, kButtonIds[i], m_buttons[i]);
    }
}

BOOL CColoringDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Layout();
    m_startupPhase = 0;
    m_paintedPhase = 0;
    m_tickCount = 0;
    SetTimer(kStartupTimer, kStartupInterval);
    return TRUE;
}

// ---------------------------------------------------------------- layout

void CColoringDlg::InvalidateControl(int id) {
    if (CWnd* control = Control(id)) control->InvalidateRect(nullptr, FALSE);
}

void CColoringDlg::MoveControl(int id, int x, int y, int width, int height) {
    if (CWnd* control = Control(id)) control->MoveWindow(x, y, width, height, FALSE);
}

CRect CColoringDlg::GetControlRect(int id) const {
    CRect rect;
    if (CWnd* control = Control(id)) {
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CColoringDlg::Layout() {
    MoveControl(kExit, 15, 436, 92, 39);
    MoveControl(kScrapbook, 555, 31, 35, 41);
    MoveControl(kVoiceOver, 51, 252, 35, 41);
    for (const auto& place : kLayout) MoveControl(place[0], place[1], place[2], place[3], place[4]);
    CentreOnDisplay();
}

void CColoringDlg::CentreOnDisplay() {
    CClientDC measure(this);
    const int cx = measure.GetDeviceCaps(HORZRES) / 2;
    const int cy = measure.GetDeviceCaps(VERTRES) / 2;
    // Windows have no frame here, so the client rectangle is the window rectangle.
    m_windowRect = CRect(cx - kScreenWidth / 2, cy - kScreenHeight / 2, cx + kScreenWidth / 2,
                         cy + kScreenHeight / 2);
    MoveWindow(m_windowRect.left, m_windowRect.top, m_windowRect.Width(), m_windowRect.Height(),
               FALSE);
}

void CColoringDlg::OnWindowPosChanging(WINDOWPOS* pos) {
    CDialog::OnWindowPosChanging(pos);
    if (pos == nullptr || m_windowRect.IsRectEmpty()) return;
    pos->x = m_windowRect.left;
    pos->y = m_windowRect.top;
    pos->cx = m_windowRect.Width();
    pos->cy = m_windowRect.Height();
}

CPoint CColoringDlg::PointIn(int id, CPoint clientPoint) const {
    ClientToScreen(&clientPoint);
    if (CWnd* control = Control(id)) control->ScreenToClient(&clientPoint);
    return clientPoint;
}

// ---------------------------------------------------------------- painting

BOOL CColoringDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CColoringDlg::Realize(CDC& dc) {
    if (!m_palette.IsCreated()) return;
    dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
}

void CColoringDlg::OnPaint() {
    CRect update;
    if (!GetUpdateRect(&update)) return;
    CPaintDC dc(this);
    const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
    Realize(dc);
    PaintStartupPhase(dc, dc.m_ps.rcPaint);
    dc.SetStretchBltMode(oldMode);
}

void CColoringDlg::Split(CRect& outer, const CRect& inner, std::array<CRect, 9>& cells) {
    cells.fill(CRect(0, 0, 0, 0));
    if (outer.Width() == 0) return;
    const int L = outer.left, T = outer.top, R = outer.right, B = outer.bottom;
    const int l = inner.left, t = inner.top, r = inner.right, b = inner.bottom;
    const bool above = t > T, across = t < B && T < b, below = b < B;
    auto column = [&](int first, int left, int right) {
        if (above) cells[first] = CRect(left, T, right, t);
        if (across) cells[first + 3] = CRect(left, std::max(t, T), right, std::min(b, B));
        if (below) cells[first + 6] = CRect(left, b, right, B);
    };
    if (l > L) column(0, L, l);
    if (l < R && r > L) column(1, std::max(l, L), std::min(r, R));
    if (r < R) column(2, r, R);
    outer = CRect(0, 0, 0, 0);
}

void CColoringDlg::PaintBackground(CDC& dc, const CRect& cell) {
    if (cell.IsRectEmpty()) return;
    m_background.PaintRect(dc, cell.TopLeft(), cell.Size(), cell, nullptr);
}

const CCrayon* CColoringDlg::CurrentColour() {
    if (m_colourSource == 0) {
        CTexture* texture = nullptr;
        m_textureBox.GetCurrentTexture(&texture);
        return texture;
    }
    if (m_currentCrayonBox >= m_crayonBoxCount) return nullptr;
    CCrayon* crayon = nullptr;
    m_crayonBoxes[static_cast<std::size_t>(m_currentCrayonBox)].GetCurrentCrayon(&crayon);
    return crayon;
}

void CColoringDlg::PaintScreen(const CRect& update, CDC& dc) {
    const CRect picture = GetControlRect(kPictureArea);
    const CRect crayons = GetControlRect(kCrayonArea);
    const CRect strip = GetControlRect(kColourStrip);
    CRect outer = update;
    const bool whole = update.Width() == kScreenWidth && update.Height() == kScreenHeight;
    std::array<CRect, 9> a, e, f;
    Split(outer, picture, a);
    if (whole) {
        for (int i = 0; i < 9; ++i)
            if (i != 4) PaintBackground(dc, a[static_cast<std::size_t>(i)]);
    }
    CRect below = a[7];
    Split(below, crayons, e);
    CRect underBox = e[7];
    Split(underBox, strip, f);
    for (int i = 0; i < 9; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (i != 4 && i != 7) PaintBackground(dc, a[n]);
        if (i != 4 && i != 7) PaintBackground(dc, e[n]);
        if (i != 4) PaintBackground(dc, f[n]);
    }
    if (!a[4].IsRectEmpty()) {
        CRect area = a[4];
        area.OffsetRect(-picture.left, -picture.top);
        if (CGlimImage* current = GetCurrentPicture()) {
            current->DrawArea(area.left, area.top, area.right, area.bottom);
        }
    }
    if (!e[4].IsRectEmpty() && m_currentCrayonBox < m_crayonBoxCount) {
        m_crayonBoxes[static_cast<std::size_t>(m_currentCrayonBox)].PaintBox(dc, crayons);
    }
    if (!f[4].IsRectEmpty()) {
        if (const CCrayon* colour = CurrentColour())
            const_cast<CCrayon*>(colour)->PaintSelected(dc, strip);
    }
}

const CColoringDlg::Face* CColoringDlg::FindFace(int id) const {
    if (SlotOf(id) >= 0) return &m_faces[kSlotFrameFace];
    for (const Face& face : m_faces) {
        if (face.id == id) return &face;
    }
    return nullptr;
}

bool CColoringDlg::ShowsDownFace(int id, bool pressed) const {
    if (pressed) return true;
    switch (id) {
        case kBigEraser:
            return m_toolKind == kToolBrush && m_brushIndex == kBigErase;
        case kSmallEraser:
            return m_toolKind == kToolBrush && m_brushIndex == kSmallErase;
        case kSmallBrush:
            return m_toolKind == kToolBrush && m_brushIndex == kSmall;
        case kBigBrush:
            return m_toolKind == kToolBrush && m_brushIndex == kBig;
        case kRegionFill:
            return m_toolKind == kToolFill;
        default:
            return false;
    }
}

void CColoringDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
    if (m_startupPhase != kPhaseRunning || drawItem == nullptr) return;
    if (drawItem->CtlType == ODT_BUTTON && drawItem->hDC != nullptr &&
        FindFace(static_cast<int>(drawItem->CtlID)) != nullptr) {
        PaintButtonFace(static_cast<int>(drawItem->CtlID), *drawItem);
    }
    CDialog::OnDrawItem(controlId, drawItem);
}

void CColoringDlg::PaintButtonFace(int id, DRAWITEMSTRUCT& item) {
    CWnd* control = Control(id);
    if (control == nullptr) return;
    CDC& dc = *item.hDC;
    Realize(dc);
    CRect button;
    control->GetClientRect(&button);
    const Face& face = *FindFace(id);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const int slot = SlotOf(id);
    if (slot >= 0) {
        PaintTextureSlot(slot, face, item);
        return;
    }
    CDib* picture = ShowsDownFace(id, pressed) ? face.down.get() : face.up.get();
    if (picture != nullptr) picture->Paint(dc, 0, 0, button.Width(), button.Height(), nullptr);
}

void CColoringDlg::PaintTextureSlot(int slot, const Face& frame, DRAWITEMSTRUCT& item) {
    CWnd* control = Control(SlotOf(static_cast<int>(item.CtlID)) >= 0 ? static_cast<int>(item.CtlID)
                                                                      : kTextureSlot0);
    CRect button;
    control->GetClientRect(&button);
    CRect swatch = GetControlRect(SwatchOf(slot));
    const CRect buttonInScreen = GetControlRect(static_cast<int>(item.CtlID));
    swatch.OffsetRect(-buttonInScreen.left, -buttonInScreen.top);
    CDib* picture = (item.itemState & ODS_SELECTED) != 0 ? frame.down.get() : frame.up.get();
    std::array<CRect, 9> cells;
    CRect outer = button;
    Split(outer, swatch, cells);
    for (int i = 0; i < 9; ++i) {
        const CRect& cell = cells[static_cast<std::size_t>(i)];
        if (i == 4 || cell.IsRectEmpty() || picture == nullptr) continue;
        picture->PaintRect(*item.hDC, cell.TopLeft(), cell.Size(), cell, nullptr);
    }
    CTexture* texture = nullptr;
    if (m_textureBox.GetSlotTexture(slot, &texture) >= 0 && texture != nullptr) {
        texture->PaintDisplay(*item.hDC, swatch);
    }
}

BOOL CColoringDlg::OnQueryNewPalette() {
    return m_palette.OnQueryNewPalette(*this);
}

void CColoringDlg::OnPaletteChanged(CWnd* focusWnd) {
    m_palette.OnPaletteChanged(*this, focusWnd);
}

// ---------------------------------------------------------------- start-up

void CColoringDlg::OnTimer(UINT id) {
    if (m_startupHalted) return;
    if (id != kStartupTimer) {
        AfxMessageBox("Timed out");
        CDialog::OnTimer(id);
        return;
    }
    RunStartupStep();
    CDialog::OnTimer(id);
}

void CColoringDlg::Repaint() {
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

void CColoringDlg::EnterPhase(int phase) {
    m_startupPhase = phase;
    m_tickCount = 0;
    Repaint();
}

void CColoringDlg::RunStartupStep() {
    const int phase = m_startupPhase;
    // Each step waits until its phase's picture is on screen.
    if (phase != 0 && m_paintedPhase != phase) return;
    switch (phase) {
        case 0:
            m_startupPhase = 1;
            m_tickCount = 1;
            ShowWindow(SW_SHOWNA);
            Repaint();
            return;
        case 1:
            if (m_tickCount == 1) LoadSplashPictures();
            if (m_tickCount >= 2) EnterPhase(2);
            break;
        case 2:
            if (m_tickCount == 1) LoadScreenResources();
            if (m_tickCount >= kSecondSplashTicks) EnterPhase(3);
            break;
        case 3:
            if (m_tickCount == 1 && !LoadBooks()) return;
            if (m_tickCount >= kThirdSplashTicks) EnterPhase(4);
            break;
        case 4:
            if (m_tickCount >= 1) EnterPhase(6);
            break;
        case 6:
            OpenBook();
            return;
        case kPhaseRunning:
            FinishStartup();
            return;
        default:
            return;
    }
    ++m_tickCount;
}

void CColoringDlg::PaintStartupPhase(CDC& dc, const CRect& update) {
    auto paintWhole = [&dc](CDib* picture) {
        if (picture == nullptr) return;
        const CSize size = picture->GetSize();
        picture->Paint(dc, 0, 0, size.cx, size.cy, nullptr);
    };
    switch (m_startupPhase) {
        case 1:
            m_paintedPhase = 1;
            break;
        case 2:
            paintWhole(m_secondSplash.get());
            m_paintedPhase = 2;
            break;
        case 3:
            paintWhole(m_thirdSplash.get());
            m_secondSplash.reset();
            m_paintedPhase = 3;
            break;
        case 4:
            m_thirdSplash.reset();
            m_paintedPhase = 4;
            break;
        case 6:
            m_firstPaint = true;
            m_paintedPhase = 6;
            break;
        case kPhaseRunning:
            PaintScreen(update, dc);
            if (m_firstPaint) {
                m_firstPaint = false;
                m_paintedPhase = kPhaseRunning;
            }
            break;
        default:
            break;
    }
}

void CColoringDlg::LoadSplashPictures() {
    m_secondSplash = std::make_unique<CDib>();
    if (!m_secondSplash->Load("../bitmaps/Pimbly.bmp")) {
        AfxMessageBox("Failed to load second splash screen file");
    }
    m_thirdSplash = std::make_unique<CDib>();
    if (!m_thirdSplash->Load("../bitmaps/story.bmp")) {
        AfxMessageBox("Failed to load third splash screen file");
    }
}

void CColoringDlg::LoadScreenResources() {
    LoadButtonFaces();
    m_clickSound = std::make_unique<CBasicSound>();
    if (!m_clickSound->Load("../sounds/click.wav")) m_clickSound.reset();
    LoadCrayons();
    m_textureBox.Load();
}

void CColoringDlg::LoadButtonFaces() {
    const std::string folder = "../bitmaps/";
    for (std::size_t i = 0; i < kFaceFiles.size(); ++i) {
        m_faces[i].up = std::make_unique<CDib>();
        m_faces[i].up->Load(folder + kFaceFiles[i].up);
        m_faces[i].down = std::make_unique<CDib>();
        m_faces[i].down->Load(folder + kFaceFiles[i].down);
    }
    m_scrapUp.Load(folder + "scrapu.bmp");
    m_scrapDown.Load(folder + "scrapd.bmp");
    m_soundDown.Load(folder + "soundd.bmp");
    m_soundUp.Load(folder + "soundu.bmp");
}

void CColoringDlg::LoadCrayons() {
    CPictureButton& selector = GetButton(kRightStar);
    m_crayonBoxCount =
        CCrayonCatalogue::Load(m_crayonBoxes.data(), kMaxCrayonBoxes, [&selector](CCrayonBox& box) {
            if (CDib* image = box.GetButtonImage()) selector.AddFrames(image, 1);
        });
}

bool CColoringDlg::LoadBooks() {
    CBookCatalogue catalogue;
    const bool repeated = m_bookCount > 0;
    m_currentBook = -1;
    m_bookCount = 0;
    if (!catalogue.Read()) {
        // Without books there is nothing to colour, but the screen still opens.
        AfxMessageBox("The story books cannot be found: ../books/books.txt is missing.");
        return true;
    }
    // The scribble pad is not listed in the catalogue; it always sits in front of the books.
    m_shelf[0].Load(std::string(CBookCatalogue::kBooksFolder) + "scribble/", "scribble.txt");
    for (const CBookCatalogue::Line& line : catalogue.GetLines()) {
        if (line.isScrapbook) {
            if (!repeated) m_scrapbook.Load(line.scrapbookFolder, line.indexFile);
            continue;
        }
        if (m_bookCount >= m_bookCapacity) continue;
        CGlimBook& book = m_shelf[static_cast<std::size_t>(1 + m_bookCount)];
        ++m_bookCount;
        if (!line.isPath) {
            book.Load(line.folder, line.descriptionFile);
            continue;
        }
        m_startupHalted = true;
        if (!book.Load(line.folder, line.descriptionFile)) {
            AfxMessageBox("The story book's files cannot be found in " + line.folder);
            EndDialog(IDCANCEL);
            return false;
        }
        m_startupHalted = false;
    }
    for (CGlimBook& book : m_shelf) book.SetPalette(&m_palette);
    m_scrapbook.LinkToBooks(m_shelf.data(), 1 + m_bookCount);
    return true;
}

void CColoringDlg::OpenBook() {
    m_startupPhase = kPhaseRunning;
    m_tickCount = 1;
    m_toolKind = kToolFill;
    m_currentBook = 0;
    if (m_bookCount > 0) {
        m_pictureBook = &m_shelf[1];
        m_pictureBook->SelectImage(0, Control(kPictureArea));
    }
    Repaint();
}

void CColoringDlg::FinishStartup() {
    for (int id : kShowOrder) {
        if (CWnd* button = Control(id)) button->ShowWindow(SW_SHOWNOACTIVATE);
    }
    if (m_greeting.Load("../sounds/lets_clr.wav")) m_greeting.Play(CBasicSound::kInterruptingSound);
    KillTimer(kStartupTimer);
    FlushInput();
}

void CColoringDlg::FlushInput() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_INITDIALOG, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    }
}

// ---------------------------------------------------------------- the current picture

CGlimBook* CColoringDlg::GetCurrentPictureBook() {
    return m_pictureBook;
}

CGlimImage* CColoringDlg::GetCurrentPicture() {
    return m_pictureBook != nullptr ? m_pictureBook->GetCurrentImage() : nullptr;
}

void CColoringDlg::ShowScrapbookFull() {
    if (m_fullSound.Load("../sounds/oops.wav")) m_fullSound.Play(CBasicSound::kInterruptingSound);
    AfxMessageBox("The scrapbook is full. Throw a picture away to make room for this one.");
}

bool CColoringDlg::SaveTouchedPicture() {
    if (!m_unsaved) return true;
    switch (m_keeper.Save(GetCurrentPicture(), m_pictureBook)) {
        case CPictureKeeper::Result::Saved:
            m_unsaved = false;
            return true;
        case CPictureKeeper::Result::Full:
            ShowScrapbookFull();
            return false;
        case CPictureKeeper::Result::Failed:
            AfxMessageBox("The picture could not be saved in the scrapbook.");
            return false;
    }
    return false;
}

void CColoringDlg::ShowPicture(CGlimImage* picture) {
    if (picture == nullptr) return;
    m_keeper.Restore(picture);
    picture->SetWindow(Control(kPictureArea));
    picture->Redraw(true);
}

bool CColoringDlg::SetCurrentPicture(CGlimBook* book, CGlimImage* picture, int entryIndex) {
    if (book == nullptr || picture == nullptr) return false;
    if (!SaveTouchedPicture()) return false;
    if (entryIndex >= 0) m_keeper.Remember(picture, entryIndex);
    if (m_pictureBook != nullptr && m_pictureBook != book) m_pictureBook->SelectImage(-1, nullptr);
    m_pictureBook = book;
    book->SelectImageByPtr(picture, nullptr);
    ShowPicture(picture);
    return true;
}

// ---------------------------------------------------------------- mouse input

bool CColoringDlg::PickCrayon(CPoint point) {
    if (m_currentCrayonBox >= m_crayonBoxCount) return false;
    const CPoint inBox = PointIn(kCrayonArea, point);
    if (!m_crayonBoxes[static_cast<std::size_t>(m_currentCrayonBox)].HitCrayon(inBox.x, inBox.y)) {
        return false;
    }
    m_colourSource = 1;
    const CRect strip = GetControlRect(kColourStrip);
    InvalidateRect(&strip, FALSE);
    if (IsEraserCurrent()) SwitchFromEraser(kSmall);
    return true;
}

void CColoringDlg::Colour(CPoint point) {
    const CPoint inPicture = PointIn(kPictureArea, point);
    CRect area;
    if (CWnd* control = Control(kPictureArea)) control->GetClientRect(&area);
    if (!area.PtInRect(inPicture)) return;
    const CCrayon* colour = CurrentColour();
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr) return;
    if (m_toolKind == kToolFill) {
        if (colour == nullptr) return;
        m_fill.SetCrayon(colour);
        const auto i = static_cast<std::size_t>(m_random() % kFillSoundCount);
        if (!m_fillSounds[i].IsLoaded()) m_fillSounds[i].Load(m_fillSoundPaths[i]);
        m_fill.Fill(picture, inPicture, &m_fillSounds[i]);
    } else {
        CGlimBrush& brush = m_brushes[static_cast<std::size_t>(m_brushIndex)];
        if (colour == nullptr && !brush.IsEraseMode()) return;
        PlayClick();
        brush.SetCrayon(colour);
        brush.BeginStroke(picture, inPicture);
    }
    m_pictureTouched = true;
    m_unsaved = true;
}

void CColoringDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (m_startupPhase != kPhaseRunning) return;
    CDialog::OnLButtonDown(flags, point);
    if (PickCrayon(point)) return;
    Colour(point);
}

void CColoringDlg::OnMouseMove(UINT flags, CPoint point) {
    if (m_startupPhase != kPhaseRunning) return;
    CDialog::OnMouseMove(flags, point);
    if (m_toolKind == kToolBrush && m_brushIndex >= 0) {
        m_brushes[static_cast<std::size_t>(m_brushIndex)].MoveTo(PointIn(kPictureArea, point));
    }
}

void CColoringDlg::OnLButtonUp(UINT flags, CPoint point) {
    // A release during the story picture ends it once the books have loaded.
    if (m_startupPhase == 3 && m_tickCount > 1) {
        m_startupPhase = 4;
        m_tickCount = 0;
        Repaint();
    }
    if (m_startupPhase != kPhaseRunning) return;
    CDialog::OnLButtonUp(flags, point);
    if (m_toolKind == kToolBrush && m_brushIndex >= 0) {
        m_brushes[static_cast<std::size_t>(m_brushIndex)].EndStroke(true);
    }
}

void CColoringDlg::OnRButtonUp(UINT flags, CPoint point) {
    if (m_startupPhase == kPhaseRunning) CDialog::OnRButtonUp(flags, point);
}

BOOL CColoringDlg::OnSetCursor(CWnd*, UINT hitTest, UINT) {
    int index = 3;
    if (m_paintedPhase == 3) {
        index = 2;
    } else if (m_paintedPhase != kPhaseRunning) {
        index = 1;
    } else if (hitTest == HTCLIENT) {
        CPoint pointer;
        GetCursorPos(&pointer);
        CRect picture, crayons;
        if (CWnd* area = Control(kPictureArea)) area->GetWindowRect(&picture);
        if (CWnd* area = Control(kCrayonArea)) area->GetWindowRect(&crayons);
        if (picture.PtInRect(pointer)) {
            static constexpr int kBrushCursors[] = {5, 4, 6, 7};
            const bool brush = m_toolKind == kToolBrush && m_brushIndex >= 0 && m_brushIndex <= 3;
            index = brush ? kBrushCursors[m_brushIndex] : 2;
        } else if (crayons.PtInRect(pointer)) {
            index = 2;
        }
    }
    m_cursors.SetCursorIndex(index);
    return TRUE;
}

// ---------------------------------------------------------------- commands

BOOL CColoringDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= 1 && id <= 7) {
        ApplyPreset(id);
        return TRUE;
    }
    if (m_startupPhase != kPhaseRunning) return CWnd::OnCommand(wParam, lParam);
    switch (id) {
        case kSmallBrush:
            ChooseTool(kToolBrush, kSmall, m_smallBrushSound);
            return TRUE;
        case kBigBrush:
            ChooseTool(kToolBrush, kBig, m_bigBrushSound);
            return TRUE;
        case kRegionFill:
            ChooseTool(kToolFill, kNoBrush, m_fillToolSound);
            return TRUE;
        case kSmallEraser:
            ChooseTool(kToolBrush, kSmallErase, m_smallEraserSound);
            return TRUE;
        case kBigEraser:
            ChooseTool(kToolBrush, kBigErase, m_bigEraserSound);
            return TRUE;
        case kTextureUp:
        case kTextureDown:
            PageTextures(id == kTextureUp);
            return TRUE;
        case kTextureSlot0:
        case kTextureSlot1:
        case kTextureSlot2:
            ChooseTexture(SlotOf(id));
            return TRUE;
        case kUndo:
            UndoColouring();
            return TRUE;
        case kVoiceOver:
            PlayVoiceOver();
            return TRUE;
        case kRightStar:
        case kLeftStar:
            StepCrayonBox(id == kRightStar ? 1 : -1);
            return TRUE;
        case kSceneLeft:
        case kSceneRight:
            StepScene(id == kSceneRight ? 1 : -1);
            return TRUE;
        case kScrapbook:
            OpenScrapbook();
            return TRUE;
        case kExit:
            ExitSequence();
            return TRUE;
        default:
            return CWnd::OnCommand(wParam, lParam);
    }
}

void CColoringDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if (id != SC_CLOSE) {
        CDialog::OnSysCommand(id, lParam);
        return;
    }
    if (m_startupPhase == kPhaseRunning && m_paintedPhase == kPhaseRunning) ExitSequence();
}

LRESULT CColoringDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ENDSESSION) return CDialog::WindowProc(message, wParam, lParam);
    // The system stops the program: keep the picture as the exit button would, without
    // asking, and end every open screen.
    SaveTouchedPicture();
    PostQuitMessage(0);
    return 0;
}

void CColoringDlg::PlayToolSound(CBasicSound& sound, const std::string& path) {
    if (!sound.IsLoaded()) sound.Load(path);
    sound.Play(kToolSoundFlags);
}

void CColoringDlg::PlayClick() {
    if (m_clickSound) m_clickSound->Play(kToolSoundFlags);
}

int CColoringDlg::ToolButton(int kind, int brush) const {
    if (kind == kToolFill) return kRegionFill;
    static constexpr int kBrushButtons[] = {kSmallBrush, kBigBrush, kSmallEraser, kBigEraser};
    return brush >= 0 && brush <= 3 ? kBrushButtons[brush] : kRegionFill;
}

bool CColoringDlg::IsEraserCurrent() const {
    return m_toolKind == kToolBrush && (m_brushIndex == kSmallErase || m_brushIndex == kBigErase);
}

void CColoringDlg::SwitchFromEraser(int brush) {
    InvalidateControl(ToolButton(kToolBrush, brush));
    InvalidateControl(ToolButton(m_toolKind, m_brushIndex));
    m_toolKind = kToolBrush;
    m_brushIndex = brush;
}

void CColoringDlg::ChooseTool(int kind, int brush, ToolSound& sound) {
    const bool current = kind == kToolFill ? m_toolKind == kToolFill
                                           : m_toolKind == kToolBrush && m_brushIndex == brush;
    if (current) return;
    PlayToolSound(sound.sound, sound.path);
    InvalidateControl(ToolButton(kind, brush));
    InvalidateControl(ToolButton(m_toolKind, m_brushIndex));
    m_toolKind = kind;
    m_brushIndex = brush;
}

void CColoringDlg::PageTextures(bool forward) {
    PlayClick();
    if (forward) {
        m_textureBox.ScrollForward();
    } else {
        m_textureBox.ScrollBack();
    }
    for (int id : {kTextureSlot0, kTextureSlot1, kTextureSlot2}) InvalidateControl(id);
}

void CColoringDlg::ChooseTexture(int slot) {
    m_textureBox.PlaySlotSound(slot);
    m_textureBox.SelectSlot(slot);
    m_colourSource = 0;
    const CRect strip = GetControlRect(kColourStrip);
    InvalidateRect(&strip, FALSE);
    if (IsEraserCurrent()) SwitchFromEraser(kBig);
    const CCrayon* texture = CurrentColour();
    for (CGlimBrush& brush : m_brushes) brush.SetCrayon(texture);
}

void CColoringDlg::UndoColouring() {
    if (!m_pictureTouched) return;
    PlayToolSound(m_undoSound.sound, m_undoSound.path);
    if (CGlimImage* picture = GetCurrentPicture()) {
        if (picture->Undo(true)) m_unsaved = true;
    }
}

void CColoringDlg::PlayVoiceOver() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture != nullptr && picture->PlayVoiceOver()) FlushInput();
}

void CColoringDlg::ApplyPreset(int id) {
    CGlimBrush& big = m_brushes[kBig];
    CGlimBrush& small = m_brushes[kSmall];
    switch (id) {
        case 1:
            big.MakeRound(9, 1.0f);
            break;
        case 2:
            big.MakeSquare(18, 1.0f);
            break;
        case 3:
            small.MakeRound(3, 1.0f);
            break;
        case 4:
            small.MakeSquare(6, 1.0f);
            break;
        case 5: {
            std::array<float, 18 * 18> mask{};
            for (int row = 0; row < 18; ++row) {
                for (int column = 0; column < 18; ++column) {
                    const bool on = ((row / 6) % 2) == ((column / 6) % 2);
                    mask[static_cast<std::size_t>(row * 18 + column)] = on ? 1.0f : 0.0f;
                }
            }
            big.SetMask(mask.data(), 18, 18, 0, 0);
            break;
        }
        case 6:
            big.MakeRound(9, 0.05f);
            break;
        case 7:
            small.MakeRound(3, 0.05f);
            break;
        default:
            break;
    }
}

void CColoringDlg::StepCrayonBox(int step) {
    CPictureButton& selector = GetButton(kRightStar);
    if (step > 0) {
        selector.Click();
    } else {
        const int count = selector.GetFrameCount();
        if (count > 0) selector.SetFrameIndex((selector.GetFrameIndex() - 1 + count) % count);
    }
    PlayClick();
    const int shown = selector.GetFrameIndex();
    if (shown >= 0 && shown < m_crayonBoxCount) m_currentCrayonBox = shown;
    InvalidateControl(kRightStar);
    const CRect box = GetControlRect(kCrayonArea);
    const CRect strip = GetControlRect(kColourStrip);
    InvalidateRect(&box, FALSE);
    InvalidateRect(&strip, FALSE);
    UpdateWindow();
}

void CColoringDlg::StepScene(int step) {
    if (m_pictureBook == nullptr) return;
    if (!SaveTouchedPicture()) return;
    ToolSound& turn = m_pageTurn[static_cast<std::size_t>(m_pageTurnNext)];
    m_pageTurnNext = 1 - m_pageTurnNext;
    PlayToolSound(turn.sound, turn.path);
    CGlimBook* story = m_bookCount > 0 ? &m_shelf[1] : nullptr;
    if (m_pictureBook != story && story != nullptr) {
        // From the scribble pad the arrows lead back to the story.
        m_pictureBook->SelectImage(-1, nullptr);
        m_pictureBook = story;
        const int index = std::max(story->GetCurrentIndex(), 0);
        story->SelectImage(-1, nullptr);
        story->SelectImage(index, nullptr);
    } else if (step > 0) {
        m_pictureBook->SelectNext(nullptr);
    } else {
        m_pictureBook->SelectPrevious(nullptr);
    }
    ShowPicture(GetCurrentPicture());
}

void CColoringDlg::OpenScrapbook() {
#ifdef TALEWICK_HAS_SCRAPBOOK_SCREEN
    // The scrapbook screen shows and releases scenes, so what was coloured is saved first.
    if (!SaveTouchedPicture()) return;
    PlayClick();
    CGlimImage* before = GetCurrentPicture();
    CScrapbookDlg screen(this);
    screen.SetBooks(&m_shelf[1], m_bookCount);
    screen.SetScrapbook(&m_scrapbook);
    screen.SetPalette(&m_palette);
    screen.SetCursorObject(&m_cursors);
    screen.SetClickSound(m_clickSound.get());
    screen.SetPosition(m_windowRect.left, m_windowRect.top, m_windowRect.Width(),
                       m_windowRect.Height());
    const int result = screen.DoModal();
    CGlimImage* chosen = result == IDOK ? screen.GetShownPicture() : nullptr;
    if (chosen == nullptr) {
        ShowPicture(before);
        Repaint();
        return;
    }
    int entry = -1;
    CGlimBook* book = nullptr;
    if (screen.IsShowingScrapbook()) {
        entry = m_scrapbook.GetCurrentIndex();
        book = m_scrapbook.GetCurrentBook(false);
    } else {
        const int index = screen.GetShownBookIndex();
        book = index >= -1 && index < m_bookCount ? &m_shelf[static_cast<std::size_t>(index + 1)]
                                                  : nullptr;
    }
    if (book == nullptr || !SetCurrentPicture(book, chosen, entry)) ShowPicture(before);
    Repaint();
#endif
}

// ---------------------------------------------------------------- exit

void CColoringDlg::ExitSequence() {
    CBasicSound::StopAll();
    CQuitDlg quit(this);
    CRect window;
    GetWindowRect(&window);
    quit.SetPosition(window.left + 120, window.top + 28, 398, 264);
    quit.SetCursorObject(&m_cursors);
    quit.SetPalette(&m_palette);
    if (quit.DoModal() != IDOK) return;
    // What was coloured is kept before anything closes; a full scrapbook keeps the child here.
    if (!SaveTouchedPicture()) return;
    if (CWnd* area = Control(kPictureArea)) {
        if (CDC* dc = area->GetDC()) {
            CRect client;
            area->GetClientRect(&client);
            dc->FillSolidRect(client, RGB(255, 255, 255));
            area->ReleaseDC(dc);
            WindowManager::Instance().PresentIfDirty();
        }
    }
    if (m_goodbye.Load("../sounds/goodbye.wav")) m_goodbye.Play(CBasicSound::kWaitingSound);
    m_startupPhase = kPhaseClosing;
    m_paintedPhase = kPhaseClosing;
    m_cursors.SetCursorIndex(1);
    m_thirdSplash = std::make_unique<CDib>();
    if (!m_thirdSplash->Load("../bitmaps/Pimbly.bmp")) AfxMessageBox("Failed to load file");
    ShowClosingPictures();
    CDialog::OnOK();
}

void CColoringDlg::ShowClosingPictures() {
    CDC* dc = GetDC();
    if (dc == nullptr) return;
    Realize(*dc);
    auto show = [this, dc] {
        const CSize size = m_thirdSplash->GetSize();
        m_thirdSplash->Paint(*dc, 0, 0, size.cx, size.cy, nullptr);
        WindowManager::Instance().NoteDrawn(this, VisibleScreenRect(this));
        WindowManager::Instance().PresentIfDirty();
    };
    show();
    m_thirdSplash->Empty();
    if (!m_thirdSplash->Load("../bitmaps/ploq.bmp")) AfxMessageBox("Failed to load file");
    WaitUntil(GetTickCount(), kFirstClosingMs);
    show();
    WaitUntil(GetTickCount(), kSecondClosingMs);
    ReleaseDC(dc);
}

void CColoringDlg::OnDestroy() {
    // Told to quit without the exit button (the session ends): keep the colouring all the same.
    if (m_startupPhase == kPhaseRunning && m_unsaved) {
        m_keeper.Save(GetCurrentPicture(), m_pictureBook);
    }
    KillTimer(kStartupTimer);
    CDialog::OnDestroy();
}
