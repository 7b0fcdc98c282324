#include "platform/backend/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
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

// The display that fills `desktop` at `scale`, never smaller than the screen.
CSize DisplayFor(CSize desktop, double scale) {
    // A hair above the quotient so 768 / 1.6 gives 480, not 479.
    const auto fit = [scale](int side) { return static_cast<int>(side / scale + 1e-6); };
    return CSize(std::max(kScreenWidth, fit(desktop.cx)), std::max(kScreenHeight, fit(desktop.cy)));
}

bool WantsTexture() {
    const char* present = std::getenv("TALEWICK_PRESENT");
    return present != nullptr && std::strcmp(present, "texture") == 0;
}

// Pixels the scaler can write as they are: 32 bits, blue in the low byte.
bool TakesScaledPixels(const SDL_Surface* surface) {
    return surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0x00FF0000U &&
           surface->format->Gmask == 0x0000FF00U && surface->format->Bmask == 0x000000FFU &&
           !SDL_MUSTLOCK(surface);
}
bool HasEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

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
    if (!StartVideo()) return;
    m_ready = true;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        const CSize desktop(mode.w, mode.h);
        const CSize screen(kScreenWidth, kScreenHeight);
        m_scale = windowed ? std::max(1, std::min(mode.w / kScreenWidth, mode.h / kScreenHeight))
                           : ScreenLayout::ChooseScale(desktop, screen);
        m_display = windowed ? screen : DisplayFor(desktop, m_scale);
    }
    const char* depth = std::getenv("TALEWICK_DEPTH");
    const int bits = depth != nullptr && std::atoi(depth) == 8 ? 8 : 32;
    m_surface = std::make_unique<CSurface>(m_display.cx, m_display.cy, bits);
    m_audio = std::make_unique<SdlAudio>();
    SetAudioOutput(m_audio.get());
}

// SDL falls back to its window-less offscreen driver when the display turns it away, which
// happens for a moment right after another program on it was killed: the program would
// then run where nobody can see it. Unless a driver was asked for by name, only the ones
// that show windows are tried, again for a few seconds before giving up.
bool SdlBackend::StartVideo() {
    const bool chosen = HasEnvironment("SDL_VIDEODRIVER");
    if (!chosen) {
        std::string drivers = HasEnvironment("DISPLAY") ? "x11" : "";
        if (HasEnvironment("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    constexpr int kTries = 20;
    constexpr Uint32 kPause = 250;
    for (int attempt = 1;; ++attempt) {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) return true;
        m_error = std::string("cannot open the display: ") + SDL_GetError();
        if (chosen || attempt == kTries) return false;
        SDL_Delay(kPause);
    }
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
    // The window's surface is shown with plain X11 image copies rather than through a GL
    // texture: no GPU is needed and the GL driver is never loaded.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    m_useTexture = WantsTexture();
    // A renderer may replace the window with one of its own kind: the window stays
    // hidden until the renderer is made, so no other program sees a window that vanishes.
    const Uint32 flags = SDL_WINDOW_RESIZABLE |
                         (m_windowed ? 0U : static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP)) |
                         (m_useTexture ? static_cast<Uint32>(SDL_WINDOW_HIDDEN) : 0U);
    const int w = static_cast<int>(std::lround(m_display.cx * m_scale));
    const int h = static_cast<int>(std::lround(m_display.cy * m_scale));
    m_window =
        SDL_CreateWindow("Talewick", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (m_window == nullptr) {
        m_error = SDL_GetError();
        return;
    }
    if (!m_useTexture) return;
    m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (m_renderer == nullptr) m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (m_renderer == nullptr) m_useTexture = false;
    SDL_ShowWindow(m_window);
}

CSurface& SdlBackend::Surface() {
    Open();
    return *m_surface;
}

void SdlBackend::ResizeWindow(CSize size) {
    Open();
    if (m_window != nullptr) SDL_SetWindowSize(m_window, size.cx, size.cy);
}

// Follows the window's size: a new size lays the display out again, blacks the window
// and has the whole display scaled at the next present. False when there is nothing to
// present into.
bool SdlBackend::UpdateLayout() {
    int w = 0, h = 0;
    if (m_useTexture) {
        if (SDL_GetRendererOutputSize(m_renderer, &w, &h) != 0) return false;
    } else {
        SDL_Surface* surface = SDL_GetWindowSurface(m_window);
        if (surface == nullptr) return false;
        w = surface->w;
        h = surface->h;
        if (surface != m_windowSurface) m_showAll = true;
        m_windowSurface = surface;
    }
    if (m_layout.Output() != CSize(w, h) || m_layout.Display() != m_display) m_showAll = true;
    if (!m_showAll) return true;
    m_layout = ScreenLayout(CSize(w, h), m_display);
    m_scale = m_layout.Scale();
    m_scaler.Configure(m_display, m_layout.Dest().Size());
    m_direct = !m_useTexture && TakesScaledPixels(m_windowSurface);
    if (m_direct) {
        m_staging.clear();
        m_staging.shrink_to_fit();
        SDL_FillRect(m_windowSurface, nullptr, 0);
    } else {
        m_staging.assign(
            static_cast<std::size_t>(m_layout.Dest().Width()) * m_layout.Dest().Height(), 0);
        if (m_windowSurface != nullptr) SDL_FillRect(m_windowSurface, nullptr, 0);
    }
    if (m_useTexture) {
        if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
        m_texture =
            SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                              m_layout.Dest().Width(), m_layout.Dest().Height());
        if (m_texture == nullptr) return false;
    }
    m_surface->MarkAllChanged();
    return true;
}

// The display as 32-bit pixels. An 8-bit display is looked up through its hardware
// palette, only in the rectangles that changed.
const std::uint8_t* SdlBackend::DisplayPixels(int& stride) {
    const CSurface& s = *m_surface;
    if (s.BitsPerPixel() != 8) {
        stride = s.Stride();
        return s.Row(0);
    }
    stride = s.Width() * 4;
    m_converted.resize(static_cast<std::size_t>(s.Width()) * s.Height());
    std::uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = s.HardwarePalette()[i];
        lookup[i] = 0xFF000000U | (static_cast<std::uint32_t>(e.peRed) << 16) |
                    (static_cast<std::uint32_t>(e.peGreen) << 8) | e.peBlue;
    }
    for (const CRect& r : s.Changed().Rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const std::uint8_t* row = s.Row(y);
            std::uint32_t* out = m_converted.data() + static_cast<std::size_t>(y) * s.Width();
            for (int x = r.left; x < r.right; ++x) out[x] = lookup[row[x]];
        }
    }
    return reinterpret_cast<const std::uint8_t*>(m_converted.data());
}

// Scales each changed rectangle; `shown` receives the output rectangles written, in
// destination coordinates.
void SdlBackend::ScaleChanged(std::vector<SDL_Rect>& shown) {
    int sourceStride = 0;
    const std::uint8_t* source = DisplayPixels(sourceStride);
    std::uint8_t* target = nullptr;
    int targetStride = 0;
    if (m_direct) {
        const CRect& dest = m_layout.Dest();
        targetStride = m_windowSurface->pitch;
        target = static_cast<std::uint8_t*>(m_windowSurface->pixels) +
                 static_cast<std::ptrdiff_t>(dest.top) * targetStride + dest.left * 4;
    } else {
        targetStride = m_layout.Dest().Width() * 4;
        target = reinterpret_cast<std::uint8_t*>(m_staging.data());
    }
    for (const CRect& changed : m_surface->Changed().Rects()) {
        const CRect out = m_scaler.AffectedOutput(changed);
        if (out.IsRectEmpty()) continue;
        m_scaler.Scale(source, sourceStride, target, targetStride, out);
        shown.push_back(SDL_Rect{out.left, out.top, out.Width(), out.Height()});
    }
    m_surface->ClearChanged();
}

void SdlBackend::Show(const std::vector<SDL_Rect>& shown) {
    const CRect& dest = m_layout.Dest();
    const int stagingPitch = dest.Width() * 4;
    if (m_useTexture) {
        for (const SDL_Rect& r : shown) {
            const auto* pixels = reinterpret_cast<const std::uint8_t*>(m_staging.data()) +
                                 static_cast<std::ptrdiff_t>(r.y) * stagingPitch + r.x * 4;
            SDL_UpdateTexture(m_texture, &r, pixels, stagingPitch);
        }
        const SDL_Rect whole{dest.left, dest.top, dest.Width(), dest.Height()};
        SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
        SDL_RenderClear(m_renderer);
        SDL_RenderCopy(m_renderer, m_texture, nullptr, &whole);
        SDL_RenderPresent(m_renderer);
        return;
    }
    std::vector<SDL_Rect> onWindow;
    onWindow.reserve(shown.size());
    for (const SDL_Rect& r : shown) {
        SDL_Rect placed{r.x + dest.left, r.y + dest.top, r.w, r.h};
        if (!m_direct) {
            // A window in another pixel format takes the scaled pixels converted.
            const auto* pixels = reinterpret_cast<const std::uint8_t*>(m_staging.data()) +
                                 static_cast<std::ptrdiff_t>(r.y) * stagingPitch + r.x * 4;
            auto* out = static_cast<std::uint8_t*>(m_windowSurface->pixels) +
                        static_cast<std::ptrdiff_t>(placed.y) * m_windowSurface->pitch +
                        placed.x * m_windowSurface->format->BytesPerPixel;
            SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_XRGB8888, pixels, stagingPitch,
                              m_windowSurface->format->format, out, m_windowSurface->pitch);
        }
        onWindow.push_back(placed);
    }
    if (m_showAll) {
        SDL_UpdateWindowSurface(m_window);
    } else {
        SDL_UpdateWindowSurfaceRects(m_window, onWindow.data(), static_cast<int>(onWindow.size()));
    }
}

void SdlBackend::Present() {
    Open();
    if (m_window == nullptr || !UpdateLayout()) return;
    // Nothing drawn, nothing uncovered: the window already shows the display.
    if (m_surface->Changed().IsEmpty() && !m_showAll) return;
    std::vector<SDL_Rect> shown;
    ScaleChanged(shown);
    Show(shown);
    m_showAll = false;
}

CPoint SdlBackend::ToDisplay(int x, int y) const {
    return m_layout.ToDisplay(CPoint(x, y));
}

bool SdlBackend::PollEvent(InputEvent& event) {
    if (!m_ready) return false;
    m_audio->ReleaseIfIdle();
    if (CQuitSignals::Take() && m_quitHandler) m_quitHandler();
    if (m_raiseRequested.exchange(false)) BringForward();
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
                // Uncovered or resized: everything is shown again, at the new size.
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                    m_showAll = true;
                    Present();
                }
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

void SdlBackend::Wake() {
    if (!m_ready) return;
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void SdlBackend::Raise() {
    m_raiseRequested.store(true);
    Wake();
}

// Without a window manager only the input focus decides which window is active, so it is
// set directly as well as asked for through the raise.
void SdlBackend::BringForward() {
    if (m_window == nullptr) return;
    if ((SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED) != 0) SDL_RestoreWindow(m_window);
    SDL_RaiseWindow(m_window);
    SDL_SetWindowInputFocus(m_window);
}

bool SdlBackend::WaitEvent(DWORD timeoutMs) {
    if (!m_ready) return false;
    // A stop request that came before the wait is taken at once; one that comes during it
    // arrives as a wake-up event (Wake). The wait ends in time to close an audio device that
    // has fallen silent.
    if (!CQuitSignals::IsRequested()) {
        const DWORD limit = std::min(timeoutMs, m_audio->MillisecondsUntilRelease());
        if (limit == INFINITE) {
            SDL_WaitEvent(nullptr);
        } else {
            SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<DWORD>(limit, 0x7FFFFFFF)));
        }
    }
    m_audio->ReleaseIfIdle();
    return true;
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
    const int size = std::max(1, static_cast<int>(std::lround(CursorImage::kSize * m_scale)));
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return nullptr;
    SDL_LockSurface(surface);
    for (int y = 0; y < size; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                             static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < size; ++x) {
            const int sx = x * CursorImage::kSize / size, sy = y * CursorImage::kSize / size;
            if (!cursor->IsOpaque(sx, sy)) {
                row[x] = 0;
            } else {
                row[x] = cursor->IsWhite(sx, sy) ? 0xFFFFFFFFU : 0xFF000000U;
            }
        }
    }
    SDL_UnlockSurface(surface);
    SDL_Cursor* made = SDL_CreateColorCursor(surface, cursor->hotSpot.x * size / CursorImage::kSize,
                                             cursor->hotSpot.y * size / CursorImage::kSize);
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
    const CPoint onWindow = m_layout.ToOutput(point);
    SDL_WarpMouseInWindow(m_window, onWindow.x, onWindow.y);
}

void SdlBackend::RecordMessage(ChildMessage kind, const std::string& caption) {
    const std::string name(ChildMessageName(kind));
    std::fprintf(stderr, "Talewick: %s: %s\n", name.c_str(), caption.c_str());
}
