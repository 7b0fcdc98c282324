// The cards of the messages to the child: each kind looks clearly unlike every other, the
// one tick face fits every card it sits on, and every "go back" button shows the same
// arrow while the door stays on the one button that quits.
#include <gtest/gtest.h>

#include "KitTree.h"
#include "check/TreeCheck.h"
#include "resources/ChildMessageArt.h"
#include "resources/ScreenLayouts.h"
#include "screens/Faces.h"
#include "screens/MessageKit.h"

namespace {

using Message = ScreenLayouts::Message;

// The part of `image` under `control`.
KitImage Under(const KitImage& image, const ControlLayout& control) {
    const CRect& r = control.rect;
    return Crop(image, r.left, r.top, r.Width(), r.Height());
}

// The middle of a sky-blue face of `control`'s size showing `icon`: the pictogram, with
// none of what lies under the button.
KitImage IconOf(const ControlLayout& control, Icon icon) {
    const CRect& r = control.rect;
    const KitImage face =
        ButtonFace(KitImage(r.Width(), r.Height(), 0xFFFFFF), 0x6DB6FF, icon, false);
    const int side = std::min(r.Width(), r.Height()) / 2;
    return Crop(face, (r.Width() - side) / 2, (r.Height() - side) / 2, side, side);
}

}  // namespace

TEST(MessageCardTest, EveryKindLooksUnlikeEveryOtherAndTheTickFitsThemAll) {
    std::vector<KitImage> cards;
    for (const ChildMessageArt::Entry& entry : ChildMessageArt::All())
        cards.push_back(MessageCard(entry.kind));
    const KitImage underTick = Under(cards.front(), Message::kOk);
    for (std::size_t a = 0; a < cards.size(); ++a) {
        EXPECT_EQ(cards[a].Width(), Message::kScreen.width);
        EXPECT_EQ(cards[a].Height(), Message::kScreen.height);
        // The tick is cut from the first card; on any other it must not show a seam.
        EXPECT_EQ(MeanDifference(Under(cards[a], Message::kOk), underTick), 0.0)
            << ChildMessageArt::kEntries[a].picture;
        for (std::size_t b = a + 1; b < cards.size(); ++b)
            EXPECT_GT(MeanDifference(cards[a], cards[b]), 3 * kSameLookingFaces)
                << ChildMessageArt::kEntries[a].picture << " and "
                << ChildMessageArt::kEntries[b].picture;
    }
}

TEST(MessageCardTest, GoingBackShowsTheArrowAndOnlyQuittingShowsTheDoor) {
    ASSERT_FALSE(KitTree().empty());
    struct Button {
        const ScreenLayout& screen;
        const ControlLayout& control;
        Icon icon;
    };
    const Button buttons[] = {
        {ScreenLayouts::Scrapbook::kScreen, ScreenLayouts::Scrapbook::kReturn, Icon::Back},
        {ScreenLayouts::SlideShow::kScreen, ScreenLayouts::SlideShow::kExit, Icon::Back},
        {ScreenLayouts::Options::kScreen, ScreenLayouts::Options::kOk, Icon::Back},
        {ScreenLayouts::Coloring::kScreen, ScreenLayouts::Coloring::kExit, Icon::Door},
    };
    for (const Button& button : buttons) {
        KitImage face;
        const std::string path = PathOf(button.screen, button.control.up);
        ASSERT_EQ(LoadPicture(KitTree() + "/" + path, face), "") << path;
        const CRect& r = button.control.rect;
        const int side = std::min(r.Width(), r.Height()) / 2;
        const KitImage centre =
            Crop(face, (r.Width() - side) / 2, (r.Height() - side) / 2, side, side);
        const Icon other = button.icon == Icon::Back ? Icon::Door : Icon::Back;
        EXPECT_LE(MeanDifference(centre, IconOf(button.control, button.icon)), kSameLookingFaces)
            << path;
        EXPECT_GT(MeanDifference(centre, IconOf(button.control, other)), 3 * kSameLookingFaces)
            << path;
    }
    // Nor is the arrow one of the other arrows a child meets on the same screens.
    const ControlLayout& back = ScreenLayouts::Scrapbook::kReturn;
    for (Icon other : {Icon::Left, Icon::Undo, Icon::None})
        EXPECT_GT(MeanDifference(IconOf(back, Icon::Back), IconOf(back, other)),
                  3 * kSameLookingFaces);
}
