#pragma once
#include <optional>

#include "platform/draw/CMemoryDC.h"

class CWnd;

// A device context on a window's client area on the display: drawing is clipped to the
// part of the window that can be seen. Realising a foreground palette that changes the
// display's colours tells every top-level window (WM_PALETTECHANGED).
class CWindowDC : public CMemoryDC {
  public:
    // `clip` further limits drawing (client coordinates); none for the whole client area.
    CWindowDC(CWnd* wnd, std::optional<CRect> clip);
    ~CWindowDC() override;
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground) override;
    UINT RealizePalette() override;
    CWnd* GetWindow() const { return m_wnd; }

  private:
    CWnd* m_wnd;
    bool m_background = false;
    CPalette* m_palette = nullptr;
};
