#pragma once
#include <cstdint>
#include <functional>
#include <utility>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/base/CSize.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
class SdlAudio;

// The real machine through SDL2. The display the program sees is the physical display
// divided by the largest whole scale at which 640 x 480 fits; it is shown centred with
// nearest-neighbour scaling and black around it, and the mouse (a finger counts as the
// left button) is mapped back into it. The window opens full screen on first use
// (`windowed`: a 640 x 480 x scale window instead). TALEWICK_DEPTH=8 gives an 8-bit
// display whose hardware palette is applied when presenting.
class SdlBackend : public Backend {
  public:
    explicit SdlBackend(bool windowed);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // False when SDL's video could not start (the reason is in Error()).
    bool IsReady() const { return m_ready; }
    const std::string& Error() const { return m_error; }
    int Scale() const { return m_scale; }
    // Called from the event loop when the system asks the program to stop (a signal
    // caught by CQuitSignals, or the desktop's quit request).
    void SetQuitHandler(std::function<void()> handler) { m_quitHandler = std::move(handler); }

    CSurface& Surface() override;
    void Present() override;
    bool PollEvent(InputEvent& event) override;
    bool WaitEvent(DWORD timeoutMs) override;
    UINT GetModifierState() override;
    DWORD Now() override;
    void Sleep(DWORD ms) override;
    void ShowCursor(HCURSOR cursor) override;
    void ForgetCursor(HCURSOR cursor) override;
    CPoint GetCursorPos() override;
    void SetCursorPos(CPoint point) override;
    void ShowMessage(const std::string& text) override;

  private:
    void Open();
    CPoint ToDisplay(int x, int y) const;
    SDL_Cursor* MakeCursor(HCURSOR cursor);

    bool m_ready = false;
    bool m_windowed = false;
    bool m_opened = false;
    std::string m_error;
    int m_scale = 1;
    CSize m_display{640, 480};
    CPoint m_offset;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    std::unique_ptr<CSurface> m_surface;
    std::vector<std::uint32_t> m_converted;
    std::map<HCURSOR, SDL_Cursor*> m_cursors;
    std::unique_ptr<SdlAudio> m_audio;
    std::function<void()> m_quitHandler;
};
