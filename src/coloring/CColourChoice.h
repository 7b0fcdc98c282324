#pragma once
#include <array>
#include <functional>

#include "models/CCrayonBox.h"
#include "models/CTextureBox.h"

class CCrayon;
class CDib;
class CTexture;

// Where the colour of the tools comes from.
enum class ColourSource { Texture, Crayon };

// The colours the child chooses from: the crayon boxes (one shown at a time) and the
// texture box, and whether the current crayon or the current texture colours.
class CColourChoice {
  public:
    static constexpr int kMaxCrayonBoxes = 10;
    static constexpr int kTextureSlots = 3;

    // Loads the crayon boxes in catalogue order; `onBoxPicture` receives the picture of
    // each box that has one (the box selector shows them).
    void LoadCrayons(const std::function<void(CDib*)>& onBoxPicture);
    void LoadTextures() { m_textureBox.Load(); }

    ColourSource GetSource() const { return m_source; }
    // The current crayon or texture; null when there is none.
    const CCrayon* GetColour();
    // The crayon of the box on show that colours now; null while a texture colours.
    const CCrayon* GetChosenCrayon() {
        return m_source == ColourSource::Crayon ? GetColour() : nullptr;
    }
    // The crayon box on show; null when none loaded.
    CCrayonBox* GetShownBox();
    int GetShownBoxIndex() const { return m_shownBox; }
    int GetBoxCount() const { return m_boxCount; }
    // Shows box `index`; false (nothing changes) outside the loaded boxes.
    bool ShowBox(int index);

    // Picks the crayon of the shown box at `inBox`; false when there is none there.
    bool PickCrayon(CPoint inBox);
    // Picks the texture in `slot`, with its sound.
    void PickTexture(int slot);
    void PageTextures(bool forward);
    // The texture shown in `slot`, or null.
    CTexture* GetSlotTexture(int slot);

  private:
    ColourSource m_source = ColourSource::Crayon;
    CTextureBox m_textureBox{kTextureSlots};
    std::array<CCrayonBox, kMaxCrayonBoxes> m_boxes;
    int m_boxCount = 0;
    int m_shownBox = 0;
};
