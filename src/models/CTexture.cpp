#include "models/CTexture.h"

#include "models/CDescParser.h"

bool CTexture::Load(const std::string& block, const std::string& depthPrefix,
                    const std::string& folder) {
    const CDescParser parser;
    auto value = [&](const char* key) {
        int next = 0;
        std::string prefix = depthPrefix;
        return parser.GetValue(block, key, 0, next, prefix);
    };
    if (!LoadFiles(folder + value("Tex"), folder + value("Sel"))) return false;
    if (!ReadPicture(m_displayImage, folder + value("Dsp"))) return false;
    SetSoundPath(folder + value("Snd"));
    return true;
}

BOOL CTexture::PaintDisplay(CDC& dc, const CRect& rect) {
    return m_displayImage.Paint(dc, rect.left, rect.top, rect.Width(), rect.Height(), nullptr);
}
