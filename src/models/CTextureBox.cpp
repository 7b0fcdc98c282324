#include "models/CTextureBox.h"

#include <algorithm>
#include <cstdlib>

#include "models/CContentText.h"
#include "models/CDescParser.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

CTextureBox::CTextureBox(int slotCount)
    : m_slotMap(static_cast<std::size_t>(std::max(slotCount, 0)), -1),
      m_slotCount(std::max(slotCount, 0)) {}

bool CTextureBox::Load(const std::string& folder) {
    const std::string path = folder + ContentPaths::kTextureCatalogue;
    std::string text;
    if (!CContentText::ReadCatalogue(path, "textures", text)) return false;
    const CDescParser parser;
    int position = 0;
    const int declared = parser.GetCount(text, "NumTextures", position);
    if (declared < m_slotCount || declared > kMaxTextures)
        CContentReport::Report(path, "NumTextures is " + std::to_string(declared) +
                                         "; write the number of textures, " +
                                         std::to_string(m_slotCount) + " to " +
                                         std::to_string(kMaxTextures) + ".");
    const int count = std::min(declared, kMaxTextures);
    const int loaded = parser.LoadNumberedBlocks(
        text, count, position, [&](int i, const std::string& block, const std::string& prefix) {
            if (!m_textures[i].Load(block, prefix, folder)) return false;
            m_textureCount = i + 1;
            return true;
        });
    if (loaded < count) {
        CContentReport::Report(path, "texture " + std::to_string(loaded) +
                                         " cannot be loaded, so there are no textures; "
                                         "check its block and its files.");
        return false;
    }
    if (m_textureCount < m_slotCount) return false;
    if (m_slotCount > 0 && m_slotMap[0] == -1)
        for (int slot = 0; slot < m_slotCount; ++slot) m_slotMap[slot] = slot;
    return true;
}

int CTextureBox::SelectSlot(int slot) {
    if (!ValidSlot(slot)) return 0;
    m_currentTexture = m_slotMap[slot];
    return 1;
}

int CTextureBox::GetCurrentTexture(CTexture** out) {
    const bool valid = m_currentTexture >= 0 && m_currentTexture < m_textureCount;
    if (out != nullptr) *out = valid ? &m_textures[m_currentTexture] : nullptr;
    return valid ? m_currentTexture : -1;
}

int CTextureBox::GetSlotTexture(int slot, CTexture** out) {
    const int index = ValidSlot(slot) ? m_slotMap[slot] : -1;
    const bool valid = index >= 0 && index < m_textureCount;
    if (out != nullptr) *out = valid ? &m_textures[index] : nullptr;
    return valid ? index : -1;
}

void CTextureBox::Scroll(int step) {
    if (m_textureCount <= 0) return;
    for (int& index : m_slotMap)
        if (index >= 0) index = (index + step + m_textureCount) % m_textureCount;
}

void CTextureBox::ScrollForward() {
    Scroll(1);
}

void CTextureBox::ScrollBack() {
    Scroll(-1);
}

bool CTextureBox::PlaySlotSound(int slot) {
    CTexture* texture = nullptr;
    if (GetSlotTexture(slot, &texture) < 0) return false;
    return texture->PlaySound();
}
