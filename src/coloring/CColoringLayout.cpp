#include "coloring/CColoringLayout.h"

#include "coloring/CColoringDlg.h"
#include "resources/ContentPaths.h"

namespace {

using Dlg = CColoringDlg;
using Area = CColoringLayout::Area;
using ToolButton = CColoringLayout::ToolButton;

using Table = ScreenLayouts::Coloring;
using Paths = ContentPaths;

const CColoringSounds::Files kSoundFiles = {
    {Paths::kFillToolSound, Paths::kSmallBrushSound, Paths::kBigBrushSound,
     Paths::kSmallEraserSound, Paths::kBigEraserSound},
    Paths::kOopsSound,
    {Paths::kPageTurnSound, Paths::kPageTurnBackSound},
    Paths::kClickSound,
    Paths::kGreetingSound,
    Paths::kGoodbyeSound,
    Paths::kOopsSound,
};

// A button of the table as the screen loads it; the texture slots share one frame that the
// screen draws itself, so their buttons get no pictures.
constexpr PictureFace FaceOf(const ControlLayout& control, bool drawnByScreen = false) {
    return {control.id,
            control.caption,
            drawnByScreen ? nullptr : control.up,
            drawnByScreen ? nullptr : control.down,
            control.disabled,
            control.rect};
}

// The buttons in the order the data exchange binds them.
constexpr std::array<PictureFace, 19> kFaces = {
    {FaceOf(Table::kVoiceOver), FaceOf(Table::kExit), FaceOf(Table::kScrapbook),
     FaceOf(Table::kRightStar), FaceOf(Table::kLeftStar), FaceOf(Table::kUndo),
     FaceOf(Table::kTextureUp), FaceOf(Table::kTextureDown), FaceOf(Table::kTextureSlot2, true),
     FaceOf(Table::kTextureSlot1, true), FaceOf(Table::kTextureSlot0, true),
     FaceOf(Table::kSmallEraser), FaceOf(Table::kSmallBrush), FaceOf(Table::kSceneRight),
     FaceOf(Table::kSceneLeft), FaceOf(Table::kRegionFill), FaceOf(Table::kBigEraser),
     FaceOf(Table::kBigBrush), FaceOf(Table::kRedo)}};

constexpr Area AreaOf(const ControlLayout& control) {
    return {control.id, control.rect};
}

constexpr std::array<Area, 7> kAreas = {{AreaOf(Table::kBackground), AreaOf(Table::kPictureArea),
                                         AreaOf(Table::kColourStrip), AreaOf(Table::kSwatch0),
                                         AreaOf(Table::kSwatch1), AreaOf(Table::kSwatch2),
                                         AreaOf(Table::kCrayonArea)}};

constexpr std::array<int, 19> kShowOrder = {
    Dlg::kScrapbook,    Dlg::kVoiceOver,   Dlg::kTextureUp,  Dlg::kTextureSlot0, Dlg::kTextureSlot1,
    Dlg::kTextureSlot2, Dlg::kTextureDown, Dlg::kSmallBrush, Dlg::kBigBrush,     Dlg::kRegionFill,
    Dlg::kSmallEraser,  Dlg::kBigEraser,   Dlg::kUndo,       Dlg::kSceneLeft,    Dlg::kSceneRight,
    Dlg::kLeftStar,     Dlg::kRightStar,   Dlg::kExit,       Dlg::kRedo,
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

std::string CColoringLayout::BackgroundFile() {
    return Table::kScreen.BackgroundPath();
}

std::array<std::string, 2> CColoringLayout::SlotFrameFiles() {
    return {Table::kScreen.PathOf(Table::kTextureSlot0.up),
            Table::kScreen.PathOf(Table::kTextureSlot0.down)};
}

std::span<const int> CColoringLayout::Swatches() {
    return kSwatches;
}

std::array<CBackdropAnimation::Plan, 2> CColoringLayout::Animations() {
    constexpr UINT kSunTimer = 0x51;
    constexpr UINT kRainbowTimer = 0x52;
    const ScreenLayout& screen = Table::kScreen;
    return {{{Table::kSun.rect, Table::kAnimationFrames, screen.PathOf(Table::kSunFrames.file),
              Paths::kSunWinkSound, kSunTimer},
             {Table::kRainbow.rect, Table::kAnimationFrames,
              screen.PathOf(Table::kRainbowFrames.file), Paths::kRainbowSound, kRainbowTimer}}};
}
