#pragma once
#include <array>
#include <memory>

#include "platform/backend/CursorImage.h"
#include "platform/base/CObject.h"

// The program's pointer shapes, switched by index:
// 0 the system wait cursor, 1 invisible, 2 the wand (clickable things), 3 the burst
// (general pointer), 4 the big crayon, 5 the small tip, 6 the small eraser, 7 the big eraser.
class CCursor : public CObject {
  public:
    static constexpr int kCount = 8;

    // Builds the set; nothing is shown yet and the current index is 1.
    CCursor();
    ~CCursor() override;
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;

    // Makes `index` current and shows it; returns the cursor shown before.
    HCURSOR SetCursorIndex(int index);
    // Shows the current cursor again (after something else changed the pointer).
    void RestoreCursor();

    int GetCurrentIndex() const { return m_current; }
    HCURSOR GetCursorHandle(int index) const;
    int GetLoadedCount() const { return m_loaded; }

  private:
    int m_current = 1;
    std::array<HCURSOR, 20> m_cursors{};
    int m_loaded = 0;
    std::array<std::unique_ptr<CursorImage>, kCount> m_shapes;
};
