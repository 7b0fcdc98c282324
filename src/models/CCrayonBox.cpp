#include "models/CCrayonBox.h"

#include <algorithm>
#include <cstdlib>

#include "models/CDescParser.h"
#include "platform/files/CContentReport.h"
#include "resources/ContentPaths.h"

namespace {

std::string BlockValue(const std::string& block, const std::string& depthPrefix,
                       const std::string& key, std::string* innerPrefix = nullptr) {
    const CDescParser parser;
    int next = 0;
    std::string prefix = depthPrefix;
    std::string value = parser.GetValue(block, key, 0, next, prefix);
    if (innerPrefix != nullptr) *innerPrefix = prefix;
    return value;
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
    return folder;
}

}  // namespace

bool CCrayonBox::Load(const std::string& block, const std::string& depthPrefix,
                      const std::string& crayonsFolder) {
    const std::string imageFolder =
        WithSlash(crayonsFolder + BlockValue(block, depthPrefix, "BoxFolder"));
    const int declared = std::atoi(BlockValue(block, depthPrefix, "NumCrayons").c_str());
    if (declared <= 0 || declared > kMaxCrayons)
        CContentReport::Report(crayonsFolder + ContentPaths::kCrayonCatalogue,
                               "a box's NumCrayons is " + std::to_string(declared) +
                                   "; write the number of crayons in the box, 1 to " +
                                   std::to_string(kMaxCrayons) + ".");
    const int count = std::clamp(declared, 0, kMaxCrayons);
    const std::string soundFolder =
        WithSlash(crayonsFolder + BlockValue(block, depthPrefix, "LanguageEnglishFolder"));
    if (!CCrayon::ReadPicture(m_boxImage, imageFolder + BlockValue(block, depthPrefix, "Box")))
        return false;
    if (!CCrayon::ReadPicture(m_buttonImage,
                              imageFolder + BlockValue(block, depthPrefix, "Button")))
        return false;
    for (int i = 0; i < count; ++i) {
        std::string crayonPrefix;
        const std::string crayonBlock =
            BlockValue(block, depthPrefix, std::to_string(i), &crayonPrefix);
        if (!m_crayons[i].Load(crayonBlock, crayonPrefix, imageFolder, soundFolder)) return false;
    }
    m_currentCrayon = 0;
    m_crayonCount = count;
    return true;
}

BOOL CCrayonBox::PaintBox(CDC& dc, const CRect& rect) {
    return m_boxImage.Paint(dc, rect.left, rect.top, rect.Width(), rect.Height(), nullptr);
}

int CCrayonBox::HitCrayon(int x, int y) {
    for (int i = 0; i < m_crayonCount; ++i) {
        if (!m_crayons[i].HitTest(x, y)) continue;
        m_currentCrayon = i;
        m_crayons[i].PlaySound();
        return 1;
    }
    return 0;
}

int CCrayonBox::SelectCrayon(int index) {
    if (index < 0 || index >= m_crayonCount) return 0;
    m_currentCrayon = index;
    return 1;
}

int CCrayonBox::GetCurrentCrayon(CCrayon** out) {
    const bool valid = m_currentCrayon >= 0 && m_currentCrayon < m_crayonCount;
    if (out != nullptr) *out = valid ? &m_crayons[m_currentCrayon] : nullptr;
    return valid ? m_currentCrayon : -1;
}

CCrayon* CCrayonBox::GetCrayon(int index) {
    return index >= 0 && index < m_crayonCount ? &m_crayons[index] : nullptr;
}
