// The screens' layout table: controls that can be told apart, places that fit their
// screens, pop-ups that fit where they open, templates built from it and the dump scripts
// read positions from.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "resources/CDialogTemplates.h"
#include "resources/ChildMessageArt.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"

namespace {

bool Inside(const CRect& inner, int width, int height) {
    return inner.left >= 0 && inner.top >= 0 && inner.right <= width && inner.bottom <= height &&
           !inner.IsRectEmpty();
}

}  // namespace

TEST(ScreenLayoutsTest, ControlsOfAScreenHaveDistinctIdsAndNamesAndLieInsideIt) {
    std::set<std::string> screens;
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        EXPECT_TRUE(screens.insert(screen.name).second) << screen.name;
        std::set<int> ids;
        std::set<std::string> names;
        for (const ControlLayout& control : screen.controls) {
            const std::string where = std::string(screen.name) + " " + control.name;
            EXPECT_TRUE(names.insert(control.name).second) << where << " is named twice";
            if (control.kind == ControlKind::Place) {
                EXPECT_EQ(control.id, 0) << where;
                continue;
            }
            EXPECT_TRUE(ids.insert(control.id).second) << where << " repeats an id";
            EXPECT_TRUE(Inside(control.rect, screen.width, screen.height)) << where;
            // A face pair or none: a button with only one face would show nothing when pressed.
            EXPECT_EQ(control.up == nullptr, control.down == nullptr) << where;
            if (control.kind != ControlKind::PictureButton) {
                EXPECT_FALSE(control.HasFaces()) << where;
            }
        }
        ASSERT_FALSE(screen.pictures.empty()) << screen.name << " has no background";
        EXPECT_EQ(screen.pictures.front().width, screen.width) << screen.name;
        EXPECT_EQ(screen.pictures.front().height, screen.height) << screen.name;
    }
    EXPECT_EQ(screens.size(), 8u);
}

TEST(ScreenLayoutsTest, FacesSharedByControlsHaveOneSize) {
    // The kit draws one picture per file, so controls sharing a face must share a size.
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        std::map<std::string, CSize> sizes;
        for (const ControlLayout& control : screen.controls) {
            if (!control.HasFaces()) continue;
            const auto [entry, added] = sizes.emplace(control.up, control.rect.Size());
            EXPECT_TRUE(added || entry->second == control.rect.Size())
                << screen.name << " " << control.name;
        }
    }
}

TEST(ScreenLayoutsTest, PopUpsHaveTheSizeOfThePlaceTheyOpenAt) {
    const CRect& popup = ScreenLayouts::Scrapbook::kPopup.rect;
    for (const ScreenLayout* screen :
         {&ScreenLayouts::Trash::kScreen, &ScreenLayouts::Print::kScreen,
          &ScreenLayouts::Options::kScreen, &ScreenLayouts::Message::kScreen}) {
        EXPECT_EQ(screen->width, popup.Width()) << screen->name;
        EXPECT_EQ(screen->height, popup.Height()) << screen->name;
    }
    EXPECT_TRUE(Inside(popup, ScreenLayouts::Scrapbook::kScreen.width,
                       ScreenLayouts::Scrapbook::kScreen.height));
    const CRect& quit = ScreenLayouts::Coloring::kQuitPopup.rect;
    EXPECT_EQ(quit, ScreenLayouts::Coloring::kPictureArea.rect);
    EXPECT_EQ(ScreenLayouts::Quit::kScreen.width, quit.Width());
    EXPECT_EQ(ScreenLayouts::Quit::kScreen.height, quit.Height());
    // The credits' ticker spot lies on its band's row of the display.
    const CRect& band = ScreenLayouts::Options::kTickerBand.rect;
    EXPECT_TRUE(Inside(band, ScreenLayouts::kScreenWidth, ScreenLayouts::kScreenHeight));
    EXPECT_TRUE(Inside(ScreenLayouts::Options::kTickerSpot.rect, ScreenLayouts::kScreenWidth,
                       ScreenLayouts::kScreenHeight));
}

TEST(ScreenLayoutsTest, EveryConfirmationPutsNoOnTheLeftAndYesOnTheRight) {
    int confirmations = 0;
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        const ControlLayout* yes = screen.Find(IDOK);
        const ControlLayout* no = screen.Find(IDCANCEL);
        if (yes == nullptr || no == nullptr || !yes->HasFaces() || !no->HasFaces()) continue;
        ++confirmations;
        EXPECT_GE(yes->rect.left, no->rect.right) << screen.name;
    }
    EXPECT_EQ(confirmations, 3);  // quit, trash, print
}

TEST(ScreenLayoutsTest, MessagesHaveOneCardPerKindAndTheirTickBesideTheCaption) {
    const ScreenLayout& screen = ScreenLayouts::Message::kScreen;
    ASSERT_EQ(screen.pictures.size(), ChildMessageArt::All().size());
    std::set<std::string> pictures, voices;
    for (std::size_t i = 0; i < screen.pictures.size(); ++i) {
        const ChildMessageArt::Entry& entry = ChildMessageArt::All()[i];
        EXPECT_EQ(entry.kind, static_cast<ChildMessage>(i)) << "the table follows the kinds";
        EXPECT_EQ(std::string(screen.pictures[i].file), entry.picture);
        EXPECT_EQ(ChildMessageArt::PicturePath(entry.kind), screen.PathOf(entry.picture));
        pictures.insert(entry.picture);
        voices.insert(entry.voice);
        EXPECT_FALSE(std::string(entry.words).empty()) << entry.voice;
    }
    EXPECT_EQ(pictures.size(), screen.pictures.size());
    EXPECT_EQ(voices.size(), screen.pictures.size());
    const CRect& band = ScreenLayouts::Message::kCaption.rect;
    const CRect& tick = ScreenLayouts::Message::kOk.rect;
    EXPECT_TRUE(Inside(band, screen.width, screen.height));
    EXPECT_LE(band.right, tick.left);
}

TEST(ScreenLayoutsTest, TemplatesHoldEveryWindowInOrderWithItsStyle) {
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        const DialogTemplate* t = CDialogTemplates::Find(screen.templateId);
        ASSERT_NE(t, nullptr) << screen.name;
        EXPECT_EQ(t->rect, CRect(0, 0, screen.width, screen.height));
        std::size_t item = 0;
        for (const ControlLayout& control : screen.controls) {
            if (control.kind == ControlKind::Place) continue;
            ASSERT_LT(item, t->items.size()) << screen.name;
            const DialogTemplate::Item& made = t->items[item++];
            EXPECT_EQ(made.id, control.id) << control.name;
            EXPECT_EQ(made.rect, control.rect) << control.name;
            EXPECT_EQ(made.text, control.caption) << control.name;
            EXPECT_EQ((made.style & WS_VISIBLE) != 0, control.shown) << control.name;
            const bool ownerDrawn = (made.style & BS_OWNERDRAW) == BS_OWNERDRAW;
            EXPECT_EQ(ownerDrawn, control.kind == ControlKind::PictureButton) << control.name;
            EXPECT_EQ(made.kind == DialogTemplate::Kind::Static,
                      control.kind == ControlKind::Static)
                << control.name;
        }
        EXPECT_EQ(item, t->items.size()) << screen.name;
    }
    EXPECT_EQ(CDialogTemplates::Find(1), nullptr);
}

TEST(ScreenLayoutsTest, ColoringButtonsStartHiddenAndOtherScreensShowTheirs) {
    // The coloring screen's start-up shows its buttons one by one.
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        for (const ControlLayout& control : screen.controls) {
            if (control.kind != ControlKind::PictureButton) continue;
            EXPECT_EQ(control.shown, std::string(screen.name) != "coloring")
                << screen.name << " " << control.name;
        }
    }
}

TEST(ScreenLayoutsTest, DumpHasOneParsableLinePerScreenAndControl) {
    std::istringstream dump(ScreenLayouts::Dump());
    std::map<std::pair<std::string, std::string>, std::array<int, 5>> read;
    std::string line;
    int lines = 0;
    while (std::getline(dump, line)) {
        std::istringstream fields(line);
        std::string screen, name, rest;
        std::array<int, 5> numbers{};
        fields >> screen >> name;
        for (int& n : numbers) fields >> n;
        ASSERT_TRUE(fields && !(fields >> rest)) << line;
        EXPECT_TRUE(read.emplace(std::pair{screen, name}, numbers).second) << line;
        ++lines;
    }
    int expected = 0;
    for (const ScreenLayout& screen : ScreenLayouts::All()) {
        ++expected;
        const auto own = read.find({screen.name, "SCREEN"});
        ASSERT_NE(own, read.end()) << screen.name;
        EXPECT_EQ(own->second, (std::array<int, 5>{static_cast<int>(screen.templateId), 0, 0,
                                                   screen.width, screen.height}));
        for (const ControlLayout& control : screen.controls) {
            ++expected;
            const auto found = read.find({screen.name, control.name});
            ASSERT_NE(found, read.end()) << screen.name << " " << control.name;
            const CRect& r = control.rect;
            EXPECT_EQ(found->second,
                      (std::array<int, 5>{control.id, r.left, r.top, r.Width(), r.Height()}))
                << control.name;
        }
    }
    EXPECT_EQ(lines, expected);
}

TEST(ContentPathsTest, PathsAreRelativeToTheWorkingFolderAndTheTree) {
    for (const char* path :
         {ContentPaths::kBitmaps, ContentPaths::kBooks, ContentPaths::kFillSounds,
          ContentPaths::kLearningGuide, ContentPaths::kClickSound}) {
        EXPECT_TRUE(std::string_view(path).starts_with(ContentPaths::kRoot)) << path;
        EXPECT_FALSE(ContentPaths::InTree(path).starts_with("/")) << path;
        EXPECT_FALSE(ContentPaths::InTree(path).starts_with(".")) << path;
    }
    EXPECT_EQ(ContentPaths::InTree(ContentPaths::kFillSounds), "sounds/fill/");
    EXPECT_EQ(ContentPaths::InTree("sounds/oops.wav"), "sounds/oops.wav");
    for (const ScreenLayout& screen : ScreenLayouts::All())
        EXPECT_TRUE(std::string_view(screen.folder).starts_with(ContentPaths::kRoot))
            << screen.name;
}
