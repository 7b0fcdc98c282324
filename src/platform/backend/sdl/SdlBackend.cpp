#include "platform/backend/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend/sdl/SdlAudio.h"
#include "platform/base/CQuitSignals.h"
#include "platform/base/WinUser.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

UINT KeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        default:
            return 0;
    }
}

// The MK_ flags of SDL's modifier state (either Shift, either Ctrl).
UINT ModifiersFromSdl(Uint16 mod) {
    UINT flags = 0;
    if ((mod & KMOD_SHIFT) != 0) flags |= MK_SHIFT;
    if ((mod & KMOD_CTRL) != 0) flags |= MK_CONTROL;
    return flags;
}

bool HasEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Waits are cut into slices this long so a stop request is seen soon enough.
constexpr Uint32 kWaitSliceMs = 50;

}  // namespace

SdlBackend::SdlBackend(bool windowed) : m_windowed(windowed) {
    // Without a desktop session SDL may still start on some off-screen driver, and the
    // program would run where nobody can see it.
    if (!HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY") &&
        !HasEnvironment("SDL_VIDEODRIVER")) {
        m_error = "no display found; start it in a desktop session or set DISPLAY";
        return;
    }
    // Stop signals are the program's own (CQuitSignals); the window's close button is
    // the exit button, not a reason to quit.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // No window yet: a copy that is refused must not flash one.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        m_error = SDL_GetError();
        return;
    }
    m_ready = true;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        m_scale = std::max(1, std::min(mode.w / kScreenWidth, mode.h / kScreenHeight));
        m_display = windowed ? CSize(kScreenWidth, kScreenHeight)
                             : CSize(mode.w / m_scale, mode.h / m_scale);
    }
    const char* depth = std::getenv("TALEWICK_DEPTH");
    const int bits = depth != nullptr && std::atoi(depth) == 8 ? 8 : 32;
    m_surface = std::make_unique<CSurface>(m_display.cx, m_display.cy, bits);
    m_audio = std::make_unique<SdlAudio>();
    SetAudioOutput(m_audio.get());
}

SdlBackend::~SdlBackend() {
    if (GetAudioOutput() == m_audio.get()) SetAudioOutput(nullptr);
    m_audio.reset();
    for (auto& entry : m_cursors) SDL_FreeCursor(entry.second);
    if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
    if (m_renderer != nullptr) SDL_DestroyRenderer(m_renderer);
    if (m_window != nullptr) SDL_DestroyWindow(m_window);
    if (m_ready) SDL_Quit();
}

void SdlBackend::Open() {
    if (m_opened || !m_ready) return;
    m_opened = true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const Uint32 flags = m_windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int w = m_windowed ? kScreenWidth * m_scale : m_display.cx * m_scale;
    const int h = m_windowed ? kScreenHeight * m_scale : m_display.cy * m_scale;
    m_window =
        SDL_CreateWindow("Talewick", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (m_window == nullptr) {
        m_error = SDL_GetError();
        return;
    }
    m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (m_renderer == nullptr) m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (m_renderer == nullptr) return;
    m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  m_display.cx, m_display.cy);
}

CSurface& SdlBackend::Surface() {
    Open();
    return *m_surface;
}

void SdlBackend::Present() {
    Open();
    if (m_renderer == nullptr || m_texture == nullptr) return;
    const CSurface& s = *m_surface;
    m_converted.resize(static_cast<std::size_t>(s.Width()) * s.Height());
    if (s.BitsPerPixel() == 8) {
        // An 8-bit display shows its indices through the hardware palette.
        std::uint32_t lookup[256];
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY& e = s.HardwarePalette()[i];
            lookup[i] = 0xFF000000U | (static_cast<std::uint32_t>(e.peRed) << 16) |
                        (static_cast<std::uint32_t>(e.peGreen) << 8) | e.peBlue;
        }
        for (int y = 0; y < s.Height(); ++y) {
            const std::uint8_t* row = s.Row(y);
            std::uint32_t* out = m_converted.data() + static_cast<std::size_t>(y) * s.Width();
            for (int x = 0; x < s.Width(); ++x) out[x] = lookup[row[x]];
        }
        SDL_UpdateTexture(m_texture, nullptr, m_converted.data(), s.Width() * 4);
    } else {
        // Blue, green, red, 255 in memory is ARGB8888 on a little-endian machine.
        SDL_UpdateTexture(m_texture, nullptr, s.Row(0), s.Stride());
    }
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(m_renderer, &outW, &outH);
    const int scale = std::max(1, std::min(outW / s.Width(), outH / s.Height()));
    const SDL_Rect dest{(outW - s.Width() * scale) / 2, (outH - s.Height() * scale) / 2,
                        s.Width() * scale, s.Height() * scale};
    m_offset = CPoint(dest.x, dest.y);
    m_scale = scale;
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &dest);
    SDL_RenderPresent(m_renderer);
}

CPoint SdlBackend::ToDisplay(int x, int y) const {
    return CPoint((x - m_offset.x) / m_scale, (y - m_offset.y) / m_scale);
}

bool SdlBackend::PollEvent(InputEvent& event) {
    if (!m_ready) return false;
    if (CQuitSignals::Take() && m_quitHandler) m_quitHandler();
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        // Mouse events carry no modifiers: the keyboard's state as the event is taken.
        event.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
        switch (e.type) {
            case SDL_QUIT:
                // The desktop asks every program to end (the session is closing).
                if (m_quitHandler) m_quitHandler();
                break;
            case SDL_MOUSEMOTION:
                event.kind = InputEvent::Kind::MouseMove;
                event.point = ToDisplay(e.motion.x, e.motion.y);
                return true;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                // Touch arrives as the left button (SDL turns fingers into mouse events).
                if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT)
                    break;
                event.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::ButtonDown
                                                           : InputEvent::Kind::ButtonUp;
                event.button = e.button.button == SDL_BUTTON_LEFT ? InputEvent::Button::Left
                                                                  : InputEvent::Button::Right;
                event.point = ToDisplay(e.button.x, e.button.y);
                return true;
            case SDL_KEYDOWN:
                event.kind = InputEvent::Kind::KeyDown;
                event.key = KeyFromSdl(e.key.keysym.sym);
                event.modifiers = ModifiersFromSdl(e.key.keysym.mod);
                if (event.key != 0) return true;
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED) Present();
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    event.kind = InputEvent::Kind::Close;
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return false;
}

bool SdlBackend::WaitEvent(DWORD timeoutMs) {
    if (!m_ready) return false;
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        const Uint32 waited = SDL_GetTicks() - start;
        if (timeoutMs != INFINITE && waited >= timeoutMs) return true;
        const Uint32 left = timeoutMs == INFINITE ? kWaitSliceMs : timeoutMs - waited;
        if (SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min(left, kWaitSliceMs))) != 0)
            return true;
        if (CQuitSignals::IsRequested()) return true;
    }
}

UINT SdlBackend::GetModifierState() {
    return m_ready ? ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState())) : 0;
}

DWORD SdlBackend::Now() {
    return SDL_GetTicks();
}
void SdlBackend::Sleep(DWORD ms) {
    SDL_Delay(ms);
}

SDL_Cursor* SdlBackend::MakeCursor(HCURSOR cursor) {
    if (cursor->systemId == IDC_WAIT) return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    if (cursor->systemId == IDC_ARROW) return SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    // Drawn at the display scale so the pointer is as crisp and as large as the screen.
    const int size = CursorImage::kSize * m_scale;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return nullptr;
    SDL_LockSurface(surface);
    for (int y = 0; y < size; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                             static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < size; ++x) {
            const int sx = x / m_scale, sy = y / m_scale;
            if (!cursor->IsOpaque(sx, sy)) {
                row[x] = 0;
            } else {
                row[x] = cursor->IsWhite(sx, sy) ? 0xFFFFFFFFU : 0xFF000000U;
            }
        }
    }
    SDL_UnlockSurface(surface);
    SDL_Cursor* made =
        SDL_CreateColorCursor(surface, cursor->hotSpot.x * m_scale, cursor->hotSpot.y * m_scale);
    SDL_FreeSurface(surface);
    return made;
}

void SdlBackend::ShowCursor(HCURSOR cursor) {
    if (!m_ready) return;
    if (cursor == nullptr) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor*& made = m_cursors[cursor];
    if (made == nullptr) made = MakeCursor(cursor);
    if (made == nullptr) return;
    SDL_SetCursor(made);
    SDL_ShowCursor(SDL_ENABLE);
}

void SdlBackend::ForgetCursor(HCURSOR cursor) {
    auto it = m_cursors.find(cursor);
    if (it == m_cursors.end()) return;
    if (SDL_GetCursor() == it->second) SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_FreeCursor(it->second);
    m_cursors.erase(it);
}

CPoint SdlBackend::GetCursorPos() {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    return ToDisplay(x, y);
}

void SdlBackend::SetCursorPos(CPoint point) {
    if (m_window == nullptr) return;
    SDL_WarpMouseInWindow(m_window, m_offset.x + point.x * m_scale + m_scale / 2,
                          m_offset.y + point.y * m_scale + m_scale / 2);
}

void SdlBackend::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "Talewick: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Talewick", text.c_str(), m_window);
}
