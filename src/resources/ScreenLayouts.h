#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"
#include "platform/base/WinUser.h"
#include "platform/window/DialogTemplate.h"
#include "resources/ChildMessageArt.h"
#include "resources/ContentPaths.h"

// What a control of a screen is. A place is no window: it is where a pop-up opens over
// the screen.
enum class ControlKind { PictureButton, Button, Static, Place };

// One control of a screen: its name (for the layout dump), id, kind, place in the screen,
// caption, and for a picture button the file names of its up, down and (optional) disabled
// faces, relative to the screen's folder. `shown` is false for controls that start hidden.
struct ControlLayout {
    const char* name = "";
    int id = 0;
    ControlKind kind = ControlKind::Static;
    CRect rect;
    const char* caption = "";
    const char* up = nullptr;
    const char* down = nullptr;
    const char* disabled = nullptr;
    bool shown = true;

    constexpr bool HasFaces() const { return up != nullptr && down != nullptr; }
    constexpr CPoint Centre() const {
        return {rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
    }
    // The centre on the display of a pop-up's control, the pop-up opened at `place`.
    constexpr CPoint CentreOn(const CRect& place) const {
        return {place.left + Centre().x, place.top + Centre().y};
    }
};

// A picture of a screen's folder that is no button face, with the size the screen gives it.
struct ScreenPicture {
    const char* file = "";
    int width = 0;
    int height = 0;
};

// One screen: its name, dialog template id, size, the folder of its pictures,
// its pictures (its background first) and its controls in the template's order (the order windows
// are created).
struct ScreenLayout {
    const char* name = "";
    UINT templateId = 0;
    int width = 0;
    int height = 0;
    const char* folder = "";
    std::span<const ScreenPicture> pictures;
    std::span<const ControlLayout> controls;

    // The control with `id`, or null.
    const ControlLayout* Find(int id) const;
    // The dialog template: every control but the places, in order.
    DialogTemplate MakeTemplate() const;
    // `file` of this screen's folder, relative to the working folder.
    std::string PathOf(const char* file) const { return std::string(folder) + file; }
    // The background picture, relative to the working folder.
    std::string BackgroundPath() const { return PathOf(pictures.front().file); }
};

// Building blocks of the tables below.
namespace layout_parts {

constexpr CRect At(int x, int y, int width, int height) {
    return CRect(x, y, x + width, y + height);
}
constexpr ControlLayout Face(const char* name, int id, CRect rect, const char* caption,
                             const char* up, const char* down, const char* disabled = nullptr) {
    return {name, id, ControlKind::PictureButton, rect, caption, up, down, disabled, true};
}
constexpr ControlLayout Area(const char* name, int id, CRect rect, bool shown = true) {
    return {name, id, ControlKind::Static, rect, "", nullptr, nullptr, nullptr, shown};
}
// A plain button reached only by command.
constexpr ControlLayout Command(const char* name, int id, const char* caption) {
    return {name,    id,   ControlKind::Button, At(0, 0, 1, 1), caption, nullptr, nullptr,
            nullptr, false};
}
constexpr ControlLayout Place(const char* name, CRect rect) {
    return {name, 0, ControlKind::Place, rect, "", nullptr, nullptr, nullptr, false};
}
// A picture button that starts hidden.
constexpr ControlLayout Hidden(ControlLayout face) {
    face.shown = false;
    return face;
}
// A tool of the coloring screen's column: buttons of one size, one under the other.
constexpr ControlLayout Tool(const char* name, int id, int row, const char* caption, const char* up,
                             const char* down, const char* disabled = nullptr) {
    return Hidden(Face(name, id, At(543, 87 + 34 * row, 60, 32), caption, up, down, disabled));
}
// A book slot on the scrapbook screen's shelf: one binder each, drawn by the screen.
constexpr ControlLayout Slot(const char* name, int id, int slot, const char* caption) {
    return Face(name, id, At(56 + slot * 80, 16, 48, 148), caption, nullptr, nullptr);
}

}  // namespace layout_parts

// The layouts of every screen of the program, in pixels; each screen's controls are named
// here once for the screens, the content kit and the scripted tests.
class ScreenLayouts {
  public:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    // The picture area of the coloring screen and of the slide show, and the quit
    // confirmation that covers the coloring screen's picture area.
    static constexpr int kPictureWidth = 398;
    static constexpr int kPictureHeight = 264;
    // Where the trash and print confirmations and the options screen open over the
    // scrapbook screen; their own size.
    static constexpr CRect kPopupRect = layout_parts::At(121, 69, 399, 264);
    // The confirmations' and options screen's full-window placeholder.
    static constexpr int kPlaceholderId = 1098;

    struct Coloring {
        static constexpr ControlLayout kBackground =
            layout_parts::Area("BACKGROUND", 1066, layout_parts::At(0, 0, 640, 480));
        static constexpr ControlLayout kPictureArea = layout_parts::Area(
            "PICTURE_AREA", 1028, layout_parts::At(120, 28, kPictureWidth, kPictureHeight));
        static constexpr ControlLayout kCrayonArea =
            layout_parts::Area("CRAYON_AREA", 1032, layout_parts::At(139, 345, 360, 89));
        static constexpr ControlLayout kColourStrip =
            layout_parts::Area("COLOUR_STRIP", 1067, layout_parts::At(243, 451, 140, 18));
        static constexpr ControlLayout kSmallBrush =
            layout_parts::Tool("SMALL_BRUSH", 1040, 0, "small brush", "sbrushu.bmp", "sbrushd.bmp");
        static constexpr ControlLayout kBigBrush =
            layout_parts::Tool("BIG_BRUSH", 1041, 1, "big brush", "bbrushu.bmp", "bbrushd.bmp");
        static constexpr ControlLayout kRegionFill =
            layout_parts::Tool("REGION_FILL", 1039, 2, "Region Fill", "areau.bmp", "aread.bmp");
        static constexpr ControlLayout kSmallEraser =
            layout_parts::Tool("SMALL_ERASER", 1046, 3, "small eraser", "eraseu.bmp", "erased.bmp");
        static constexpr ControlLayout kBigEraser =
            layout_parts::Tool("BIG_ERASER", 1037, 4, "big eraser", "clearu.bmp", "cleard.bmp");
        static constexpr ControlLayout kUndo =
            layout_parts::Tool("UNDO", 1048, 5, "undo", "undou.bmp", "undod.bmp", "undox.bmp");
        static constexpr ControlLayout kRedo =
            layout_parts::Tool("REDO", 1120, 6, "redo", "redou.bmp", "redod.bmp", "redox.bmp");
        static constexpr ControlLayout kTextureUp = layout_parts::Hidden(
            layout_parts::Face("TEXTURE_UP", 1038, layout_parts::At(38, 39, 57, 25), "Texture Up",
                               "texuu.bmp", "texud.bmp"));
        // The three texture slots share one frame; each swatch lies inside its slot.
        static constexpr ControlLayout kTextureSlot0 = layout_parts::Hidden(
            layout_parts::Face("TEXTURE_SLOT0", 1043, layout_parts::At(44, 72, 43, 37), "Texture 0",
                               "texu.bmp", "texd.bmp"));
        static constexpr ControlLayout kSwatch0 =
            layout_parts::Area("SWATCH0", 1092, layout_parts::At(46, 74, 39, 33));
        static constexpr ControlLayout kTextureSlot1 = layout_parts::Hidden(
            layout_parts::Face("TEXTURE_SLOT1", 1044, layout_parts::At(44, 115, 43, 37),
                               "Texture 1", "texu.bmp", "texd.bmp"));
        static constexpr ControlLayout kSwatch1 =
            layout_parts::Area("SWATCH1", 1090, layout_parts::At(46, 117, 39, 33));
        static constexpr ControlLayout kTextureSlot2 = layout_parts::Hidden(
            layout_parts::Face("TEXTURE_SLOT2", 1045, layout_parts::At(44, 159, 43, 37),
                               "Texture 2", "texu.bmp", "texd.bmp"));
        static constexpr ControlLayout kSwatch2 =
            layout_parts::Area("SWATCH2", 1091, layout_parts::At(46, 161, 39, 33));
        static constexpr ControlLayout kTextureDown = layout_parts::Hidden(
            layout_parts::Face("TEXTURE_DOWN", 1042, layout_parts::At(38, 205, 57, 25),
                               "Texture Down", "texdu.bmp", "texdd.bmp"));
        static constexpr ControlLayout kVoiceOver = layout_parts::Hidden(
            layout_parts::Face("VOICE_OVER", 1050, layout_parts::At(51, 252, 35, 41), "Voice Over",
                               "soundu.bmp", "soundd.bmp"));
        static constexpr ControlLayout kScrapbook = layout_parts::Hidden(
            layout_parts::Face("SCRAPBOOK", 1054, layout_parts::At(555, 31, 35, 41), "Scrapbook",
                               "scrapu.bmp", "scrapd.bmp"));
        static constexpr ControlLayout kLeftStar = layout_parts::Hidden(
            layout_parts::Face("LEFT_STAR", 1047, layout_parts::At(65, 389, 52, 34), "L Star",
                               "LStaru.bmp", "LStard.bmp"));
        // The right star has no pictures of its own.
        static constexpr ControlLayout kRightStar = layout_parts::Hidden(layout_parts::Face(
            "RIGHT_STAR", 1049, layout_parts::At(516, 388, 55, 36), "R Star", nullptr, nullptr));
        static constexpr ControlLayout kSceneLeft = layout_parts::Hidden(
            layout_parts::Face("SCENE_LEFT", 1055, layout_parts::At(529, 434, 46, 40), "<-",
                               "scenelu.bmp", "sceneld.bmp"));
        static constexpr ControlLayout kSceneRight = layout_parts::Hidden(
            layout_parts::Face("SCENE_RIGHT", 1056, layout_parts::At(578, 434, 46, 40), "->",
                               "sceneru.bmp", "scenerd.bmp"));
        static constexpr ControlLayout kExit = layout_parts::Hidden(layout_parts::Face(
            "EXIT", 1101, layout_parts::At(15, 436, 92, 39), "Exit", "exitu.bmp", "exitd.bmp"));
        static constexpr ControlLayout kQuitPopup =
            layout_parts::Place("QUIT_POPUP", kPictureArea.rect);
        // The sun and the rainbow on the background, which answer a click with a short
        // animation: a strip of frames side by side, each the size of its place.
        static constexpr ControlLayout kSun =
            layout_parts::Area("SUN", 1130, layout_parts::At(24, 304, 72, 72));
        static constexpr ControlLayout kRainbow =
            layout_parts::Area("RAINBOW", 1131, layout_parts::At(532, 322, 96, 52));
        static constexpr int kAnimationFrames = 8;

        static constexpr std::array<ControlLayout, 29> kControls = {
            kBackground, kPictureArea,  kCrayonArea, kColourStrip,  kSmallBrush, kBigBrush,
            kRegionFill, kSmallEraser,  kBigEraser,  kUndo,         kTextureUp,  kTextureSlot0,
            kSwatch0,    kTextureSlot1, kSwatch1,    kTextureSlot2, kSwatch2,    kTextureDown,
            kVoiceOver,  kScrapbook,    kLeftStar,   kRightStar,    kSceneLeft,  kSceneRight,
            kExit,       kQuitPopup,    kSun,        kRainbow,      kRedo,
        };
        static constexpr ScreenPicture kBackdrop = {"backgrnd.bmp", kScreenWidth, kScreenHeight};
        static constexpr ScreenPicture kBrandSplash = {"Pimbly.bmp", kScreenWidth, kScreenHeight};
        static constexpr ScreenPicture kStorySplash = {"story.bmp", kScreenWidth, kScreenHeight};
        static constexpr ScreenPicture kClosingPicture = {"ploq.bmp", kScreenWidth, kScreenHeight};
        static constexpr ScreenPicture kSunFrames = {
            "sunwink.bmp", kSun.rect.Width() * kAnimationFrames, kSun.rect.Height()};
        static constexpr ScreenPicture kRainbowFrames = {
            "shimmer.bmp", kRainbow.rect.Width() * kAnimationFrames, kRainbow.rect.Height()};
        static constexpr std::array<ScreenPicture, 6> kPictures = {
            kBackdrop, kBrandSplash, kStorySplash, kClosingPicture, kSunFrames, kRainbowFrames};
        static constexpr ScreenLayout kScreen = {
            "coloring", 102,      kScreenWidth, kScreenHeight, ContentPaths::kBitmaps,
            kPictures,  kControls};
    };

    struct Quit {
        static constexpr ControlLayout kPlaceholder = layout_parts::Area(
            "PLACEHOLDER", kPlaceholderId, layout_parts::At(0, 0, kPictureWidth, kPictureHeight));
        static constexpr ControlLayout kYes = layout_parts::Face(
            "YES", IDOK, layout_parts::At(209, 220, 48, 37), "yes", "yesup.bmp", "yesdn.bmp");
        static constexpr ControlLayout kNo = layout_parts::Face(
            "NO", IDCANCEL, layout_parts::At(139, 220, 69, 37), "no", "noup.bmp", "nodn.bmp");
        static constexpr std::array<ControlLayout, 3> kControls = {kPlaceholder, kYes, kNo};
        static constexpr ScreenPicture kBackdrop = {"exitbox.bmp", kPictureWidth, kPictureHeight};
        static constexpr std::array<ScreenPicture, 1> kPictures = {kBackdrop};
        static constexpr ScreenLayout kScreen = {
            "quit",    158,      kPictureWidth, kPictureHeight, ContentPaths::kQuitBitmaps,
            kPictures, kControls};
    };

    // The tall yes and no buttons the trash and print confirmations share. Every
    // confirmation puts "no" on the left and "yes" on the right.
    static constexpr ControlLayout kTallYes = layout_parts::Face(
        "YES", IDOK, layout_parts::At(204, 161, 54, 75), "yes", "yesu.bmp", "yesd.bmp");
    static constexpr ControlLayout kTallNo = layout_parts::Face(
        "NO", IDCANCEL, layout_parts::At(138, 161, 54, 75), "no", "nou.bmp", "nod.bmp");
    static constexpr ControlLayout kPopupPlaceholder =
        layout_parts::Area("PLACEHOLDER", kPlaceholderId,
                           layout_parts::At(0, 0, kPopupRect.Width(), kPopupRect.Height()));

    struct Trash {
        static constexpr ControlLayout kYes = kTallYes;
        static constexpr ControlLayout kNo = kTallNo;
        static constexpr std::array<ControlLayout, 3> kControls = {kPopupPlaceholder, kYes, kNo};
        static constexpr ScreenPicture kBackdrop = {"trash.bmp", kPopupRect.Width(),
                                                    kPopupRect.Height()};
        static constexpr std::array<ScreenPicture, 1> kPictures = {kBackdrop};
        static constexpr ScreenLayout kScreen = {"trash",
                                                 163,
                                                 kPopupRect.Width(),
                                                 kPopupRect.Height(),
                                                 ContentPaths::kTrashBitmaps,
                                                 kPictures,
                                                 kControls};
    };

    struct Print {
        static constexpr ControlLayout kYes = kTallYes;
        static constexpr ControlLayout kNo = kTallNo;
        static constexpr ControlLayout kTextToggle =
            layout_parts::Face("TEXT_TOGGLE", 1110, layout_parts::At(132, 88, 130, 28),
                               "Text Toggle", "textu.bmp", "textd.bmp");
        static constexpr std::array<ControlLayout, 4> kControls = {kPopupPlaceholder, kYes, kNo,
                                                                   kTextToggle};
        static constexpr ScreenPicture kBackdrop = {"print.bmp", kPopupRect.Width(),
                                                    kPopupRect.Height()};
        static constexpr std::array<ScreenPicture, 1> kPictures = {kBackdrop};
        static constexpr ScreenLayout kScreen = {"print",
                                                 161,
                                                 kPopupRect.Width(),
                                                 kPopupRect.Height(),
                                                 ContentPaths::kPrintBitmaps,
                                                 kPictures,
                                                 kControls};
    };

    struct Options {
        static constexpr ControlLayout kOk = layout_parts::Face(
            "OK", 1, layout_parts::At(172, 194, 55, 64), "OK", "oku.bmp", "okd.bmp");
        static constexpr ControlLayout kSound = layout_parts::Face(
            "SOUND", 1099, layout_parts::At(132, 42, 130, 28), "sound", "sndon.bmp", "sndoff.bmp");
        static constexpr ControlLayout kLines =
            layout_parts::Face("LINES", 1100, layout_parts::At(132, 104, 130, 28), "lines",
                               "inline.bmp", "outline.bmp");
        static constexpr ControlLayout kLearning =
            layout_parts::Face("LEARNING", 1101, layout_parts::At(82, 148, 49, 40),
                               "Ext. for Learn", "extu.bmp", "extd.bmp");
        static constexpr ControlLayout kCredits =
            layout_parts::Face("CREDITS", 1102, layout_parts::At(267, 149, 49, 39), "Credits",
                               "credu.bmp", "credd.bmp");
        // On the credits, which cover the whole display: the ticker's band and the hidden
        // spot a Ctrl+Shift click starts it from.
        static constexpr ControlLayout kTickerBand =
            layout_parts::Place("TICKER_BAND", layout_parts::At(75, 441, 490, 35));
        static constexpr ControlLayout kTickerSpot =
            layout_parts::Place("TICKER_SPOT", layout_parts::At(437, 421, 32, 13));
        static constexpr std::array<ControlLayout, 8> kControls = {
            kPopupPlaceholder, kOk, kSound, kLines, kLearning, kCredits, kTickerBand, kTickerSpot};
        static constexpr ScreenPicture kBackdrop = {"options.bmp", kPopupRect.Width(),
                                                    kPopupRect.Height()};
        static constexpr ScreenPicture kCreditsPicture = {"credits.bmp", kScreenWidth,
                                                          kScreenHeight};
        static constexpr std::array<ScreenPicture, 2> kPictures = {kBackdrop, kCreditsPicture};
        static constexpr ScreenLayout kScreen = {"options",
                                                 162,
                                                 kPopupRect.Width(),
                                                 kPopupRect.Height(),
                                                 ContentPaths::kOptionsBitmaps,
                                                 kPictures,
                                                 kControls};
    };

    struct SlideShow {
        static constexpr ControlLayout kSlideArea = layout_parts::Area(
            "SLIDE_AREA", 1108, layout_parts::At(120, 47, kPictureWidth, kPictureHeight));
        static constexpr ControlLayout kPlaceholder =
            layout_parts::Area("PLACEHOLDER", kPlaceholderId, layout_parts::At(0, 0, 1, 1), false);
        static constexpr ControlLayout kPlay =
            layout_parts::Face("PLAY", 1113, layout_parts::At(31, 37, 58, 54), "Play", "playu.bmp",
                               "playd.bmp", "playo.bmp");
        static constexpr ControlLayout kStop =
            layout_parts::Face("STOP", 1112, layout_parts::At(30, 100, 53, 49), "STOP",
                               "pauseu.bmp", "paused.bmp", "pauseo.bmp");
        static constexpr ControlLayout kRewind =
            layout_parts::Face("REWIND", 1109, layout_parts::At(19, 161, 63, 50), "Rewind",
                               "rewu.bmp", "rewd.bmp", "rewo.bmp");
        static constexpr ControlLayout kExit =
            layout_parts::Face("EXIT", 1, layout_parts::At(15, 416, 106, 51), "Exit", "thexitu.bmp",
                               "thexitd.bmp", "thexito.bmp");
        static constexpr ControlLayout kUseScript =
            layout_parts::Face("USE_SCRIPT", 1114, layout_parts::At(539, 35, 89, 58), "Use Script",
                               "filmu.bmp", "filmd.bmp", "filmo.bmp");
        static constexpr ControlLayout kBack = layout_parts::Command("BACK", 1110, "Back");
        static constexpr ControlLayout kForward = layout_parts::Command("FORWARD", 1111, "Forward");
        static constexpr ControlLayout kCancel = layout_parts::Command("CANCEL", 2, "Cancel");
        static constexpr std::array<ControlLayout, 10> kControls = {
            kSlideArea, kPlaceholder, kPlay, kStop,    kRewind,
            kExit,      kUseScript,   kBack, kForward, kCancel};
        static constexpr ScreenPicture kBackdrop = {"backgrnd.bmp", kScreenWidth, kScreenHeight};
        static constexpr std::array<ScreenPicture, 1> kPictures = {kBackdrop};
        static constexpr ScreenLayout kScreen = {
            "slides",  181,      kScreenWidth, kScreenHeight, ContentPaths::kSlidesBitmaps,
            kPictures, kControls};
    };

    struct Scrapbook {
        static constexpr ControlLayout kReturn = layout_parts::Face(
            "RETURN", 1, layout_parts::At(15, 416, 92, 51), "Return", "retu.bmp", "retd.bmp");
        static constexpr ControlLayout kPrint = layout_parts::Face(
            "PRINT", 1050, layout_parts::At(530, 230, 60, 50), "Print", "prntu.bmp", "prntd.bmp");
        static constexpr ControlLayout kTrash = layout_parts::Face(
            "TRASH", 1052, layout_parts::At(530, 290, 60, 50), "Trash", "trshu.bmp", "trshd.bmp");
        static constexpr ControlLayout kScrapbook =
            layout_parts::Face("SCRAPBOOK", 1054, layout_parts::At(40, 200, 70, 60), "Scrapbook",
                               "scrpu.bmp", "scrpd.bmp");
        static constexpr ControlLayout kImageLeft =
            layout_parts::Face("IMAGE_LEFT", 1058, layout_parts::At(130, 290, 46, 40), "Image Left",
                               "imglu.bmp", "imgld.bmp");
        static constexpr ControlLayout kImageRight =
            layout_parts::Face("IMAGE_RIGHT", 1059, layout_parts::At(464, 290, 46, 40),
                               "Image Right", "imgru.bmp", "imgrd.bmp");
        static constexpr ControlLayout kOptions = layout_parts::Face(
            "OPTIONS", 1063, layout_parts::At(555, 416, 70, 51), "Options", "optu.bmp", "optd.bmp");
        static constexpr ControlLayout kProjector =
            layout_parts::Face("PROJECTOR", 1064, layout_parts::At(40, 290, 70, 55), "Projector",
                               "proju.bmp", "projd.bmp");
        static constexpr ControlLayout kAddSlide =
            layout_parts::Face("ADD_SLIDE", 1065, layout_parts::At(40, 355, 70, 50), "Add Slide",
                               "addu.bmp", "addd.bmp");
        static constexpr ControlLayout kScribblePad =
            layout_parts::Face("SCRIBBLE_PAD", 1066, layout_parts::At(530, 350, 60, 50),
                               "Scribble Pad", "scribu.bmp", "scribd.bmp");
        static constexpr std::array<ControlLayout, 7> kSlots = {
            layout_parts::Slot("BOOK1", 1053, 0, "Book1"),
            layout_parts::Slot("BOOK2", 1055, 1, "Book2"),
            layout_parts::Slot("BOOK3", 1056, 2, "Book3"),
            layout_parts::Slot("BOOK4", 1057, 3, "Book4"),
            layout_parts::Slot("BOOK5", 1060, 4, "Book5"),
            layout_parts::Slot("BOOK6", 1061, 5, "Book6"),
            layout_parts::Slot("BOOK7", 1062, 6, "Book7"),
        };
        static constexpr ControlLayout kThumbnailArea =
            layout_parts::Area("THUMBNAIL_AREA", 1097, layout_parts::At(206, 238, 228, 151));
        static constexpr ControlLayout kFrameArea =
            layout_parts::Area("FRAME_AREA", 1098, layout_parts::At(190, 222, 260, 180));
        // The shelf's scroll thumb at its first step, and its track.
        static constexpr ControlLayout kScrollThumb =
            layout_parts::Area("SCROLL_THUMB", 1099, layout_parts::At(163, 189, 43, 20));
        static constexpr ControlLayout kScrollTrack =
            layout_parts::Area("SCROLL_TRACK", 1100, layout_parts::At(158, 185, 328, 28));
        static constexpr ControlLayout kPopup = layout_parts::Place("POPUP", kPopupRect);
        static constexpr std::array<ControlLayout, 22> kControls = {
            kReturn,    kPrint,       kTrash,       kScrapbook,   kImageLeft, kImageRight,
            kOptions,   kProjector,   kAddSlide,    kScribblePad, kSlots[0],  kSlots[1],
            kSlots[2],  kSlots[3],    kSlots[4],    kSlots[5],    kSlots[6],  kThumbnailArea,
            kFrameArea, kScrollThumb, kScrollTrack, kPopup};
        static constexpr ScreenPicture kBackdrop = {"backgrnd.bmp", kScreenWidth, kScreenHeight};
        static constexpr ScreenPicture kBookFrame = {"bookfrm.bmp", kFrameArea.rect.Width(),
                                                     kFrameArea.rect.Height()};
        static constexpr ScreenPicture kScrapbookFrame = {"scrpfrm.bmp", kFrameArea.rect.Width(),
                                                          kFrameArea.rect.Height()};
        static constexpr ScreenPicture kTrack = {"track.bmp", kScrollTrack.rect.Width(),
                                                 kScrollTrack.rect.Height()};
        static constexpr ScreenPicture kThumb = {"thumb.bmp", kScrollThumb.rect.Width(),
                                                 kScrollThumb.rect.Height()};
        static constexpr std::array<ScreenPicture, 5> kPictures = {kBackdrop, kBookFrame,
                                                                   kScrapbookFrame, kTrack, kThumb};
        static constexpr ScreenLayout kScreen = {
            "scrapbook", 159,      kScreenWidth, kScreenHeight, ContentPaths::kScrapbookBitmaps,
            kPictures,   kControls};
    };

    // A message to the child: one picture per kind of message over the whole window, the
    // caption for grown-ups in the band at its bottom left and the tick that closes it.
    struct Message {
        static constexpr ControlLayout kOk = layout_parts::Face(
            "OK", IDOK, layout_parts::At(314, 188, 64, 58), "OK", "oku.bmp", "okd.bmp");
        static constexpr ControlLayout kCaption =
            layout_parts::Place("CAPTION", layout_parts::At(26, 196, 276, 52));
        static constexpr std::array<ControlLayout, 3> kControls = {kPopupPlaceholder, kOk,
                                                                   kCaption};
        static constexpr std::array<ScreenPicture, kChildMessageCount> kPictures = [] {
            std::array<ScreenPicture, kChildMessageCount> pictures{};
            for (std::size_t i = 0; i < pictures.size(); ++i)
                pictures[i] = {ChildMessageArt::kEntries[i].picture, kPopupRect.Width(),
                               kPopupRect.Height()};
            return pictures;
        }();
        static constexpr ScreenLayout kScreen = {"message",
                                                 164,
                                                 kPopupRect.Width(),
                                                 kPopupRect.Height(),
                                                 ContentPaths::kMessageBitmaps,
                                                 kPictures,
                                                 kControls};
    };

    // Every screen, the coloring screen first.
    static std::span<const ScreenLayout> All();
    // The screen called `name`, or null.
    static const ScreenLayout* Find(std::string_view name);
    // One line per screen and per control: "SCREEN NAME ID X Y W H". A screen's own line
    // has the name SCREEN and its template id; a place's id is 0.
    static std::string Dump();
};
