#include "screens/MessageKit.h"

#include <cmath>

using namespace Colours;

namespace {

using Message = ScreenLayouts::Message;

// Where a card's pictures go: the main picture on the left, what it means on the right,
// and an arrow between them; the caption band and the tick stay clear below.
constexpr double kMainX = 110, kSideX = 292, kArtY = 104, kMainSize = 150, kSideSize = 120;

// A cheerful border of the kind's colour around the cream field, with a paler band where
// the program writes the caption.
Canvas& Card(Canvas& c, std::uint32_t border) {
    c.SetColour(border);
    cairo_paint(c.Cr());
    c.RoundRect(10, 10, c.Width() - 20, c.Height() - 20, 18);
    c.FillStroke(kCream, kInk, 3);
    const CRect& band = Message::kCaption.rect;
    c.RoundRect(band.left - 6, band.top - 4, band.Width() + 12, band.Height() + 8, 8);
    c.FillStroke(kWhite, kGrey, 1.5);
    return c;
}

// A fat arrow from the main picture to its meaning.
void Leads(Canvas& c) {
    const double x = (kMainX + kSideX) / 2, y = kArtY;
    cairo_move_to(c.Cr(), x - 24, y - 8);
    cairo_line_to(c.Cr(), x + 4, y - 8);
    cairo_line_to(c.Cr(), x + 4, y - 20);
    cairo_line_to(c.Cr(), x + 26, y);
    cairo_line_to(c.Cr(), x + 4, y + 20);
    cairo_line_to(c.Cr(), x + 4, y + 8);
    cairo_line_to(c.Cr(), x - 24, y + 8);
    cairo_close_path(c.Cr());
    c.FillStroke(kOrange, kInk, 2.5);
}

// A red cross over the corner of the main picture: this did not work; and what to do.
void Failed(Canvas& c) {
    DrawIcon(c, Icon::Cross, kMainX + 52, kArtY + 48, 80);
    Leads(c);
}

// An empty frame drawn with a dashed line where something should be.
void Missing(Canvas& c, double cx, double cy, double w, double h) {
    const double dash[] = {10, 7};
    cairo_set_dash(c.Cr(), dash, 2, 0);
    c.RoundRect(cx - w / 2, cy - h / 2, w, h, 8);
    c.FillStroke(kWhite, kGrey, 4);
    cairo_set_dash(c.Cr(), nullptr, 0, 0);
}

void Draw(Canvas& c, ChildMessage kind) {
    switch (kind) {
        case ChildMessage::ContentMissing:
            Card(c, kGrey);
            Missing(c, kMainX, kArtY, 120, 130);
            DrawIcon(c, Icon::Question, kMainX, kArtY, 110);
            Leads(c);
            DrawIcon(c, Icon::GrownUp, kSideX, kArtY, kSideSize);
            break;
        case ChildMessage::ScrapbookFull:
            Card(c, kLeaf);
            for (int i = 2; i >= 0; --i)
                DrawIcon(c, Icon::Scrapbook, kMainX - 14 + 14 * i, kArtY - 14 + 14 * i, 120);
            Leads(c);
            DrawIcon(c, Icon::Trash, kSideX, kArtY, kSideSize);
            break;
        case ChildMessage::SaveFailed:
            Card(c, kPink);
            DrawIcon(c, Icon::Scrapbook, kMainX, kArtY, kMainSize);
            Failed(c);
            DrawIcon(c, Icon::GrownUp, kSideX, kArtY, kSideSize);
            break;
        case ChildMessage::NoStoryChosen:
            Card(c, kPurple);
            DrawIcon(c, Icon::Question, kMainX, kArtY, 120);
            Leads(c);
            DrawIcon(c, Icon::Book, kSideX, kArtY, kSideSize + 20);
            DrawIcon(c, Icon::Up, kSideX, kArtY - 64, 50);
            break;
        case ChildMessage::NoSlides:
            Card(c, kSun);
            DrawIcon(c, Icon::Film, kMainX, kArtY, kMainSize);
            Failed(c);
            DrawIcon(c, Icon::Plus, kSideX, kArtY, 90);
            break;
        case ChildMessage::PrintFailed:
            Card(c, kOrange);
            DrawIcon(c, Icon::Printer, kMainX, kArtY, kMainSize);
            Failed(c);
            DrawIcon(c, Icon::GrownUp, kSideX, kArtY, kSideSize);
            break;
        case ChildMessage::NoPrinter:
            Card(c, kSky);
            Missing(c, kMainX, kArtY, 140, 120);
            DrawIcon(c, Icon::Printer, kMainX, kArtY, 90);
            cairo_rectangle(c.Cr(), kMainX - 60, kArtY - 60, 120, 120);
            c.SetColour(kWhite, 0.55);  // a pale printer: it is not there
            cairo_fill(c.Cr());
            DrawIcon(c, Icon::Question, kMainX + 50, kArtY - 40, 70);
            Leads(c);
            DrawIcon(c, Icon::GrownUp, kSideX, kArtY, kSideSize);
            break;
        case ChildMessage::CannotOpen:
            Card(c, kTeal);
            DrawIcon(c, Icon::Bulb, kMainX, kArtY, kMainSize);
            Failed(c);
            DrawIcon(c, Icon::GrownUp, kSideX, kArtY, kSideSize);
            break;
    }
}

}  // namespace

KitImage MessageCard(ChildMessage kind) {
    Canvas c(Message::kScreen.width, Message::kScreen.height);
    Draw(c, kind);
    return c.ToImage();
}

std::vector<KitPicture> BuildMessages() {
    const ScreenLayout& screen = Message::kScreen;
    std::vector<KitPicture> out;
    for (const ChildMessageArt::Entry& entry : ChildMessageArt::All())
        out.push_back({PathOf(screen, entry.picture), MessageCard(entry.kind)});
    // The tick sits on the cream field, which every card shares.
    AddFaces(FolderOf(screen), out.front().image, {PlanOf(Message::kOk, kLeaf, Icon::Check)}, out);
    return out;
}
