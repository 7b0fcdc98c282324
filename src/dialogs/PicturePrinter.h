#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/CPoint.h"
#include "platform/base/CRect.h"
#include "platform/base/CSize.h"
#include "platform/print/CFont.h"
#include "platform/print/CPrinterDC.h"
#include "platform/print/PrintTypes.h"
#include "sound/CBasicSound.h"

class CCursor;
class CDib;
class CPalette;
class CWnd;

// Prints one picture on the default printer: the confirmation dialog, the print font, the
// page (the picture scaled to the page, its caption and the scene number) and the sounds.
// The scrapbook screen keeps one PicturePrinter for its Print command; it owns the print
// font and the face list between prints.
class PicturePrinter {
  public:
    static constexpr int kMaxFaces = 100;
    static constexpr const char* kDocumentName = "Pimbly Talewick Image";

    // What the caller hands over for one print.
    struct Picture {
        CDib* printImage = nullptr;  // the canvas or the print layer; null prints nothing
        std::string bookName;
        int sceneNumber = 0;
        std::string caption;
    };

    // Where the page's parts go, in printer device units.
    struct PageLayout {
        CPoint origin;
        CSize printed;
        int titleHeight = 0;
        CRect sceneLabelRect;
    };

    // The picture to print, taken once the child said yes (the print layer loads then),
    // and the release of the print layer afterwards.
    struct PictureSource {
        std::function<Picture()> take;
        std::function<void()> releasePrintLayer;
    };

    PicturePrinter();
    ~PicturePrinter();
    PicturePrinter(const PicturePrinter&) = delete;
    PicturePrinter& operator=(const PicturePrinter&) = delete;

    // The whole Print command after the screen's click sound: asks for the default printer
    // (none: the child is told there is no printer), shows the confirmation over `screen`,
    // and prints the picture. True when a page went to the printer.
    bool Print(CWnd& screen, CCursor* cursor, CPalette* palette, const PictureSource& source);

    // Refills the face list from the screen's font families and creates the print font
    // for a printer of `logPixelsY` dots per inch, replacing the previous font.
    void BuildPrintFont(CDC* screenDC, int logPixelsY);
    // The face list: cleared, then offered the enumerated families one by one. False
    // to stop the enumeration (a preferred face was chosen, or the list is full).
    void ResetFaces();
    bool OfferFace(const LOGFONT& font, DWORD fontType);
    int GetFaceCount() const { return static_cast<int>(m_faces.size()); }
    int GetChosenFace() const { return m_chosenFace; }
    const std::string& GetFace(int index) const { return m_faces.at(index); }
    CFont* GetPrintFont() const { return m_font.get(); }
    // Creates the print font from the face list as it stands: bold in the chosen face, or
    // the fallback face at normal weight when none was chosen.
    void CreatePrintFont(int logPixelsY);

    // Prints the page on a printer whose device context has the print font selected.
    // Shows a message when the printer refused the job. True when the page was printed.
    bool PrintPage(CPrinterDC& printer, const Picture& picture, bool printText);

    static std::string MakeTitle(const std::string& bookName);
    static std::string MakeSceneLabel(int sceneNumber);
    static PageLayout ComputeLayout(CPrinterDC& printer, CSize image, const std::string& title,
                                    const std::string& sceneLabel);

  private:
    // Shows the confirmation; true for "yes", with the print-text flag it ended with.
    bool Confirm(CWnd& screen, CCursor* cursor, CPalette* palette, bool* printText);
    void BuildScreenFont(CWnd& screen, int logPixelsY);
    void DrawPage(CPrinterDC& printer, const Picture& picture, const PageLayout& layout,
                  const std::string& sceneLabel, bool printText);
    void PlayPrintedSound();

    std::vector<std::string> m_faces;
    int m_chosenFace = -1;
    std::unique_ptr<CFont> m_font;
    // Kept loaded: the sound plays on after the print routine has returned.
    CBasicSound m_printedSound;
};
