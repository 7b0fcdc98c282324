#pragma once
#include <cstdint>

#include "screens/Canvas.h"

// The kit's colours: flat, warm and close to the levels of the 256-colour cube
// (red and green in steps of 36.4, blue in steps of 85), so they survive reduction.
namespace Colours {
constexpr std::uint32_t kInk = 0x492400;  // the dark outline of everything
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCream = 0xFFFFAA;
constexpr std::uint32_t kYellow = 0xFFDB55;
constexpr std::uint32_t kSun = 0xFFDB00;
constexpr std::uint32_t kOrange = 0xFF9200;
constexpr std::uint32_t kRed = 0xDB2400;
constexpr std::uint32_t kPink = 0xFF92AA;
constexpr std::uint32_t kPurple = 0x9249AA;
constexpr std::uint32_t kSky = 0x6DB6FF;
constexpr std::uint32_t kBlue = 0x2449AA;
constexpr std::uint32_t kTeal = 0x00B6AA;
constexpr std::uint32_t kGreen = 0x6DB600;
constexpr std::uint32_t kLeaf = 0x92DB55;
constexpr std::uint32_t kWood = 0xB66D00;
constexpr std::uint32_t kTan = 0xDBB655;
constexpr std::uint32_t kGrey = 0xB6B6AA;
constexpr std::uint32_t kDark = 0x242400;
}  // namespace Colours

// Pictograms a child reads without words, drawn with flat fills and the dark outline.
enum class Icon {
    None,
    Brush,
    BigBrush,
    Bucket,
    Eraser,
    BigEraser,
    Undo,
    Door,
    Left,
    Right,
    Up,
    Down,
    Star,
    Speaker,
    SpeakerOff,
    Book,
    Check,
    Cross,
    Printer,
    Trash,
    Film,
    Play,
    Pause,
    Rewind,
    InsideLines,
    OutsideLines,
    Bulb,
    Heart,
    Letters,
    NoLetters,
    Plus,
    Pencil,
    Scrapbook,
    Back,     // going back to the screen before; the door is for quitting only
    GrownUp,  // ask a grown-up
    Question,
    Redo
};

// Draws `icon` centred on (cx, cy) inside a square of side `size`.
void DrawIcon(Canvas& canvas, Icon icon, double cx, double cy, double size);
// A five-pointed star path centred on (cx, cy).
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, double turn = 0);
// Multiplies every channel of a colour by `factor` (0..1), for pressed faces.
std::uint32_t Darker(std::uint32_t rgb, double factor = 0.75);
