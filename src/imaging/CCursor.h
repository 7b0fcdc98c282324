#pragma once
#include <array>
#include <memory>

#include "platform/backend/CursorImage.h"
#include "platform/base/CObject.h"

// The program's pointer shapes. The values are the shapes' numbers in the recorded output
// of scripted runs ("cursor 3"), so they must not change.
enum class CursorShape : int {
    Wait = 0,         // the system's busy cursor
    Hidden = 1,       // nothing shown
    Wand = 2,         // over clickable things
    Pointer = 3,      // the general pointer (a burst)
    BigCrayon = 4,    // the big brush over the picture
    SmallTip = 5,     // the small brush over the picture
    SmallEraser = 6,  // the small eraser over the picture
    BigEraser = 7,    // the big eraser over the picture
};

// The set of pointer shapes, one of which is current.
class CCursor : public CObject {
  public:
    static constexpr int kCount = 8;

    // Builds the set; nothing is shown yet and the current shape is the hidden one.
    CCursor();
    ~CCursor() override;
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;

    // Makes `shape` current and shows it; returns the cursor shown before.
    HCURSOR SetShape(CursorShape shape);
    // Shows the current cursor again (after something else changed the pointer).
    void RestoreCursor();

    CursorShape GetShape() const { return m_current; }
    HCURSOR GetCursorHandle(CursorShape shape) const;
    int GetLoadedCount() const { return m_loaded; }

  private:
    CursorShape m_current = CursorShape::Hidden;
    std::array<HCURSOR, 20> m_cursors{};
    int m_loaded = 0;
    std::array<std::unique_ptr<CursorImage>, kCount> m_shapes;
};
