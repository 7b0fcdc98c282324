#include "scrapbook/CScrapbookDlg.h"

#include <cstring>

#include "dialogs/COptionsDlg.h"
#include "dialogs/CTrashDlg.h"
#include "imaging/CCursor.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CGlimScrapbook.h"
#include "platform/backend/CursorImage.h"
#include "platform/draw/CPaintDC.h"
#include "platform/window/MessageBox.h"
#include "resources/CDialogTemplates.h"
#include "resources/ContentPaths.h"
#include "slides/CSlideShowDlg.h"

namespace {

constexpr const char* kScribblePadName = "Scribble Pad";
constexpr const char* kNoStoryMessage = "You must select a story to see a slide show.";
constexpr const char* kNoSlidesMessage = "There are no slides available for ";

// The shelf's scroll thumb: at step p it sits T[p] to the right of its first place; T runs
// from 0 to the track's free length.
constexpr CRect kThumbHome = ScreenLayouts::Scrapbook::kScrollThumb.rect;
constexpr int kThumbTravel = 275;
// How far the mouse must be from the thumb's centre before the shelf steps.
constexpr int kDragSlack = 10;

}  // namespace

CScrapbookDlg::CScrapbookDlg(CWnd* parent) : CPictureDialog(kTemplateId, parent) {
    LoadPictures();
}

CScrapbookDlg::~CScrapbookDlg() = default;

const DialogTemplate* CScrapbookDlg::GetDialogTemplate() const {
    return CDialogTemplates::Find(kTemplateId);
}

void CScrapbookDlg::LoadPictures() {
    const ScreenLayout& screen = Layout::kScreen;
    GetBackground().Load(screen.BackgroundPath());
    m_bookFrame.Load(screen.PathOf(Layout::kBookFrame.file));
    m_scrapbookFrame.Load(screen.PathOf(Layout::kScrapbookFrame.file));
    m_scrollTrack.Load(screen.PathOf(Layout::kTrack.file));
    m_scrollThumb.Load(screen.PathOf(Layout::kThumb.file));
    AddButtons(screen);
    // A slot lights up while its book is shown.
    for (const ControlLayout& slot : Layout::kSlots)
        AddButton(slot.id, slot.rect).SetMode(CPictureButton::Mode::Toggle);
}

void CScrapbookDlg::SetBooks(CGlimBook* books, int count) {
    m_books = books;
    m_bookCount = books != nullptr && count > 0 ? count : 0;
}

CGlimBook* CScrapbookDlg::BookAt(int index) const {
    // Index -1 is the scribble pad, which the opener keeps in front of the books.
    if (m_books == nullptr || index < -1 || index >= m_bookCount) return nullptr;
    return m_books + index;
}

CGlimBook* CScrapbookDlg::ChosenBook() const {
    switch (m_currentBook.GetKind()) {
        case ShelfChoice::Kind::Book:
            return BookAt(m_currentBook.GetBookIndex());
        case ShelfChoice::Kind::ScribblePad:
            return BookAt(-1);
        case ShelfChoice::Kind::None:
            break;
    }
    return nullptr;
}

BOOL CScrapbookDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    PlaceWindow(FALSE, CSize(640, 480));
    ChooseOpeningView();
    SetUpShelf();
    RefreshSlots();
    HideWithheldButtons();
    return TRUE;
}

// A grown-up may take printing or the options screen away from the child.
void CScrapbookDlg::HideWithheldButtons() {
    if (m_preferences == nullptr) return;
    const auto hide = [this](int id, bool allowed) {
        if (CWnd* button = GetDlgItem(id); button != nullptr && !allowed)
            button->ShowWindow(SW_HIDE);
    };
    hide(kPrint, m_preferences->IsPrintingAllowed());
    hide(kOptions, m_preferences->IsOptionsScreenShown());
}

// The screen opens on the scrapbook when it holds pictures, else on the first book.
void CScrapbookDlg::ChooseOpeningView() {
    m_frameHidden = false;
    if (m_scrapbook != nullptr && m_scrapbook->GetCount() > 0) {
        m_showingScrapbook = true;
        m_currentBook = ShelfChoice::Nothing();
        if (m_scrapbook->GetCurrentIndex() < 0) m_scrapbook->Select(0);
        return;
    }
    m_showingScrapbook = false;
    m_currentBook = ShelfChoice::Book(0);
    if (CGlimBook* book = BookAt(0); book != nullptr && book->GetCurrentIndex() < 0)
        book->SelectImage(0);
}

void CScrapbookDlg::SetUpShelf() {
    for (int k = 0; k < kSlotCount; ++k)
        m_slotBook[k] = k < m_bookCount ? std::optional<int>(k) : std::nullopt;
    m_shelfScrolls = m_bookCount > kSlotCount;
    m_shelfPosition = 0;
    m_shelfLastPosition = m_shelfScrolls ? m_bookCount - kSlotCount : 0;
    m_thumbPositions.assign(m_shelfLastPosition + 1, 0);
    for (int p = 1; p <= m_shelfLastPosition; ++p)
        m_thumbPositions[p] = p * kThumbTravel / m_shelfLastPosition;
}

// Gives every slot its book's binder and lights the slot of the shown book.
void CScrapbookDlg::RefreshSlots() {
    for (int k = 0; k < kSlotCount; ++k) {
        CPictureButton& slot = GetButton(kSlotIds[k]);
        CGlimBook* book = m_slotBook[k] ? BookAt(*m_slotBook[k]) : nullptr;
        if (book == nullptr) {
            slot.ClearPictures();
            if (slot.GetSafeHwnd() != nullptr) slot.ShowWindow(SW_HIDE);
            continue;
        }
        if (slot.GetSafeHwnd() == nullptr) continue;
        slot.InvalidateRect(nullptr, TRUE);
        slot.SetPictures(book->GetBinderPicture(), book->GetBinderHighlightPicture(), nullptr);
        slot.ShowWindow(SW_SHOWNA);
        if (m_currentBook == ShelfChoice::Book(*m_slotBook[k])) {
            slot.SetOn();
        } else if (slot.IsOn()) {
            slot.SetOff();
        }
    }
}

void CScrapbookDlg::PlayClick() {
    if (m_clickSound != nullptr) m_clickSound->Play(CBasicSound::kInterruptingSound);
}

int CScrapbookDlg::GetShownBookIndex() const {
    if (m_showingScrapbook) {
        CGlimBook* book = m_scrapbook != nullptr ? m_scrapbook->GetCurrentBook(false) : nullptr;
        for (int i = 0; i < m_bookCount && book != nullptr; ++i)
            if (m_books + i == book) return i;
        return -1;
    }
    return m_currentBook.IsBook() ? m_currentBook.GetBookIndex() : -1;
}

CGlimImage* CScrapbookDlg::GetShownPicture() {
    if (m_showingScrapbook)
        return m_scrapbook != nullptr ? m_scrapbook->GetCurrentImage() : nullptr;
    // After the scribble pad was chosen, its first picture is the one shown.
    CGlimBook* book = ChosenBook();
    return book != nullptr ? book->GetCurrentImage() : nullptr;
}

CRect CScrapbookDlg::AreaRect(int id) const {
    CRect rect;
    CWnd* area = GetDlgItem(id);
    if (area == nullptr) return rect;
    area->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

void CScrapbookDlg::OnPaint() {
    CPaintDC dc(this);
    PaintBackground(dc, GetBackground());
    DrawContent(dc);
    if (!m_shelfScrolls) return;
    const CRect track = AreaRect(kScrollTrackArea);
    const CRect thumb = AreaRect(kScrollThumbArea);
    m_scrollTrack.Paint(dc, track.left, track.top, track.Width(), track.Height(), GetPalette());
    m_scrollThumb.Paint(dc, thumb.left, thumb.top, thumb.Width(), thumb.Height(), GetPalette());
}

void CScrapbookDlg::DrawContent(CDC& dc) {
    RealizePalette(dc);
    if (!m_frameHidden) {
        const CRect frame = AreaRect(kFrameArea);
        CDib& picture = m_showingScrapbook ? m_scrapbookFrame : m_bookFrame;
        picture.Paint(dc, frame.left, frame.top, frame.Width(), frame.Height(), GetPalette());
    }
    CGlimImage* shown = GetShownPicture();
    CDib* thumbnail = shown != nullptr ? shown->GetThumbnail() : nullptr;
    if (thumbnail == nullptr || !thumbnail->IsValid()) return;
    const CRect area = AreaRect(kThumbnailArea);
    thumbnail->Paint(dc, area.left, area.top, area.Width(), area.Height(), GetPalette());
}

void CScrapbookDlg::RedrawContent() {
    CDC* dc = GetDC();
    if (dc == nullptr) return;
    DrawContent(*dc);
    ReleaseDC(dc);
}

BOOL CScrapbookDlg::OnQueryNewPalette() {
    if (GetPalette() == nullptr) return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

void CScrapbookDlg::OnPaletteChanged(CWnd* focusWnd) {
    if (focusWnd != this && GetPalette() != nullptr) Invalidate(TRUE);
}

BOOL CScrapbookDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    for (int k = 0; k < kSlotCount; ++k) {
        if (kSlotIds[k] != id) continue;
        OnSlot(k);
        return TRUE;
    }
    switch (id) {
        case kScrapbook:
            OnScrapbook();
            return TRUE;
        case kImageLeft:
            OnStep(false);
            return TRUE;
        case kImageRight:
            OnStep(true);
            return TRUE;
        case kTrash:
            OnTrash();
            return TRUE;
        case kOptions:
            if (m_preferences == nullptr || m_preferences->IsOptionsScreenShown()) OnOptions();
            return TRUE;
        case kPrint:
            if (m_preferences == nullptr || m_preferences->IsPrintingAllowed()) OnPrint();
            return TRUE;
        case kProjector:
            OnProjector();
            return TRUE;
        case kAddSlide:
            OnAddSlide();
            return TRUE;
        case kScribblePad:
            OnScribblePad();
            return TRUE;
        case IDCANCEL:
            // Escape and the system close leave the screen like Return does.
            OnOK();
            return TRUE;
        case kReturn:
            PlayClick();
            break;
        default:
            break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CScrapbookDlg::OnSlot(int slot) {
    if (!m_slotBook[slot]) return;
    const int bookIndex = *m_slotBook[slot];
    if (m_currentBook == ShelfChoice::Book(bookIndex) || BookAt(bookIndex) == nullptr) return;
    PlayClick();
    GetButton(kSlotIds[slot]).Click();
    if (m_showingScrapbook) {
        if (m_scrapbook != nullptr) m_scrapbook->Select(-1);
        m_showingScrapbook = false;
        m_frameHidden = false;
    } else if (CGlimBook* shown = ChosenBook(); shown != nullptr && m_currentBook.IsBook()) {
        shown->SelectImage(-1);
    }
    m_currentBook = ShelfChoice::Book(bookIndex);
    BookAt(bookIndex)->SelectImage(0);
    RefreshSlots();
    RedrawContent();
}

void CScrapbookDlg::OnScrapbook() {
    if (m_showingScrapbook || m_scrapbook == nullptr || m_scrapbook->GetCount() < 1) return;
    PlayClick();
    GetButton(kScrapbook).Click();
    if (CGlimBook* shown = ChosenBook(); shown != nullptr && m_currentBook.IsBook())
        shown->SelectImage(-1);
    m_currentBook = ShelfChoice::Nothing();
    m_scrapbook->Select(0);
    m_showingScrapbook = true;
    m_frameHidden = false;
    RefreshSlots();
    RedrawContent();
}

void CScrapbookDlg::OnStep(bool forward) {
    PlayClick();
    if (CGlimImage* shown = GetShownPicture()) shown->ReleaseAll();
    if (m_showingScrapbook) {
        if (m_scrapbook != nullptr)
            forward ? m_scrapbook->SelectNext() : m_scrapbook->SelectPrevious();
    } else if (CGlimBook* book = ChosenBook()) {
        forward ? book->SelectNext() : book->SelectPrevious();
    }
    m_frameHidden = false;
    RedrawContent();
}

void CScrapbookDlg::OnTrash() {
    if (!m_showingScrapbook || m_scrapbook == nullptr || m_scrapbook->GetCount() < 1) return;
    PlayClick();
    CRect window;
    GetWindowRect(&window);
    CTrashDlg confirm(this);
    confirm.SetPosition(window.left + ScreenLayouts::kPopupRect.left,
                        window.top + ScreenLayouts::kPopupRect.top,
                        ScreenLayouts::kPopupRect.Width(), ScreenLayouts::kPopupRect.Height());
    confirm.SetCursorObject(GetCursorObject());
    confirm.SetPalette(GetPalette());
    if (confirm.DoModal() != IDOK) return;
    m_scrapbook->DeleteEntry(m_scrapbook->GetCurrentIndex());
    if (m_scrapbook->GetCount() == 0 && m_slotBook[0].has_value()) {
        // Nothing left to show in the scrapbook: the book of the first slot takes its place.
        OnSlot(0);
        return;
    }
    m_frameHidden = false;
    Invalidate(FALSE);
    RedrawContent();
}

void CScrapbookDlg::OnOptions() {
    PlayClick();
    CRect window;
    GetWindowRect(&window);
    Preferences unkept;
    COptionsDlg options(m_preferences != nullptr ? *m_preferences : unkept, this);
    options.SetPosition(window.left + ScreenLayouts::kPopupRect.left,
                        window.top + ScreenLayouts::kPopupRect.top,
                        ScreenLayouts::kPopupRect.Width(), ScreenLayouts::kPopupRect.Height());
    options.SetCursorObject(GetCursorObject());
    options.SetPalette(GetPalette());
    options.DoModal();
    RedrawContent();
}

CGlimImage* CScrapbookDlg::CurrentBookImage() {
    CGlimBook* book = ChosenBook();
    return book != nullptr ? book->GetCurrentImage() : nullptr;
}

PicturePrinter::Picture CScrapbookDlg::TakePrintPicture() {
    PicturePrinter::Picture picture;
    CGlimImage* image = nullptr;
    CGlimBook* book = nullptr;
    if (m_showingScrapbook && m_scrapbook != nullptr) {
        image = m_scrapbook->GetCurrentImage();
        book = m_scrapbook->GetCurrentBook(false);
        picture.sceneNumber = m_scrapbook->FindCurrentInBook();
        if (image != nullptr) picture.printImage = image->GetPrintPicture(true);
    } else if ((book = ChosenBook()) != nullptr) {
        image = book->GetCurrentImage();
        picture.sceneNumber = book->GetCurrentIndex();
        if (image != nullptr) picture.printImage = image->GetPrintPicture(false);
    }
    if (book != nullptr) picture.bookName = book->GetBookName();
    if (image != nullptr) picture.caption = image->GetCaption();
    return picture;
}

void CScrapbookDlg::OnPrint() {
    PlayClick();
    PicturePrinter::PictureSource source;
    CGlimImage* printed = nullptr;
    source.take = [this, &printed] {
        PicturePrinter::Picture picture = TakePrintPicture();
        printed = m_showingScrapbook && m_scrapbook != nullptr ? m_scrapbook->GetCurrentImage()
                                                               : CurrentBookImage();
        return picture;
    };
    // The print layer is only needed for the page; the picture's other layers stay.
    source.releasePrintLayer = [&printed] {
        if (printed != nullptr) printed->ReleasePrintPicture();
    };
    m_printer.Print(*this, GetCursorObject(), GetPalette(), source);
    UpdateWindow();
    RedrawContent();
}

void CScrapbookDlg::OnProjector() {
    CGlimBook* book = BookAt(GetShownBookIndex());
    if (book == nullptr) return;
    if (!book->HasSlides()) {
        if (book->GetBookName() == kScribblePadName) {
            AfxMessageBox(ChildMessage::NoStoryChosen, kNoStoryMessage);
        } else {
            AfxMessageBox(ChildMessage::NoSlides, kNoSlidesMessage + book->GetBookName());
        }
        return;
    }
    if (m_slideShowSound.IsLoaded() || m_slideShowSound.Load(ContentPaths::kSlideShowSound))
        m_slideShowSound.Play(CBasicSound::kWaitingSound);
    CRect window;
    GetWindowRect(&window);
    CSlideShowDlg player(this);
    player.SetPosition(window.left, window.top, 0, 0);
    player.SetPalette(GetPalette());
    player.SetBook(book);
    player.SetScrapbook(m_scrapbook);
    player.SetCursorObject(GetCursorObject());
    player.SetClickSound(m_clickSound);
    player.DoModal();
    RedrawContent();
}

void CScrapbookDlg::OnAddSlide() {
    if (!m_showingScrapbook || m_scrapbook == nullptr) return;
    CGlimBook* entryBook = m_scrapbook->GetCurrentBook(false);
    if (entryBook == nullptr || entryBook->GetBookName() == kScribblePadName) return;
    CGlimBook* target = nullptr;
    for (int i = 0; i < m_bookCount && target == nullptr; ++i)
        if (m_books[i].GetBookName() == entryBook->GetBookName()) target = m_books + i;
    if (target == nullptr) return;
    target->SetSlide(m_scrapbook->FindCurrentInBook(), m_scrapbook->GetCurrentSavedFile());
    if (m_addSlideSound.IsLoaded() || m_addSlideSound.Load(ContentPaths::kAddSlideSound))
        m_addSlideSound.Play(CBasicSound::kInterruptingSound);
}

void CScrapbookDlg::OnScribblePad() {
    GetButton(kScribblePad).Click();
    if (CGlimBook* pad = BookAt(-1)) pad->SelectImage(0);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    if (m_showingScrapbook) {
        if (m_scrapbook != nullptr) m_scrapbook->Select(-1);
    } else if (CGlimBook* shown = ChosenBook(); shown != nullptr && m_currentBook.IsBook()) {
        shown->SelectImage(-1);
    }
    m_showingScrapbook = false;
    m_frameHidden = false;
    m_currentBook = ShelfChoice::ScribblePad();
}

void CScrapbookDlg::OnLButtonDown(UINT flags, CPoint point) {
    if (AreaRect(kThumbnailArea).PtInRect(point)) {
        OnOK();
        return;
    }
    CDialog::OnLButtonDown(flags, point);
}

BOOL CScrapbookDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (GetCursorObject() == nullptr) return CPictureDialog::OnSetCursor(wnd, hitTest, message);
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    const bool overThumbnail = AreaRect(kThumbnailArea).PtInRect(point);
    const bool overScroll = m_shelfScrolls && AreaRect(kScrollThumbArea).PtInRect(point);
    GetCursorObject()->SetShape(overThumbnail || overScroll ? CursorShape::Wand
                                                            : CursorShape::Pointer);
    return TRUE;
}

void CScrapbookDlg::OnMouseMove(UINT flags, CPoint point) {
    const CRect thumb = AreaRect(kScrollThumbArea);
    if (m_shelfScrolls && flags == MK_LBUTTON && thumb.PtInRect(point)) {
        const int centre = (thumb.left + thumb.right) / 2;
        if (centre + kDragSlack < point.x && m_shelfPosition < m_shelfLastPosition) {
            StepShelf(1);
        } else if (point.x < centre - kDragSlack && m_shelfPosition > 0) {
            StepShelf(-1);
        }
    }
    CDialog::OnMouseMove(flags, point);
}

// Moves the shelf one step, the thumb with it and the mouse along with the thumb.
void CScrapbookDlg::StepShelf(int delta) {
    CWnd* thumb = GetDlgItem(kScrollThumbArea);
    const int from = m_shelfPosition;
    m_shelfPosition += delta;
    const CRect old = AreaRect(kScrollThumbArea);
    if (thumb != nullptr) {
        thumb->MoveWindow(m_thumbPositions[m_shelfPosition] + kThumbHome.left, kThumbHome.top,
                          kThumbHome.Width(), kThumbHome.Height(), TRUE);
    }
    InvalidateRect(&old, TRUE);
    const int carried =
        m_thumbPositions[m_shelfPosition] - m_thumbPositions[from] - delta * kDragSlack;
    CPoint cursor;
    GetCursorPos(&cursor);
    SetCursorPos(cursor.x + carried, cursor.y);
    for (std::optional<int>& book : m_slotBook)
        if (book) *book += delta;
    RefreshSlots();
    const CRect moved = AreaRect(kScrollThumbArea);
    InvalidateRect(&moved, TRUE);
}

void CScrapbookDlg::OnWindowPosChanging(WINDOWPOS* pos) {
    CDialog::OnWindowPosChanging(pos);
    if (pos == nullptr || GetPosition().Width() <= 0) return;
    pos->x = GetPosition().left;
    pos->y = GetPosition().top;
    pos->cx = GetPosition().Width();
    pos->cy = GetPosition().Height();
}
