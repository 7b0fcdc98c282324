#pragma once
#include <array>
#include <span>
#include <string>

#include "coloring/CBackdropAnimation.h"
#include "coloring/CColoringSounds.h"
#include "coloring/CToolChoice.h"
#include "dialogs/CPictureDialog.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"

// Where everything sits on the colouring screen and which files it shows and plays.
class CColoringLayout {
  public:
    // A control the screen paints itself and its place.
    struct Area {
        int id;
        CRect rect;
    };
    // The button that chooses a tool.
    struct ToolButton {
        Tool tool;
        int id;
    };

    using Table = ScreenLayouts::Coloring;
    static constexpr const char* kBitmapFolder = Table::kScreen.folder;
    static constexpr const char* kBrandFile = ContentPaths::kBrandSplash;
    static constexpr const char* kStoryFile = ContentPaths::kStorySplash;
    static constexpr const char* kClosingFile = ContentPaths::kClosingPicture;
    // The quit confirmation covers the picture area.
    static constexpr CRect kQuitPlace = Table::kQuitPopup.rect;

    static std::string BackgroundFile();
    // The frame of the texture slots, up and down.
    static std::array<std::string, 2> SlotFrameFiles();
    static const CColoringSounds::Files& SoundFiles();
    // The buttons in the order the data exchange binds them.
    static std::span<const PictureFace> Faces();
    static std::span<const Area> Areas();
    // The order in which the end of the start-up shows the buttons.
    static std::span<const int> ShowOrder();
    static std::span<const ToolButton> ToolButtons();
    // The texture slot buttons and the swatches inside them, slot by slot.
    static std::span<const int> TextureSlots();
    static std::span<const int> Swatches();
    // The sun's wink and the rainbow's shimmer, with the screen timers they use.
    static std::array<CBackdropAnimation::Plan, 2> Animations();
};
