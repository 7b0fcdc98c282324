// The printer device context drawing into a PDF file: geometry, pictures, text and the
// document's life cycle.
#include <gtest/gtest.h>

#include <filesystem>

#include "PrintTestSupport.h"
#include "platform/print/CPrinterDC.h"

using namespace printtest;
namespace fs = std::filesystem;

namespace {

// Pages are rendered at a quarter of the printer's 300 dpi.
constexpr int kRenderDpi = 75;
constexpr int kScale = 300 / kRenderDpi;

class PrinterDCTest : public ::testing::Test {
  protected:
    // Starts a document printed into a file of the test's folder, with one page open.
    void Open(CPrinterDC& dc) {
        DOCINFO info;
        info.lpszDocName = "test page";
        pdf = (dir.Folder() / "page.pdf").string();
        info.lpszOutput = pdf.c_str();
        ASSERT_GT(dc.StartDoc(&info), 0);
        ASSERT_GT(dc.StartPage(), 0);
    }
    Raster Finish(CPrinterDC& dc) {
        EXPECT_GT(dc.EndPage(), 0);
        EXPECT_GT(dc.EndDoc(), 0);
        Raster raster;
        EXPECT_TRUE(RenderPdf(pdf, kRenderDpi, &raster));
        return raster;
    }

    TempDir dir;
    std::string pdf;
};

TEST_F(PrinterDCTest, ReportsTheSheetAndPrintableAreaInPrinterDots) {
    // A4 at 300 dpi is 2480 x 3508 dots; quarter-inch margins take 75 dots a side.
    CPrinterDC dc(A4Page(18));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 2480);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALHEIGHT), 3508);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 75);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 2480 - 150);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 3508 - 150);
    // Pictures must not be dithered for a printer.
    EXPECT_GT(dc.GetDeviceCaps(BITSPIXEL), 8);
}

TEST_F(PrinterDCTest, PicturesLandScaledAtTheirPlaceWithCrispPixels) {
    CPrinterDC dc(A4Page(18));
    CDib picture = MakeQuadrantPicture(8, 6);
    Open(dc);
    // 8 x 6 pixels stretched to 1280 x 960 dots: 160 dots per picture pixel.
    ASSERT_TRUE(picture.Paint(dc, 400, 600, 1280, 960, nullptr));
    const Raster page = Finish(dc);
    ASSERT_NEAR(page.Width(), 2480 / kScale, 1);

    // Device (0, 0) is the printable area's corner, 75 dots in from the sheet's.
    auto at = [&](int x, int y) { return page.At((75 + x) / kScale, (75 + y) / kScale); };
    EXPECT_TRUE(Near(at(400 + 320, 600 + 240), kRed));
    EXPECT_TRUE(Near(at(400 + 960, 600 + 240), kGreen));
    EXPECT_TRUE(Near(at(400 + 320, 600 + 720), kBlue));
    EXPECT_TRUE(Near(at(400 + 960, 600 + 720), kYellow));
    // Column 0 of the picture is black and exactly one picture pixel wide.
    EXPECT_TRUE(Near(at(400 + 80, 600 + 100), {0, 0, 0}));
    EXPECT_TRUE(Near(at(400 + 160 + 8, 600 + 100), kRed, 8));
    // Nearest-neighbour scaling: no blend across the red/green edge at x = 4 pixels.
    EXPECT_TRUE(Near(at(400 + 640 - 8, 600 + 100), kRed, 8));
    EXPECT_TRUE(Near(at(400 + 640 + 8, 600 + 100), kGreen, 8));
    // Nothing outside the picture.
    EXPECT_TRUE(Near(at(400 - 20, 600 + 240), {255, 255, 255}, 2));
    EXPECT_TRUE(Near(at(400 + 1300, 600 + 240), {255, 255, 255}, 2));
}

TEST_F(PrinterDCTest, SourceRectanglesCountFromTheBottomAndColourTablesApply) {
    CPrinterDC dc(A4Page());
    // An 8-bit picture: left half index 1 (orange), right half index 2 (teal).
    CDib indexed;
    ASSERT_TRUE(indexed.Create(4, 4, 8));
    RGBQUAD* table = indexed.GetColourTable();
    table[1] = {0, 128, 255, 0};
    table[2] = {128, 128, 0, 0};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) indexed.GetBits()[y * indexed.GetStride() + x] = x < 2 ? 1 : 2;
    }
    CDib quadrants = MakeQuadrantPicture(8, 8);
    Open(dc);
    ASSERT_TRUE(indexed.Paint(dc, 0, 0, 800, 800, nullptr));
    // Only the picture's bottom-right quadrant (yellow), stretched over 800 x 800 dots.
    ASSERT_TRUE(
        quadrants.PaintRect(dc, CPoint(1000, 0), CSize(800, 800), CRect(4, 4, 8, 8), nullptr));
    const Raster page = Finish(dc);
    EXPECT_TRUE(Near(page.At(200 / kScale, 400 / kScale), {255, 128, 0}));
    EXPECT_TRUE(Near(page.At(600 / kScale, 400 / kScale), {0, 128, 128}));
    EXPECT_TRUE(Near(page.At(1100 / kScale, 100 / kScale), kYellow));
    EXPECT_TRUE(Near(page.At(1700 / kScale, 700 / kScale), kYellow));
}

TEST_F(PrinterDCTest, DrawingOutsideAPageIsRefusedAndAbortedDocumentsLeaveNothing) {
    CPrinterDC dc(A4Page());
    CDib picture = MakeQuadrantPicture(4, 4);
    EXPECT_EQ(dc.StartPage(), SP_ERROR);
    EXPECT_EQ(dc.EndPage(), SP_ERROR);
    EXPECT_EQ(dc.EndDoc(), SP_ERROR);
    EXPECT_FALSE(picture.Paint(dc, 0, 0, 100, 100, nullptr));

    DOCINFO info;
    const std::string path = (dir.Folder() / "aborted.pdf").string();
    info.lpszOutput = path.c_str();
    ASSERT_GT(dc.StartDoc(&info), 0);
    EXPECT_EQ(dc.StartDoc(&info), SP_ERROR);
    EXPECT_FALSE(picture.Paint(dc, 0, 0, 100, 100, nullptr));
    ASSERT_GT(dc.StartPage(), 0);
    EXPECT_EQ(dc.StartPage(), SP_ERROR);
    EXPECT_TRUE(picture.Paint(dc, 0, 0, 100, 100, nullptr));
    EXPECT_GT(dc.AbortDoc(), 0);
    EXPECT_FALSE(fs::exists(path));
    // The context can start over after an abort.
    EXPECT_GT(dc.StartDoc(&info), 0);
}

TEST_F(PrinterDCTest, MeasuringWrapsAtTheRectangleWidthInTheSelectedFont) {
    CPrinterDC dc(A4Page());
    CFont font;
    ASSERT_TRUE(font.CreateFont(-75, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                                CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 4, "Arial"));
    EXPECT_EQ(dc.SelectObject(&font), nullptr);
    TEXTMETRIC metrics;
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    // An 18-point character height at 300 dpi is 75 dots; the line adds the face's leading.
    EXPECT_GE(metrics.tmHeight, 75);
    EXPECT_LE(metrics.tmHeight, 75 * 3 / 2);
    EXPECT_EQ(metrics.tmWeight, FW_BOLD);

    const std::string sentence = "The little fox sleeps under the old oak tree all afternoon";
    CRect wide(0, 0, 5000, 10);
    const int oneLine = dc.DrawText(sentence, &wide, DT_CALCRECT | DT_WORDBREAK);
    CRect narrow(100, 50, 700, 60);
    const int wrapped = dc.DrawText(sentence, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(oneLine, metrics.tmHeight);
    EXPECT_EQ(wide.bottom, oneLine);
    EXPECT_LT(wide.right, 5000);
    EXPECT_GE(wrapped, 3 * oneLine);
    EXPECT_EQ(narrow.top, 50);
    EXPECT_EQ(narrow.bottom, 50 + wrapped);
    EXPECT_LE(narrow.right, 700);

    // A bigger font measures taller; the default font (none selected) still measures.
    CFont big;
    big.CreateFont(-150, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                   CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 4, "Arial");
    EXPECT_EQ(dc.SelectObject(&big), &font);
    CRect again(0, 0, 5000, 10);
    EXPECT_NEAR(dc.DrawText(sentence, &again, DT_CALCRECT | DT_WORDBREAK), 2 * oneLine, 3);
    dc.SelectObject(nullptr);
    CRect plain(0, 0, 5000, 10);
    EXPECT_GT(dc.DrawText(sentence, &plain, DT_CALCRECT), 0);
    // A font that was never created is not selected.
    CFont unmade;
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
}

TEST_F(PrinterDCTest, TextIsCentredClippedAndReadable) {
    CPrinterDC dc(A4Page());
    CFont font;
    font.CreateFont(-75, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0, "MS Sans Serif");
    dc.SelectObject(&font);
    Open(dc);
    CRect centred(0, 400, 2480, 600);
    EXPECT_GT(dc.DrawText("~12~", &centred, DT_CENTER | DT_WORDBREAK), 0);
    CRect left(0, 800, 2480, 1000);
    dc.DrawText("Left", &left, DT_WORDBREAK);
    // Three lines of text in a rectangle one line high: only the first shows.
    CRect clipped(400, 1200, 900, 1290);
    dc.DrawText("alpha beta gamma delta epsilon zeta eta theta", &clipped, DT_WORDBREAK);
    // Windows Latin-1 text from the program's files prints as such.
    CRect latin(0, 1600, 2480, 1800);
    dc.DrawText("Caf\xe9 na\xefve", &latin, DT_WORDBREAK);
    const Raster page = Finish(dc);

    const Raster::Box label = page.DarkBox(0, 400 / kScale, page.Width(), 600 / kScale);
    ASSERT_FALSE(label.Empty());
    EXPECT_NEAR((label.left + label.right) / 2.0, page.Width() / 2.0, 3);
    const Raster::Box leftBox = page.DarkBox(0, 800 / kScale, page.Width(), 1000 / kScale);
    ASSERT_FALSE(leftBox.Empty());
    EXPECT_LT(leftBox.left, 20 / kScale + 3);
    EXPECT_GT(page.CountDark(400 / kScale, 1200 / kScale, 900 / kScale, 1290 / kScale), 0);
    EXPECT_EQ(page.CountDark(0, 1290 / kScale + 1, page.Width(), 1500 / kScale), 0);

    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("~12~"), std::string::npos);
    EXPECT_NE(text.find("Caf\xc3\xa9 na\xc3\xafve"), std::string::npos);
}

}  // namespace
