#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/CPictureDialog.h"
#include "dialogs/PicturePrinter.h"
#include "imaging/CDib.h"
#include "platform/base/CRect.h"
#include "resources/ScreenLayouts.h"
#include "scrapbook/ShelfChoice.h"
#include "sound/CBasicSound.h"

class CGlimBook;
class CGlimImage;
class CGlimScrapbook;
class Preferences;

// The scrapbook screen: the hub between colouring sessions. A shelf of story books, the
// scrapbook of saved pictures, the thumbnail of the shown picture (a click on it chooses
// that picture to colour), and the commands to page, print, trash, add a slide, play the
// slide show, open the options and colour the scribble pad.
//
// The opener hands over its books before DoModal; the scribble-pad book must sit directly
// in front of them (index -1). The screen releases and selects pictures of the books and
// of the scrapbook, so a touched picture must be saved before the screen opens.
//
// After DoModal returned IDOK the choice is: the scrapbook's current entry when
// IsShowingScrapbook(), else the current picture of the book GetCurrentBook() chose, or the
// scribble pad's first picture when it was chosen.
class CScrapbookDlg : public CPictureDialog {
  public:
    using Layout = ScreenLayouts::Scrapbook;
    static constexpr UINT kTemplateId = Layout::kScreen.templateId;
    static constexpr int kSlotCount = static_cast<int>(Layout::kSlots.size());

    enum ControlId : int {
        kReturn = Layout::kReturn.id,
        kPrint = Layout::kPrint.id,
        kTrash = Layout::kTrash.id,
        kBook1 = Layout::kSlots[0].id,
        kScrapbook = Layout::kScrapbook.id,
        kBook2 = Layout::kSlots[1].id,
        kBook3 = Layout::kSlots[2].id,
        kBook4 = Layout::kSlots[3].id,
        kImageLeft = Layout::kImageLeft.id,
        kImageRight = Layout::kImageRight.id,
        kBook5 = Layout::kSlots[4].id,
        kBook6 = Layout::kSlots[5].id,
        kBook7 = Layout::kSlots[6].id,
        kOptions = Layout::kOptions.id,
        kProjector = Layout::kProjector.id,
        kAddSlide = Layout::kAddSlide.id,
        kScribblePad = Layout::kScribblePad.id,
        kThumbnailArea = Layout::kThumbnailArea.id,
        kFrameArea = Layout::kFrameArea.id,
        kScrollThumbArea = Layout::kScrollThumb.id,
        kScrollTrackArea = Layout::kScrollTrack.id,
    };
    static constexpr std::array<int, kSlotCount> kSlotIds = {kBook1, kBook2, kBook3, kBook4,
                                                             kBook5, kBook6, kBook7};

    explicit CScrapbookDlg(CWnd* parent = nullptr);
    ~CScrapbookDlg() override;

    // Set before DoModal. `books[-1]` must be the scribble-pad book.
    void SetBooks(CGlimBook* books, int count);
    void SetScrapbook(CGlimScrapbook* scrapbook) { m_scrapbook = scrapbook; }
    void SetClickSound(CBasicSound* sound) { m_clickSound = sound; }
    // The settings the options screen changes; without any, its changes last while it is open.
    void SetPreferences(Preferences* preferences) { m_preferences = preferences; }
    // SetPosition pins the window: it stays there whatever asks it to move.

    // The shown picture's book among the shelf's books; -1 for the scribble pad or none.
    int GetShownBookIndex() const;
    CGlimImage* GetShownPicture();
    bool IsShowingScrapbook() const { return m_showingScrapbook; }
    ShelfChoice GetCurrentBook() const { return m_currentBook; }

    // State of the shelf, for the opener's and tests' inspection.
    // The index of the book in a shelf slot; none when there are fewer books than slots.
    std::optional<int> GetSlotBook(int slot) const { return m_slotBook.at(slot); }
    bool IsShelfScrolling() const { return m_shelfScrolls; }
    int GetShelfPosition() const { return m_shelfPosition; }
    int GetShelfLastPosition() const { return m_shelfLastPosition; }
    int GetThumbPosition(int step) const { return m_thumbPositions.at(step); }
    bool IsFrameHidden() const { return m_frameHidden; }
    PicturePrinter& GetPrinter() { return m_printer; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnWindowPosChanging(WINDOWPOS* pos) override;
    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* focusWnd) override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    void LoadPictures();
    void ChooseOpeningView();
    void SetUpShelf();
    void RefreshSlots();
    void PlayClick();
    void DrawContent(CDC& dc);
    void RedrawContent();
    CRect AreaRect(int id) const;
    CGlimBook* BookAt(int index) const;
    // The book the shelf has chosen (the scribble pad's when it was chosen); null for none.
    CGlimBook* ChosenBook() const;

    void OnSlot(int slot);
    void OnScrapbook();
    void OnStep(bool forward);
    void OnTrash();
    void OnOptions();
    void HideWithheldButtons();
    void OnPrint();
    void OnProjector();
    void OnAddSlide();
    void OnScribblePad();
    void StepShelf(int delta);
    CGlimImage* CurrentBookImage();
    PicturePrinter::Picture TakePrintPicture();

    CDib m_bookFrame;
    CDib m_scrapbookFrame;
    CDib m_scrollTrack;
    CDib m_scrollThumb;
    CBasicSound* m_clickSound = nullptr;
    CBasicSound m_slideShowSound;
    CBasicSound m_addSlideSound;
    CGlimBook* m_books = nullptr;
    int m_bookCount = 0;
    CGlimScrapbook* m_scrapbook = nullptr;
    Preferences* m_preferences = nullptr;
    ShelfChoice m_currentBook = ShelfChoice::Book(0);
    bool m_showingScrapbook = false;
    bool m_frameHidden = false;
    std::array<std::optional<int>, kSlotCount> m_slotBook{};
    bool m_shelfScrolls = false;
    int m_shelfPosition = 0;
    int m_shelfLastPosition = 0;
    std::vector<int> m_thumbPositions{0};
    PicturePrinter m_printer;
};
