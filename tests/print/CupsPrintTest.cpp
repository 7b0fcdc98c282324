// Printing for real: pages through a private CUPS server with a PDF printer, read back
// from the PDF the printer wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "dialogs/PicturePrinter.h"
#include "platform/window/MessageBox.h"
#include "platform/print/CPrintDialog.h"
#include "platform/print/CPrintQueue.h"

using namespace printtest;
namespace fs = std::filesystem;

namespace {

constexpr int kRenderDpi = 75;
constexpr int kWaitSeconds = 60;
const char* const kCaption = "The little fox naps under the old oak tree.";

// Records message boxes and submitted jobs while a test runs.
class Observers {
  public:
    Observers() {
        m_oldBox = SetMessageBoxHandler(
            [this](ChildMessage, const std::string& text) { messages.push_back(text); });
        m_oldHook = CPrintQueue::SetPrintJobHook([this](const PrintJobRecord& job) {
            jobs.push_back(job);
            pdfExisted.push_back(fs::exists(job.pdfPath));
            std::error_code ignored;
            fs::copy_file(job.pdfPath, Sent(jobs.size() - 1), ignored);
        });
    }
    ~Observers() {
        SetMessageBoxHandler(m_oldBox);
        CPrintQueue::SetPrintJobHook(m_oldHook);
    }
    std::vector<std::string> messages;
    std::vector<PrintJobRecord> jobs;
    std::vector<bool> pdfExisted;
    // The copy of the n-th submitted document.
    fs::path Sent(std::size_t n) const {
        return m_dir.Folder() / ("sent-" + std::to_string(n) + ".pdf");
    }

  private:
    TempDir m_dir;
    MessageBoxHandler m_oldBox;
    PrintJobHook m_oldHook;
};

// Where the printed page's parts landed on the rendered sheet.
struct PrintedPage {
    Raster raster;
    fs::path pdf;
    PicturePrinter::PageLayout layout;
    int offsetX = 0;  // the printable area's corner on the sheet, in printer dots
    int offsetY = 0;
    int dpi = 300;

    int X(int dots) const { return (offsetX + dots) * kRenderDpi / dpi; }
    int Y(int dots) const { return (offsetY + dots) * kRenderDpi / dpi; }
};

class CupsPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!server.Running()) {
            if (PrintServerPossible())
                FAIL() << "the private print server failed: " << server.Error();
            GTEST_SKIP() << "this machine cannot run a private print server";
        }
    }

    // Prints the quadrant picture through the print routine and reads the page back.
    bool PrintAndRead(int scene, bool printText, PrintedPage* page) {
        CupsServerEnv env(server.Address());
        CPrintDialog dialog(FALSE);
        if (!dialog.GetDefaults()) return false;
        CPrinterDC& dc = *dialog.GetPrinterDC();
        PicturePrinter printer;
        printer.BuildPrintFont(nullptr, dc.GetDeviceCaps(LOGPIXELSY));
        CFont* old = dc.SelectObject(printer.GetPrintFont());
        CDib picture = MakeQuadrantPicture(64, 48);
        const PicturePrinter::Picture what{&picture, "The Sleepy Fox", scene, kCaption};
        page->layout = PicturePrinter::ComputeLayout(dc, picture.GetSize(),
                                                     PicturePrinter::MakeTitle(what.bookName),
                                                     PicturePrinter::MakeSceneLabel(scene));
        page->offsetX = dc.GetDeviceCaps(PHYSICALOFFSETX);
        page->offsetY = dc.GetDeviceCaps(PHYSICALOFFSETY);
        page->dpi = dc.GetDeviceCaps(LOGPIXELSY);
        const bool printed = printer.PrintPage(dc, what, printText);
        dc.SelectObject(old);
        if (!printed) return false;
        page->pdf = server.WaitForPdf(kWaitSeconds);
        return !page->pdf.empty() && RenderPdf(page->pdf, kRenderDpi, &page->raster);
    }

    // Keeps the page where a person can look at it after the run.
    static void Keep(const PrintedPage& page, const std::string& name) {
        const fs::path dir = fs::path(TALEWICK_BINARY_DIR) / "tests" / "print";
        std::error_code ignored;
        fs::create_directories(dir, ignored);
        fs::copy_file(page.pdf, dir / (name + ".pdf"), fs::copy_options::overwrite_existing,
                      ignored);
        const std::string command = "pdftoppm -r 50 -png -singlefile '" + page.pdf.string() +
                                    "' '" + (dir / name).string() + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "no PNG of %s\n", name.c_str());
    }

    // Dark pixels in the caption band (between the picture and the scene label) and in
    // the scene label's band.
    static int CaptionInk(const PrintedPage& p) {
        const auto& l = p.layout;
        return p.raster.CountDark(p.X(l.origin.x + 150), p.Y(l.origin.y + l.printed.cy) + 2,
                                  p.X(l.origin.x + l.printed.cx - 150), p.Y(l.sceneLabelRect.top));
    }
    static int LabelInk(const PrintedPage& p) {
        const auto& r = p.layout.sceneLabelRect;
        return p.raster.CountDark(p.X(r.left), p.Y(r.top), p.X(r.right), p.Y(r.bottom));
    }

    PrintServer server;
    Observers observers;
};

TEST_F(CupsPrintTest, APageWithPictureCaptionAndSceneNumberReachesThePrinter) {
    PrintedPage page;
    ASSERT_TRUE(PrintAndRead(3, true, &page));
    Keep(page, "printed-page");

    ASSERT_EQ(observers.jobs.size(), 1u);
    EXPECT_EQ(observers.jobs[0].documentName, "Pimbly Talewick Image");
    EXPECT_EQ(observers.jobs[0].destination, "talewick-pdf");
    EXPECT_GT(observers.jobs[0].jobId, 0);
    EXPECT_TRUE(observers.pdfExisted[0]);
    EXPECT_FALSE(fs::exists(observers.jobs[0].pdfPath));  // the spool copy is gone
    EXPECT_TRUE(observers.messages.empty());

    // A 64 x 48 picture on a portrait page spans the printable width.
    const auto& l = page.layout;
    const int quarterW = l.printed.cx / 4;
    const int quarterH = l.printed.cy / 4;
    EXPECT_TRUE(
        Near(page.raster.At(page.X(l.origin.x + quarterW), page.Y(l.origin.y + quarterH)), kRed));
    EXPECT_TRUE(Near(
        page.raster.At(page.X(l.origin.x + 3 * quarterW), page.Y(l.origin.y + quarterH)), kGreen));
    EXPECT_TRUE(Near(
        page.raster.At(page.X(l.origin.x + quarterW), page.Y(l.origin.y + 3 * quarterH)), kBlue));
    EXPECT_TRUE(
        Near(page.raster.At(page.X(l.origin.x + 3 * quarterW), page.Y(l.origin.y + 3 * quarterH)),
             kYellow));
    // The title band above the picture stays empty: the title itself is not printed.
    EXPECT_EQ(page.raster.CountDark(0, 0, page.raster.Width(), page.Y(l.origin.y) - 2), 0);
    EXPECT_GT(CaptionInk(page), 50);
    EXPECT_GT(LabelInk(page), 20);

    // The printer's PDF carries the text as shapes; the submitted document has it as text.
    const std::string text = PdfText(observers.Sent(0));
    EXPECT_NE(text.find("little fox naps"), std::string::npos) << text;
    EXPECT_NE(text.find("~3~"), std::string::npos) << text;
    EXPECT_EQ(text.find("Sleepy"), std::string::npos) << text;
}

TEST_F(CupsPrintTest, WithTextOffOnlyThePicturePrintsStillBelowTheTitleBand) {
    PrintedPage page;
    ASSERT_TRUE(PrintAndRead(3, false, &page));
    Keep(page, "printed-page-no-text");
    EXPECT_EQ(CaptionInk(page), 0);
    EXPECT_EQ(LabelInk(page), 0);
    const auto& l = page.layout;
    EXPECT_GT(l.origin.y, 10);
    const int x = page.X(l.origin.x + l.printed.cx / 4);
    EXPECT_TRUE(Near(page.raster.At(x, page.Y(l.origin.y) + 2), kRed));
    EXPECT_TRUE(Near(page.raster.At(x, page.Y(l.origin.y) - 2), {255, 255, 255}, 2));
    EXPECT_EQ(PdfText(observers.Sent(0)).find("fox"), std::string::npos);
}

TEST_F(CupsPrintTest, TheTitlePageCarriesTheCaptionButNoNumber) {
    PrintedPage page;
    ASSERT_TRUE(PrintAndRead(0, true, &page));
    EXPECT_GT(CaptionInk(page), 50);
    EXPECT_EQ(LabelInk(page), 0);
    const std::string text = PdfText(observers.Sent(0));
    EXPECT_NE(text.find("little fox naps"), std::string::npos) << text;
    EXPECT_EQ(text.find("~0~"), std::string::npos) << text;
}

TEST_F(CupsPrintTest, AJobThePrinterRefusesIsReportedAndNothingElseBreaks) {
    ASSERT_EQ(server.Run("cupsreject talewick-pdf"), 0);
    PrintedPage page;
    EXPECT_FALSE(PrintAndRead(2, true, &page));
    ASSERT_EQ(observers.jobs.size(), 1u);
    EXPECT_EQ(observers.jobs[0].jobId, 0);
    ASSERT_EQ(observers.messages.size(), 1u);
    EXPECT_EQ(observers.messages[0], "The picture could not be printed.");
    EXPECT_TRUE(server.OutputPdfs().empty());

    // Once the printer takes jobs again the next print goes through.
    ASSERT_EQ(server.Run("cupsaccept talewick-pdf"), 0);
    EXPECT_TRUE(PrintAndRead(2, true, &page));
    EXPECT_EQ(observers.messages.size(), 1u);
}

TEST(CupsNoPrinter, WithoutADefaultDestinationNothingIsPrintedOrShown) {
    Observers observers;
    {
        // A server that answers but has no printer.
        PrintServer empty(false);
        if (!empty.Running()) {
            if (PrintServerPossible())
                FAIL() << "the private print server failed: " << empty.Error();
            GTEST_SKIP() << "this machine cannot run a private print server";
        }
        CupsServerEnv env(empty.Address());
        CPrintDialog dialog(FALSE);
        EXPECT_FALSE(dialog.GetDefaults());
        EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
    }
    {
        // No server at all.
        CupsServerEnv env("127.0.0.1:" + std::to_string(FreePort()));
        CPrintDialog dialog(FALSE);
        EXPECT_FALSE(dialog.GetDefaults());
    }
    EXPECT_TRUE(observers.jobs.empty());
    EXPECT_TRUE(observers.messages.empty());
}

}  // namespace
