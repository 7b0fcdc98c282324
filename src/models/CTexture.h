#pragma once
#include <string>

#include "imaging/CDib.h"
#include "models/CCrayon.h"

// A patterned swatch: a crayon with a display picture for the texture buttons.
class CTexture : public CCrayon {
  public:
    // Loads from a texture block of the texture catalogue; file names are joined to `folder`.
    bool Load(const std::string& block, const std::string& depthPrefix, const std::string& folder);
    BOOL PaintDisplay(CDC& dc, const CRect& rect);

  private:
    CDib m_displayImage;
};
