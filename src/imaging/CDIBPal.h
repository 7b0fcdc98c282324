#pragma once
#include "platform/base/WinTypes.h"
#include "platform/draw/CDC.h"
#include "platform/draw/CPalette.h"

// The screen palette: a CPalette that is filled with the colour cube and that windows
// select and realise before they draw. Deleting it deletes the palette.
class CDIBPal : public CPalette {
  public:
    CDIBPal() = default;
    ~CDIBPal() override;

    // Fills this palette with the 256-entry colour cube.
    bool CreateColourCube();

    // Selects this palette into `dc` (as a background palette when asked), realises it and
    // selects the previous palette back. Returns how many hardware entries changed.
    UINT RealizeIn(CDC& dc, BOOL background);

    // WM_QUERYNEWPALETTE for a window (anything with GetDC, ReleaseDC and Invalidate):
    // realises the palette in the foreground and repaints when entries changed.
    // Answers 0 when there is no palette or no device context, 1 otherwise.
    template <class Window>
    BOOL OnQueryNewPalette(Window& window) {
        if (!IsCreated()) return FALSE;
        CDC* dc = window.GetDC();
        if (dc == nullptr) return FALSE;
        const UINT changed = RealizeIn(*dc, FALSE);
        window.ReleaseDC(dc);
        if (changed > 0) window.Invalidate(TRUE);
        return TRUE;
    }

    // WM_PALETTECHANGED: another window changed the system palette; realise ours in the
    // background. Nothing happens when `changer` is `window` itself.
    template <class Window>
    void OnPaletteChanged(Window& window, const void* changer) {
        if (changer == &window || !IsCreated()) return;
        CDC* dc = window.GetDC();
        if (dc == nullptr) return;
        const UINT changed = RealizeIn(*dc, TRUE);
        window.ReleaseDC(dc);
        if (changed > 0) window.Invalidate(TRUE);
    }
};
