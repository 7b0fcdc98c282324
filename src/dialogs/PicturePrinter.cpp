#include "dialogs/PicturePrinter.h"

#include <array>
#include <string_view>

#include "dialogs/CPrintDlg.h"
#include "imaging/CCursor.h"
#include "imaging/CDib.h"
#include "platform/print/CPrintDialog.h"
#include "platform/print/FontFamilies.h"
#include "platform/window/CWnd.h"
#include "platform/window/MessageBox.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"

namespace {

constexpr std::array<std::string_view, 3> kPreferredFaces = {"Arial", "Comic Sans MS",
                                                             "Century Gothic"};
constexpr const char* kFallbackFace = "MS Sans Serif";
constexpr const char* kScribblePad = "Scribble Pad";
constexpr const char* kPrintedSoundPath = ContentPaths::kPrintedSound;
constexpr const char* kRefusedMessage = "The picture could not be printed.";
constexpr const char* kNoPrinterMessage = "There is no printer to print the picture on.";

// Space between the title band and the picture, and between the caption and the
// picture's sides, in device units.
constexpr int kTitleGap = 10;
constexpr int kCaptionInset = 150;
constexpr int kFallbackLineHeight = 50;
constexpr int kMeasureHeight = 10;

bool IsPreferred(const std::string& face) {
    for (std::string_view preferred : kPreferredFaces) {
        if (face == preferred) return true;
    }
    return false;
}

}  // namespace

PicturePrinter::PicturePrinter() = default;
PicturePrinter::~PicturePrinter() = default;

bool PicturePrinter::Print(CWnd& screen, CCursor* cursor, CPalette* palette,
                           const PictureSource& source) {
    CPrintDialog printDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION);
    if (!printDialog.GetDefaults()) {
        AfxMessageBox(ChildMessage::NoPrinter, kNoPrinterMessage);
        return false;
    }
    CPrinterDC& printer = *printDialog.GetPrinterDC();

    bool printText = true;
    if (!Confirm(screen, cursor, palette, &printText)) return false;

    BuildScreenFont(screen, printer.GetDeviceCaps(LOGPIXELSY));
    CFont* oldFont = printer.SelectObject(m_font.get());
    const Picture picture = source.take ? source.take() : Picture();
    bool printed = false;
    if (picture.printImage != nullptr) {
        const CursorShape previousCursor =
            cursor != nullptr ? cursor->GetShape() : CursorShape::Pointer;
        if (cursor != nullptr) cursor->SetShape(CursorShape::Wait);
        printed = PrintPage(printer, picture, printText);
        printer.SelectObject(oldFont);
        printDialog.ReleasePrinter();
        if (source.releasePrintLayer) source.releasePrintLayer();
        screen.UpdateWindow();
        PlayPrintedSound();
        if (cursor != nullptr) cursor->SetShape(previousCursor);
    } else {
        printer.SelectObject(oldFont);
    }
    return printed;
}

bool PicturePrinter::Confirm(CWnd& screen, CCursor* cursor, CPalette* palette, bool* printText) {
    CRect window;
    screen.GetWindowRect(&window);
    CPrintDlg dialog(&screen);
    // The confirmation opens where every pop-up of the scrapbook screen does.
    const CRect& place = ScreenLayouts::kPopupRect;
    dialog.SetPosition(window.left + place.left, window.top + place.top, place.Width(),
                       place.Height());
    dialog.SetCursorObject(cursor);
    dialog.SetPalette(palette);
    const int answer = dialog.DoModal();
    screen.UpdateWindow();
    *printText = dialog.GetPrintText();
    return answer == IDOK;
}

void PicturePrinter::BuildScreenFont(CWnd& screen, int logPixelsY) {
    CDC* screenDC = screen.GetDC();
    BuildPrintFont(screenDC, logPixelsY);
    if (screenDC != nullptr) screen.ReleaseDC(screenDC);
}

void PicturePrinter::ResetFaces() {
    m_faces.clear();
    m_chosenFace = -1;
}

bool PicturePrinter::OfferFace(const LOGFONT& font, DWORD fontType) {
    if (!(fontType & TRUETYPE_FONTTYPE)) return true;
    if (GetFaceCount() >= kMaxFaces) return false;
    m_faces.push_back(font.lfFaceName);
    if (IsPreferred(font.lfFaceName)) {
        m_chosenFace = GetFaceCount() - 1;
        return false;
    }
    return GetFaceCount() < kMaxFaces;
}

void PicturePrinter::BuildPrintFont(CDC* screenDC, int logPixelsY) {
    ResetFaces();
    EnumFontFamilies(screenDC,
                     [this](const LOGFONT& font, DWORD type) { return OfferFace(font, type); });
    CreatePrintFont(logPixelsY);
}

void PicturePrinter::CreatePrintFont(int logPixelsY) {
    // An 18-point font at the printer's resolution; integer division truncates toward zero.
    const int height = -(18 * logPixelsY) / 72;
    m_font.reset();
    m_font = std::make_unique<CFont>();
    if (m_chosenFace >= 0) {
        m_font->CreateFont(height, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 4,
                           m_faces[m_chosenFace].c_str());
    } else {
        m_font->CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0, kFallbackFace);
    }
}

std::string PicturePrinter::MakeTitle(const std::string& bookName) {
    return bookName == kScribblePad ? bookName + " Image" : bookName;
}

std::string PicturePrinter::MakeSceneLabel(int sceneNumber) {
    return "~" + std::to_string(sceneNumber) + "~";
}

PicturePrinter::PageLayout PicturePrinter::ComputeLayout(CPrinterDC& printer, CSize image,
                                                         const std::string& title,
                                                         const std::string& sceneLabel) {
    const int pageWidth = printer.GetDeviceCaps(HORZRES);
    const int pageHeight = printer.GetDeviceCaps(VERTRES);
    PageLayout layout;
    // Fit the picture to the page, keeping its proportions.
    if (static_cast<float>(pageWidth) / static_cast<float>(pageHeight) >
        static_cast<float>(image.cx) / static_cast<float>(image.cy)) {
        layout.printed.cy = pageHeight;
        layout.printed.cx =
            static_cast<int>(static_cast<long long>(image.cx) * pageHeight / image.cy);
    } else {
        layout.printed.cx = pageWidth;
        layout.printed.cy =
            static_cast<int>(static_cast<long long>(image.cy) * pageWidth / image.cx);
    }
    // The title is measured against the page height and only reserves its band.
    CRect titleRect(0, 0, pageHeight, kMeasureHeight);
    layout.titleHeight = printer.DrawText(title, &titleRect, DT_CALCRECT | DT_WORDBREAK);

    CRect label(0, 0, pageHeight, kMeasureHeight);
    printer.DrawText(sceneLabel, &label, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    label.OffsetRect(0, pageHeight - label.bottom);
    label.right = pageWidth;
    layout.sceneLabelRect = label;

    layout.origin = CPoint((pageWidth - layout.printed.cx) / 2, layout.titleHeight + kTitleGap);
    return layout;
}

bool PicturePrinter::PrintPage(CPrinterDC& printer, const Picture& picture, bool printText) {
    if (picture.printImage == nullptr || !picture.printImage->IsValid()) return false;
    const CSize size = picture.printImage->GetSize();
    if (size.cx <= 0 || size.cy <= 0) return false;

    const std::string sceneLabel = MakeSceneLabel(picture.sceneNumber);
    const PageLayout layout = ComputeLayout(printer, size, MakeTitle(picture.bookName), sceneLabel);

    DOCINFO info;
    info.lpszDocName = kDocumentName;
    if (printer.StartDoc(&info) <= 0) return false;
    bool printed = false;
    if (printer.StartPage() > 0) {
        DrawPage(printer, picture, layout, sceneLabel, printText);
        printed = printer.EndPage() > 0;
    }
    if (printer.EndDoc() <= 0) {
        AfxMessageBox(ChildMessage::PrintFailed, kRefusedMessage);
        return false;
    }
    return printed;
}

void PicturePrinter::DrawPage(CPrinterDC& printer, const Picture& picture, const PageLayout& layout,
                              const std::string& sceneLabel, bool printText) {
    printer.SetMapMode(MM_TEXT);
    printer.SelectObject(m_font.get());
    picture.printImage->Paint(printer, layout.origin.x, layout.origin.y, layout.printed.cx,
                              layout.printed.cy, nullptr);
    if (!printText) return;
    if (!picture.caption.empty()) {
        TEXTMETRIC metrics;
        const int lineHeight =
            printer.GetTextMetrics(&metrics) ? metrics.tmHeight : kFallbackLineHeight;
        CRect captionRect(
            layout.origin.x + kCaptionInset, layout.origin.y + layout.printed.cy + lineHeight,
            layout.origin.x + layout.printed.cx - kCaptionInset, layout.sceneLabelRect.top);
        printer.DrawText(picture.caption, &captionRect, DT_WORDBREAK);
    }
    // Scene 0 is the book's title page and carries no number.
    if (picture.sceneNumber != 0) {
        CRect labelRect = layout.sceneLabelRect;
        printer.DrawText(sceneLabel, &labelRect, DT_CENTER | DT_WORDBREAK);
    }
}

void PicturePrinter::PlayPrintedSound() {
    if (!m_printedSound.IsLoaded()) m_printedSound.Load(kPrintedSoundPath);
    m_printedSound.Play(CBasicSound::kInterruptingSound);
}
