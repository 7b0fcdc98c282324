#pragma once
#include <string>

#include "platform/base/CObject.h"
#include "platform/base/WinTypes.h"

// A logical font: the description a device context turns into a real face when it draws
// text. Fonts are found through fontconfig, so a face name the system lacks falls back to
// the closest installed family (a metric-compatible one where the system has it).
class CFont : public CObject {
  public:
    CFont() = default;

    // `height` < 0: character height in device units; > 0: cell (line) height; 0: default.
    // Width, escapement, orientation, character set, precisions and quality are kept for
    // the record only: text is always drawn upright at the face's natural width.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
    void DeleteObject() { m_created = false; }
    bool IsCreated() const { return m_created; }

    int GetHeight() const { return m_height; }
    int GetWeight() const { return m_weight; }
    bool IsItalic() const { return m_italic; }
    bool IsUnderlined() const { return m_underline; }
    bool IsStruckOut() const { return m_strikeOut; }
    BYTE GetPitchAndFamily() const { return m_pitchAndFamily; }
    const std::string& GetFaceName() const { return m_faceName; }
    // The family list handed to the font matcher: the face, then a generic family derived
    // from the pitch and family bits (none when they say "don't care").
    std::string GetFamilyList() const;

  private:
    bool m_created = false;
    int m_height = 0;
    int m_weight = 0;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    BYTE m_pitchAndFamily = 0;
    std::string m_faceName;
};
