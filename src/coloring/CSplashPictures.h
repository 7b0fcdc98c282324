#pragma once
#include <memory>

#include "imaging/CDib.h"

class CDC;
class CPalette;
class CWnd;

// The full-window pictures around the colouring: the brand and the story pictures the
// start-up shows while everything loads, and the brand and closing pictures of the exit.
class CSplashPictures {
  public:
    // Reads the start-up's two pictures; the child is told of one that cannot be read.
    void LoadStartup();
    void PaintBrand(CDC& dc);
    // Paints the story picture; the brand picture is no longer needed.
    void PaintStory(CDC& dc);
    // The start-up is past its pictures.
    void Release();

    // Shows the brand picture on `window` for three seconds and then the closing picture
    // for two, handling no messages meanwhile.
    static void ShowClosing(CWnd& window, CPalette* palette);

  private:
    std::unique_ptr<CDib> m_brand;
    std::unique_ptr<CDib> m_story;
};
