#include "coloring/CColoringLayout.h"

#include "coloring/CColoringDlg.h"

namespace {

using Dlg = CColoringDlg;
using Area = CColoringLayout::Area;
using ToolButton = CColoringLayout::ToolButton;

const CColoringSounds::Files kSoundFiles = {
    {"../sounds/fill.wav", "../sounds/lttlclr.wav", "../sounds/bigcolor.wav",
     "../sounds/lttlrsr.wav", "../sounds/bgrsr.wav"},
    "../sounds/oops.wav",
    {"../sounds/pgturn.wav", "../sounds/pgturn2.wav"},
    "../sounds/click.wav",
    "../sounds/lets_clr.wav",
    "../sounds/goodbye.wav",
    "../sounds/oops.wav",
};

// The texture slots and the crayon box selector have no pictures of their own: the screen
// draws the slots and gives the selector one frame per crayon box.
constexpr std::array<PictureFace, 18> kFaces = {{
    {Dlg::kVoiceOver, "Voice Over", "soundu.bmp", "soundd.bmp", nullptr, RectAt(51, 252, 35, 41)},
    {Dlg::kExit, "Exit", "exitu.bmp", "exitd.bmp", nullptr, RectAt(15, 436, 92, 39)},
    {Dlg::kScrapbook, "Scrapbook", "scrapu.bmp", "scrapd.bmp", nullptr, RectAt(555, 31, 35, 41)},
    {Dlg::kRightStar, "R Star", nullptr, nullptr, nullptr, RectAt(516, 388, 55, 36)},
    {Dlg::kLeftStar, "L Star", "LStaru.bmp", "LStard.bmp", nullptr, RectAt(65, 389, 52, 34)},
    {Dlg::kUndo, "undo", "undou.bmp", "undod.bmp", nullptr, RectAt(543, 257, 60, 32)},
    {Dlg::kTextureUp, "Texture Up", "texuu.bmp", "texud.bmp", nullptr, RectAt(38, 39, 57, 25)},
    {Dlg::kTextureDown, "Texture Down", "texdu.bmp", "texdd.bmp", nullptr, RectAt(38, 205, 57, 25)},
    {Dlg::kTextureSlot2, "Texture 2", nullptr, nullptr, nullptr, RectAt(44, 159, 43, 37)},
    {Dlg::kTextureSlot1, "Texture 1", nullptr, nullptr, nullptr, RectAt(44, 115, 43, 37)},
    {Dlg::kTextureSlot0, "Texture 0", nullptr, nullptr, nullptr, RectAt(44, 72, 43, 37)},
    {Dlg::kSmallEraser, "small eraser", "eraseu.bmp", "erased.bmp", nullptr,
     RectAt(543, 189, 60, 32)},
    {Dlg::kSmallBrush, "small brush", "sbrushu.bmp", "sbrushd.bmp", nullptr,
     RectAt(543, 87, 60, 32)},
    {Dlg::kSceneRight, "->", "sceneru.bmp", "scenerd.bmp", nullptr, RectAt(578, 434, 46, 40)},
    {Dlg::kSceneLeft, "<-", "scenelu.bmp", "sceneld.bmp", nullptr, RectAt(529, 434, 46, 40)},
    {Dlg::kRegionFill, "Region Fill", "areau.bmp", "aread.bmp", nullptr, RectAt(543, 155, 60, 32)},
    {Dlg::kBigEraser, "big eraser", "clearu.bmp", "cleard.bmp", nullptr, RectAt(543, 223, 60, 32)},
    {Dlg::kBigBrush, "big brush", "bbrushu.bmp", "bbrushd.bmp", nullptr, RectAt(543, 121, 60, 32)},
}};

constexpr std::array<Area, 7> kAreas = {{
    {Dlg::kBackground, RectAt(0, 0, 640, 480)},
    {Dlg::kPictureArea, RectAt(120, 28, 398, 264)},
    {Dlg::kColourStrip, RectAt(243, 451, 140, 18)},
    {Dlg::kSwatch0, RectAt(46, 74, 39, 33)},
    {Dlg::kSwatch1, RectAt(46, 117, 39, 33)},
    {Dlg::kSwatch2, RectAt(46, 161, 39, 33)},
    {Dlg::kCrayonArea, RectAt(139, 345, 360, 89)},
}};

constexpr std::array<int, 18> kShowOrder = {
    Dlg::kScrapbook,    Dlg::kVoiceOver,   Dlg::kTextureUp,  Dlg::kTextureSlot0, Dlg::kTextureSlot1,
    Dlg::kTextureSlot2, Dlg::kTextureDown, Dlg::kSmallBrush, Dlg::kBigBrush,     Dlg::kRegionFill,
    Dlg::kSmallEraser,  Dlg::kBigEraser,   Dlg::kUndo,       Dlg::kSceneLeft,    Dlg::kSceneRight,
    Dlg::kLeftStar,     Dlg::kRightStar,   Dlg::kExit,
};

constexpr std::array<ToolButton, CToolChoice::kToolCount> kToolButtons = {{
    {Tool::Fill, Dlg::kRegionFill},
    {Tool::SmallBrush, Dlg::kSmallBrush},
    {Tool::BigBrush, Dlg::kBigBrush},
    {Tool::SmallEraser, Dlg::kSmallEraser},
    {Tool::BigEraser, Dlg::kBigEraser},
}};

constexpr std::array<int, 3> kTextureSlots = {Dlg::kTextureSlot0, Dlg::kTextureSlot1,
                                              Dlg::kTextureSlot2};
constexpr std::array<int, 3> kSwatches = {Dlg::kSwatch0, Dlg::kSwatch1, Dlg::kSwatch2};

}  // namespace

const CColoringSounds::Files& CColoringLayout::SoundFiles() {
    return kSoundFiles;
}

std::span<const PictureFace> CColoringLayout::Faces() {
    return kFaces;
}

std::span<const CColoringLayout::Area> CColoringLayout::Areas() {
    return kAreas;
}

std::span<const int> CColoringLayout::ShowOrder() {
    return kShowOrder;
}

std::span<const CColoringLayout::ToolButton> CColoringLayout::ToolButtons() {
    return kToolButtons;
}

std::span<const int> CColoringLayout::TextureSlots() {
    return kTextureSlots;
}

std::span<const int> CColoringLayout::Swatches() {
    return kSwatches;
}
