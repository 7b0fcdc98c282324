#include "platform/print/CFont.h"

#include "platform/print/PrintTypes.h"

BOOL CFont::CreateFont(int height, int /*width*/, int /*escapement*/, int /*orientation*/,
                       int weight, BYTE italic, BYTE underline, BYTE strikeOut, BYTE /*charSet*/,
                       BYTE /*outPrecision*/, BYTE /*clipPrecision*/, BYTE /*quality*/,
                       BYTE pitchAndFamily, const char* faceName) {
    if (weight < 0 || weight > 1000) return FALSE;
    m_height = height;
    m_weight = weight == FW_DONTCARE ? FW_NORMAL : weight;
    m_italic = italic != 0;
    m_underline = underline != 0;
    m_strikeOut = strikeOut != 0;
    m_pitchAndFamily = pitchAndFamily;
    m_faceName = faceName != nullptr ? faceName : "";
    m_created = true;
    return TRUE;
}

std::string CFont::GetFamilyList() const {
    std::string generic;
    switch (m_pitchAndFamily & 0xF0) {
        case FF_ROMAN:
            generic = "serif";
            break;
        case FF_SWISS:
            generic = "sans-serif";
            break;
        case FF_MODERN:
            generic = "monospace";
            break;
        case FF_SCRIPT:
            generic = "cursive";
            break;
        case FF_DECORATIVE:
            generic = "fantasy";
            break;
        default:
            if ((m_pitchAndFamily & 0x03) == FIXED_PITCH) generic = "monospace";
            break;
    }
    if (m_faceName.empty()) return generic.empty() ? "sans-serif" : generic;
    // Pango reads commas as separators between families; a face name never has one.
    std::string family = m_faceName;
    if (!generic.empty()) family += "," + generic;
    return family;
}
