#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/ScreenLayout.h"
#include "platform/backend/ScreenScaler.h"
#include "platform/base/CSize.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
struct SDL_Surface;
struct SDL_Rect;
class SdlAudio;

// The real machine through SDL2. The display the program sees is the physical display
// divided by the scale at which 640 x 480 fills it (ScreenLayout::ChooseScale); it is
// shown centred with black around it, and the mouse (a finger counts as the left button)
// is mapped back into it. The window opens full screen on first use (`windowed`: a
// 640 x 480 window at the largest whole scale instead) and may be resized: the display
// then follows the window's size at the same rule.
//
// Presenting scales only what was drawn since the last present (the surface's changed
// region) on the CPU and shows just those rectangles: by default through the window's
// own surface, which needs no GPU; TALEWICK_PRESENT=texture uploads them into a texture
// drawn by SDL's renderer instead. TALEWICK_DEPTH=8 gives an 8-bit display whose
// hardware palette is applied when presenting.
class SdlBackend : public Backend {
  public:
    explicit SdlBackend(bool windowed);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // False when SDL's video could not start (the reason is in Error()).
    bool IsReady() const { return m_ready; }
    const std::string& Error() const { return m_error; }
    // The scale the display is shown at (the scale of the first window until presented).
    double Scale() const { return m_scale; }
    // Resizes the window, as a person dragging its border would.
    void ResizeWindow(CSize size);
    // Called from the event loop when the system asks the program to stop (a signal
    // caught by CQuitSignals, or the desktop's quit request).
    void SetQuitHandler(std::function<void()> handler) { m_quitHandler = std::move(handler); }
    // Ends a wait for input from another thread (a stop request's watcher).
    void Wake();

    CSurface& Surface() override;
    void Present() override;
    void Raise() override;
    bool PollEvent(InputEvent& event) override;
    bool WaitEvent(DWORD timeoutMs) override;
    UINT GetModifierState() override;
    DWORD Now() override;
    void Sleep(DWORD ms) override;
    void ShowCursor(HCURSOR cursor) override;
    void ForgetCursor(HCURSOR cursor) override;
    CPoint GetCursorPos() override;
    void SetCursorPos(CPoint point) override;
    void RecordMessage(ChildMessage kind, const std::string& caption) override;

  private:
    bool StartVideo();
    void Open();
    bool UpdateLayout();
    void ScaleChanged(std::vector<SDL_Rect>& shown);
    const std::uint8_t* DisplayPixels(int& stride);
    void Show(const std::vector<SDL_Rect>& shown);
    CPoint ToDisplay(int x, int y) const;
    SDL_Cursor* MakeCursor(HCURSOR cursor);
    void BringForward();

    bool m_ready = false;
    bool m_windowed = false;
    bool m_opened = false;
    std::string m_error;
    bool m_useTexture = false;
    bool m_showAll = true;  // the whole output must be shown at the next present
    double m_scale = 1.0;
    CSize m_display{640, 480};
    ScreenLayout m_layout;
    ScreenScaler m_scaler;
    SDL_Window* m_window = nullptr;
    SDL_Surface* m_windowSurface = nullptr;  // owned by the window
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    std::unique_ptr<CSurface> m_surface;
    std::vector<std::uint32_t> m_converted;  // an 8-bit display through its palette
    std::vector<std::uint32_t> m_staging;    // scaled pixels when the window cannot take them
    bool m_direct = false;                   // scaling straight into the window's surface
    std::map<HCURSOR, SDL_Cursor*> m_cursors;
    std::unique_ptr<SdlAudio> m_audio;
    std::function<void()> m_quitHandler;
    std::atomic<bool> m_raiseRequested{false};
};
