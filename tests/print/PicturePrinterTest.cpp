// The print routine's face list, print font and page layout.
#include <gtest/gtest.h>

#include <string>

#include "PrintTestSupport.h"
#include "dialogs/PicturePrinter.h"

using namespace printtest;

namespace {

LOGFONT Face(const std::string& name) {
    LOGFONT font;
    font.lfFaceName = name;
    return font;
}

TEST(PicturePrinterFaces, TheFirstPreferredTrueTypeFaceEnumeratedWins) {
    PicturePrinter printer;
    printer.ResetFaces();
    EXPECT_EQ(printer.OfferFace(Face("DejaVu Sans"), TRUETYPE_FONTTYPE), true);
    // A bitmap face of a preferred name is neither stored nor chosen.
    EXPECT_EQ(printer.OfferFace(Face("Arial"), RASTER_FONTTYPE), true);
    EXPECT_EQ(printer.OfferFace(Face("Century Gothic"), TRUETYPE_FONTTYPE), false);
    EXPECT_EQ(printer.GetFaceCount(), 2);
    EXPECT_EQ(printer.GetChosenFace(), 1);
    EXPECT_EQ(printer.GetFace(printer.GetChosenFace()), "Century Gothic");

    printer.CreatePrintFont(300);
    CFont* font = printer.GetPrintFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetFaceName(), "Century Gothic");
    EXPECT_EQ(font->GetWeight(), FW_BOLD);
    EXPECT_EQ(font->GetHeight(), -75);  // 18 points at 300 dpi
}

TEST(PicturePrinterFaces, WithoutAPreferredFaceTheFallbackPrintsAtNormalWeight) {
    PicturePrinter printer;
    printer.ResetFaces();
    int stoppedAt = -1;
    for (int i = 0; i < 150 && stoppedAt < 0; ++i) {
        if (!printer.OfferFace(Face("Face " + std::to_string(i)), TRUETYPE_FONTTYPE)) {
            stoppedAt = i;
        }
    }
    // The list holds at most 100 names and stops the enumeration when full.
    EXPECT_EQ(stoppedAt, PicturePrinter::kMaxFaces - 1);
    EXPECT_EQ(printer.GetFaceCount(), PicturePrinter::kMaxFaces);
    EXPECT_EQ(printer.GetChosenFace(), -1);

    printer.CreatePrintFont(600);
    EXPECT_EQ(printer.GetPrintFont()->GetFaceName(), "MS Sans Serif");
    EXPECT_EQ(printer.GetPrintFont()->GetWeight(), FW_NORMAL);
    EXPECT_EQ(printer.GetPrintFont()->GetPitchAndFamily(), 0);
    EXPECT_EQ(printer.GetPrintFont()->GetHeight(), -150);

    // A new print starts the list afresh.
    printer.ResetFaces();
    EXPECT_EQ(printer.GetFaceCount(), 0);
    EXPECT_EQ(printer.OfferFace(Face("Comic Sans MS"), TRUETYPE_FONTTYPE), false);
    EXPECT_EQ(printer.GetChosenFace(), 0);
}

TEST(PicturePrinterFaces, TheSystemsFamiliesGiveABoldPreferredFace) {
    PicturePrinter printer;
    printer.BuildPrintFont(nullptr, 300);
    ASSERT_NE(printer.GetPrintFont(), nullptr);
    if (printer.GetChosenFace() < 0) GTEST_SKIP() << "no preferred face on this system";
    EXPECT_EQ(printer.GetPrintFont()->GetWeight(), FW_BOLD);
    EXPECT_EQ(printer.GetFace(printer.GetFaceCount() - 1), printer.GetPrintFont()->GetFaceName());
}

TEST(PicturePrinterText, TitlesAndSceneLabels) {
    EXPECT_EQ(PicturePrinter::MakeTitle("Scribble Pad"), "Scribble Pad Image");
    EXPECT_EQ(PicturePrinter::MakeTitle("The Sleepy Fox"), "The Sleepy Fox");
    EXPECT_EQ(PicturePrinter::MakeSceneLabel(0), "~0~");
    EXPECT_EQ(PicturePrinter::MakeSceneLabel(17), "~17~");
}

class PicturePrinterLayout : public ::testing::TestWithParam<CSize> {};

TEST_P(PicturePrinterLayout, PicturesFitThePageCentredBelowTheTitleBand) {
    CPrinterDC dc(A4Page(12));
    PicturePrinter printer;
    printer.CreatePrintFont(dc.GetDeviceCaps(LOGPIXELSY));
    dc.SelectObject(printer.GetPrintFont());
    const int width = dc.GetDeviceCaps(HORZRES);
    const int height = dc.GetDeviceCaps(VERTRES);
    const CSize image = GetParam();

    const auto layout = PicturePrinter::ComputeLayout(dc, image, "The Sleepy Fox", "~3~");
    // One side fills the page, the other keeps the picture's proportions.
    const bool wide = double(image.cx) / image.cy >= double(width) / height;
    if (wide) {
        EXPECT_EQ(layout.printed.cx, width);
        EXPECT_NEAR(layout.printed.cy, double(image.cy) * width / image.cx, 1.0);
    } else {
        EXPECT_EQ(layout.printed.cy, height);
        EXPECT_NEAR(layout.printed.cx, double(image.cx) * height / image.cy, 1.0);
    }
    EXPECT_NEAR(layout.origin.x, (width - layout.printed.cx) / 2.0, 0.5);
    // The title is not printed but reserves a band of one text line above the picture.
    TEXTMETRIC metrics;
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_NEAR(layout.titleHeight, metrics.tmHeight, 2);
    EXPECT_EQ(layout.origin.y, layout.titleHeight + 10);
    // The scene label's band runs the full width along the page's bottom.
    EXPECT_EQ(layout.sceneLabelRect.bottom, height);
    EXPECT_EQ(layout.sceneLabelRect.left, 0);
    EXPECT_EQ(layout.sceneLabelRect.right, width);
    EXPECT_NEAR(layout.sceneLabelRect.Height(), metrics.tmHeight, 2);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PicturePrinterLayout,
                         ::testing::Values(CSize(640, 480), CSize(300, 1000), CSize(1, 1),
                                           CSize(2000, 10)));

TEST(PicturePrinterLayoutTitle, ALongTitleWrapsAtThePageHeightAndPushesThePictureDown) {
    CPrinterDC dc(A4Page());
    PicturePrinter printer;
    printer.CreatePrintFont(300);
    dc.SelectObject(printer.GetPrintFont());
    const auto shortTitle = PicturePrinter::ComputeLayout(dc, CSize(640, 480), "Fox", "~1~");
    std::string longTitle;
    for (int i = 0; i < 40; ++i) longTitle += "Wonderful ";
    const auto longLayout = PicturePrinter::ComputeLayout(dc, CSize(640, 480), longTitle, "~1~");
    EXPECT_GT(longLayout.titleHeight, 2 * shortTitle.titleHeight);
    EXPECT_EQ(longLayout.origin.y, longLayout.titleHeight + 10);
}

}  // namespace
