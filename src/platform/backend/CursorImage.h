#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/base/CPoint.h"
#include "platform/base/WinTypes.h"

// A 32 x 32 monochrome pointer shape: each row is a bit set with bit x for column x.
// A pixel is drawn when its `opaque` bit is set, white when its `white` bit is set too and
// black otherwise; everything else is transparent. `label` names the shape in records.
struct CursorImage {
    static constexpr int kSize = 32;
    std::array<std::uint32_t, kSize> opaque{};
    std::array<std::uint32_t, kSize> white{};
    CPoint hotSpot;
    std::string label;
    int systemId = 0;  // IDC_ARROW or IDC_WAIT for the system's own pointers

    bool IsOpaque(int x, int y) const { return (opaque[y] >> x) & 1U; }
    bool IsWhite(int x, int y) const { return (white[y] >> x) & 1U; }
};

// A cursor handle: the shape stays owned by whoever made it and must outlive its use.
using HCURSOR = const CursorImage*;

// The system's own pointers.
constexpr int IDC_ARROW = 32512;
constexpr int IDC_WAIT = 32514;

// One of the system pointers (IDC_ARROW, IDC_WAIT); null for any other id.
HCURSOR LoadSystemCursor(int id);
// Shows `cursor` as the pointer (null hides it); returns the cursor shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Call before destroying a shape: takes it off the screen and drops what was made from it.
void ReleaseCursor(HCURSOR cursor);
// The pointer position in screen (display) coordinates.
BOOL GetCursorPos(CPoint* point);
BOOL SetCursorPos(int x, int y);
