#pragma once
#include <array>
#include <string>

#include "imaging/CDib.h"
#include "models/CCrayon.h"
#include "platform/base/CObject.h"
#include "platform/draw/CDC.h"

// An open crayon box: its picture, its button face for the box selector and up to 21
// crayons, each with a hit rectangle on the box picture.
class CCrayonBox : public CObject {
  public:
    static constexpr int kMaxCrayons = 21;

    // Loads the box from its block of the crayon catalogue. A box declaring more than 21
    // crayons loads the first 21. 1 on success, 0 on failure.
    bool Load(const std::string& block, const std::string& depthPrefix,
              const std::string& crayonsFolder);
    BOOL PaintBox(CDC& dc, const CRect& rect);
    CDib* GetButtonImage() { return m_buttonImage.IsValid() ? &m_buttonImage : nullptr; }
    // Makes the first crayon (in index order) under the point current and plays its sound.
    int HitCrayon(int x, int y);
    int SelectCrayon(int index);
    // The current index, or -1 (and `out` set to none); `out` receives the current crayon.
    int GetCurrentCrayon(CCrayon** out);
    int GetCrayonCount() const { return m_crayonCount; }
    CCrayon* GetCrayon(int index);

  private:
    std::array<CCrayon, kMaxCrayons> m_crayons;
    int m_currentCrayon = -1;
    CDib m_boxImage;
    CDib m_buttonImage;
    int m_crayonCount = 0;
};
