#pragma once
#include <array>
#include <span>

#include "coloring/CColoringSounds.h"
#include "coloring/CToolChoice.h"
#include "dialogs/CPictureDialog.h"

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

    static constexpr const char* kBitmapFolder = "../bitmaps/";
    static constexpr const char* kBackgroundFile = "../bitmaps/backgrnd.bmp";
    static constexpr const char* kBrandFile = "../bitmaps/Pimbly.bmp";
    static constexpr const char* kStoryFile = "../bitmaps/story.bmp";
    static constexpr const char* kClosingFile = "../bitmaps/ploq.bmp";
    // The frame of the texture slots, up and down.
    static constexpr std::array<const char*, 2> kSlotFrameFiles = {"../bitmaps/texu.bmp",
                                                                   "../bitmaps/texd.bmp"};
    // The scribble pad, inside the books' folder.
    static constexpr const char* kScribbleFolder = "scribble/";
    static constexpr const char* kScribbleDescription = "scribble.txt";
    // The quit confirmation covers the picture area.
    static constexpr CRect kQuitPlace = RectAt(120, 28, 398, 264);

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
};
