#pragma once
#include <optional>
#include <string>

#include "imaging/CDib.h"
#include "models/Swatch.h"
#include "platform/base/CObject.h"
#include "platform/base/CRect.h"
#include "platform/draw/CDC.h"
#include "sound/CBasicSound.h"

// A colouring swatch: the small texture picture that a scene maps onto its surfaces, the
// picture shown in the colour strip while it is current, its hit rectangle in the box
// picture and its sound (loaded on first play).
class CCrayon : public CObject {
  public:
    CCrayon() = default;
    CCrayon(const CCrayon&) = delete;
    CCrayon& operator=(const CCrayon&) = delete;

    // Loads the crayon from its block of a crayon box description; 1 on success, 0 on failure.
    bool Load(const std::string& block, const std::string& depthPrefix,
              const std::string& imageFolder, const std::string& soundFolder);
    // Loads the texture and the selected picture from two paths; 0 if either cannot be opened.
    bool LoadFiles(const std::string& texturePath, const std::string& selectedPath);

    CDib& GetTexture() { return m_texture; }
    // The texture as the colouring tools lay it on, stretched so that its width and its
    // height each span the 256 texture coordinates (no pixels when the texture is unusable).
    const Swatch& GetSwatch() const { return m_swatch; }
    // The swatch of `crayon`, none without a crayon.
    static std::optional<Swatch> SwatchOf(const CCrayon* crayon);
    int GetTextureWidth() const { return m_textureWidth; }
    int GetTextureHeight() const { return m_textureHeight; }
    const CRect& GetPosition() const { return m_position; }
    const std::string& GetSoundPath() const { return m_soundPath; }
    void SetSoundPath(const std::string& path) { m_soundPath = path; }

    BOOL PaintSelected(CDC& dc, const CRect& rect);
    bool HitTest(int x, int y) const { return m_position.PtInRect(CPoint(x, y)); }
    bool PlaySound();

    // Opens `path` and reads it into `picture`; a file that does not open fails quietly.
    static bool ReadPicture(CDib& picture, const std::string& path);

  private:
    void AdoptTexture();

    int m_textureWidth = 0;
    int m_textureHeight = 0;
    CDib m_texture;
    Swatch m_swatch;
    CDib m_selected;
    CRect m_position;
    CBasicSound m_sound;
    std::string m_soundPath;
};
