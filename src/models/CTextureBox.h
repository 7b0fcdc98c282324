#pragma once
#include <array>
#include <string>
#include <vector>

#include "models/CTexture.h"
#include "platform/base/CObject.h"
#include "resources/ContentPaths.h"

// The textures of the texture catalogue and which of them the texture buttons (slots)
// show; scrolling rotates the slots through the textures.
class CTextureBox : public CObject {
  public:
    static constexpr int kMaxTextures = 13;
    static constexpr const char* kDefaultFolder = ContentPaths::kTextures;

    explicit CTextureBox(int slotCount);

    // Loads "textures.txt" of `folder`; 0 when it cannot be read, a texture fails, or there
    // are fewer textures than slots. A missing catalogue is reported to the user.
    bool Load(const std::string& folder = kDefaultFolder);
    int SelectSlot(int slot);
    int GetCurrentTexture(CTexture** out);
    int GetSlotTexture(int slot, CTexture** out);
    void ScrollForward();
    void ScrollBack();
    bool PlaySlotSound(int slot);
    int GetTextureCount() const { return m_textureCount; }
    int GetSlotCount() const { return m_slotCount; }

  private:
    bool ValidSlot(int slot) const { return slot >= 0 && slot < m_slotCount; }
    void Scroll(int step);

    std::array<CTexture, kMaxTextures> m_textures;
    int m_currentTexture = -1;
    std::vector<int> m_slotMap;
    int m_slotCount = 0;
    int m_textureCount = 0;
};
