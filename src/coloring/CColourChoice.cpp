#include "coloring/CColourChoice.h"

#include "models/CCrayonCatalogue.h"
#include "models/CTexture.h"

void CColourChoice::LoadCrayons(const std::function<void(CDib*)>& onBoxPicture) {
    m_boxCount =
        CCrayonCatalogue::Load(m_boxes.data(), kMaxCrayonBoxes, [&onBoxPicture](CCrayonBox& box) {
            if (CDib* image = box.GetButtonImage()) onBoxPicture(image);
        });
}

const CCrayon* CColourChoice::GetColour() {
    if (m_source == ColourSource::Texture) {
        CTexture* texture = nullptr;
        m_textureBox.GetCurrentTexture(&texture);
        return texture;
    }
    CCrayonBox* box = GetShownBox();
    if (box == nullptr) return nullptr;
    CCrayon* crayon = nullptr;
    box->GetCurrentCrayon(&crayon);
    return crayon;
}

CCrayonBox* CColourChoice::GetShownBox() {
    if (m_shownBox >= m_boxCount) return nullptr;
    return &m_boxes[static_cast<std::size_t>(m_shownBox)];
}

bool CColourChoice::ShowBox(int index) {
    if (index < 0 || index >= m_boxCount) return false;
    m_shownBox = index;
    return true;
}

bool CColourChoice::PickCrayon(CPoint inBox) {
    CCrayonBox* box = GetShownBox();
    if (box == nullptr || !box->HitCrayon(inBox.x, inBox.y)) return false;
    m_source = ColourSource::Crayon;
    return true;
}

void CColourChoice::PickTexture(int slot) {
    m_textureBox.PlaySlotSound(slot);
    m_textureBox.SelectSlot(slot);
    m_source = ColourSource::Texture;
}

void CColourChoice::PageTextures(bool forward) {
    if (forward) {
        m_textureBox.ScrollForward();
    } else {
        m_textureBox.ScrollBack();
    }
}

CTexture* CColourChoice::GetSlotTexture(int slot) {
    CTexture* texture = nullptr;
    if (m_textureBox.GetSlotTexture(slot, &texture) < 0) return nullptr;
    return texture;
}
