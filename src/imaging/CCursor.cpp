#include "imaging/CCursor.h"

#include <iterator>
#include <string>

namespace {

// Pointer artwork, 32 columns a row: '#' black, 'o' white, '.' transparent. Rows above
// the first listed and below the last are transparent.
// Wand: rows 0 to 29
constexpr int kWandTop = 0;
constexpr const char* kWand[] = {
    ".......ooo......................", ".......o#o......................",
    "..ooo..o#o......................", "..o#oo.o#o..ooo.................",
    "..oo#ooo#o.oo#o.................", "...oo#oo#ooo#oo.................",
    "....ooooooo#oo..................", "oooooo....ooo...................",
    "o####o.oooo.....................", "oooooo.o##oo....................",
    ".....ooo###oo...................", "....oo#oo###oo..................",
    "...oo#oooo###oo.................", "...o#oo..oo###oo................",
    "...ooo....oo###oo...............", "...........oo###oo..............",
    "............oo###oo.............", ".............oo###oo............",
    "..............oo###oo...........", "...............oo###oo..........",
    "................oo###oo.........", ".................oo###oo........",
    "..................oo###oo.......", "...................oo###oo......",
    "....................oo###oo.....", ".....................oo###oo....",
    "......................oo###oo...", ".......................oo###o...",
    "........................oo#oo...", ".........................ooo....",
};
// Burst: rows 1 to 29
constexpr int kBurstTop = 1;
constexpr const char* kBurst[] = {
    "..............ooo...............", "..............o#o...............",
    "..............o#o...............", "..............o#o...............",
    ".....ooo......o#o......ooo......", ".....o#oo.....o#o.....oo#o......",
    ".....oo#oo....o#o....oo#oo......", "......oo#oo..oo#oo..oo#oo.......",
    ".......oo#oooo###oooo#oo........", "........oo#o#######o#oo.........",
    ".........oo##ooooo##oo..........", ".........o##oo...oo##o..........",
    "........oo#oo.....oo#oo.........", ".oooooooo##o..ooo..o##oooooooo..",
    ".o#########o..o#o..o#########o..", ".oooooooo##o..ooo..o##oooooooo..",
    "........oo#oo.....oo#oo.........", ".........o##oo...oo##o..........",
    ".........oo##ooooo##oo..........", "........oo#o#######o#oo.........",
    ".......oo#oooo###oooo#oo........", "......oo#oo..oo#oo..oo#oo.......",
    ".....oo#oo....o#o....oo#oo......", ".....o#oo.....o#o.....oo#o......",
    ".....ooo......o#o......ooo......", "..............o#o...............",
    "..............o#o...............", "..............o#o...............",
    "..............ooo...............",
};
// Crayon: rows 1 to 30
constexpr int kCrayonTop = 1;
constexpr const char* kCrayon[] = {
    "ooo.............................", "o#oo............................",
    "oo#oooo.ooo.....................", ".oo#o#ooo#oo....................",
    "..oo#o#o#o#oo...................", "..o#o#o#o#o#oo..................",
    "..oo#o#o#o#o#oo.................", "...oo#o#o#o#o#oo................",
    "..oo#o#o#o#o#o#oo...............", "..o#o#o#o#o#o#o#oo..............",
    "..oo#o#o#o#o#o#o#oo.............", "...oo#o#o#o#o#o#o#oo............",
    "....oo#o#o#o#o#ooo#oo...........", ".....oo#o#o#o#ooo#o#oo..........",
    "......oo#o#o#ooo#o#o#oo.........", ".......oo#o#ooo#o#o#o#oo........",
    "........oo#ooo#o#o#o#o#oo.......", ".........oo#o#o#o#o#o#o#oo......",
    "..........oo#o#o#o#o#o#o#oo.....", "...........oo#o#o#o#o#o#o#oo....",
    "............oo#o#o#o#o#o#o#oo...", ".............oo#o#o#o#o#o#o#oo..",
    "..............oo#o#o#o#o#o#o#o..", "...............oo#o#o#o#o#o#oo..",
    "................oo#o#o#o#o#oo...", ".................oo#o#o#o#oo....",
    "..................oo#o#o#oo.....", "...................oo#o#oo......",
    "....................oo#oo.......", ".....................ooo........",
};
// SmallTip: rows 6 to 21
constexpr int kSmallTipTop = 6;
constexpr const char* kSmallTip[] = {
    "...............ooo..............", "...............o#o..............",
    "..............oo#oo.............", ".............oo###oo............",
    "............oo#####oo...........", "............o#######o...........",
    "............o#######o...........", "............o###o###o...........",
    "............o###o###o...........", "............o###o###o...........",
    "............o###o###o...........", "............o###o###o...........",
    "............o###o###o...........", "............o###o###o...........",
    "............o#######o...........", "............ooooooooo...........",
};
// SmallEraser: rows 11 to 23
constexpr int kSmallEraserTop = 11;
constexpr const char* kSmallEraser[] = {
    "oooooooooooooooo................", "o##############o................",
    "o####oo########o................", "o####oo########o................",
    "o####oo########o................", "o####oo########o................",
    "o####oo########o................", "o####oo########o................",
    "o####oo########o................", "o####oo########o................",
    "o####oo########o................", "o##############o................",
    "oooooooooooooooo................",
};
// BigEraser: rows 8 to 22
constexpr int kBigEraserTop = 8;
constexpr const char* kBigEraser[] = {
    "oooooooooooooooooooooooooooooo..", "o############################o..",
    "o########ooo#################o..", "o########ooo#################o..",
    "o########ooo#################o..", "o########ooo#################o..",
    "o########ooo#################o..", "o########ooo#################o..",
    "o########ooo#################o..", "o########ooo#################o..",
    "o########ooo#################o..", "o########ooo#################o..",
    "o########ooo#################o..", "o############################o..",
    "oooooooooooooooooooooooooooooo..",
};

struct Art {
    const char* const* rows;
    int count;
    int top;
    CPoint hotSpot;
};

template <std::size_t N>
constexpr Art MakeArt(const char* const (&rows)[N], int top, CPoint hotSpot) {
    return Art{rows, static_cast<int>(N), top, hotSpot};
}

std::unique_ptr<CursorImage> Draw(const Art& art, int index) {
    auto image = std::make_unique<CursorImage>();
    for (int r = 0; r < art.count; ++r) {
        const int y = art.top + r;
        for (int x = 0; x < CursorImage::kSize && art.rows[r][x] != '\0'; ++x) {
            const char c = art.rows[r][x];
            if (c == '.') continue;
            image->opaque[y] |= 1U << x;
            if (c == 'o') image->white[y] |= 1U << x;
        }
    }
    image->hotSpot = art.hotSpot;
    image->label = std::string(1, static_cast<char>('0' + index));
    return image;
}

}  // namespace

CCursor::CCursor() {
    static const Art kArt[] = {
        MakeArt(kWand, kWandTop, CPoint(8, 9)),
        MakeArt(kBurst, kBurstTop, CPoint(15, 15)),
        MakeArt(kCrayon, kCrayonTop, CPoint(1, 2)),
        MakeArt(kSmallTip, kSmallTipTop, CPoint(16, 7)),
        MakeArt(kSmallEraser, kSmallEraserTop, CPoint(1, 17)),
        MakeArt(kBigEraser, kBigEraserTop, CPoint(1, 15)),
    };
    m_cursors[0] = LoadSystemCursor(IDC_WAIT);
    // Index 1 shows nothing: a shape with no opaque pixel.
    m_shapes[1] = Draw(Art{nullptr, 0, 0, CPoint(0, 0)}, 1);
    for (int i = 2; i < kCount; ++i) m_shapes[i] = Draw(kArt[i - 2], i);
    for (int i = 1; i < kCount; ++i) m_cursors[i] = m_shapes[i].get();
    m_loaded = kCount;
}

CCursor::~CCursor() {
    // A shape on screen must not outlive its owner.
    for (int i = 1; i < kCount; ++i) ReleaseCursor(m_shapes[i].get());
}

HCURSOR CCursor::SetShape(CursorShape shape) {
    m_current = shape;
    return SetCursor(GetCursorHandle(shape));
}

void CCursor::RestoreCursor() {
    SetCursor(GetCursorHandle(m_current));
}

HCURSOR CCursor::GetCursorHandle(CursorShape shape) const {
    const int index = static_cast<int>(shape);
    return index >= 0 && index < m_loaded ? m_cursors[static_cast<std::size_t>(index)] : nullptr;
}
