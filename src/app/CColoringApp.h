#pragma once
#include <cstdint>
#include <optional>

#include "models/Preferences.h"
#include "platform/window/CWinApp.h"

class CWnd;

// The application: refuses a second copy, covers the display with the black backdrop
// and runs the main screen on it until that screen ends.
class CColoringApp : public CWinApp {
  public:
    static constexpr const char* kGuardName = "PimblyGlim3DColoringBookSemaphore";
    // The fill-sound seed of scripted runs, which must hear the same sounds every time.
    static constexpr std::uint32_t kScriptedFillSoundSeed = 21;

    // The program's whole life; always FALSE, so no further message loop runs.
    BOOL InitInstance() override;

    // Whether a second copy is refused (on by default; the scripted driver turns it off so
    // scripted runs do not block one another or a running program).
    void SetSingleInstance(bool on) { m_singleInstance = on; }
    // Fixes the seed of the colouring screen's fill sounds; without it every run picks one.
    void SetFillSoundSeed(std::uint32_t seed) { m_fillSoundSeed = seed; }
    Preferences& GetPreferences() { return m_preferences; }

    // The system asks the program to stop: the main screen keeps the picture being
    // coloured and every screen ends (before the main screen exists, the program ends).
    void RequestQuit();

  private:
    void RunMainScreen(CWnd* backdrop);

    bool m_singleInstance = true;
    std::optional<std::uint32_t> m_fillSoundSeed;
    Preferences m_preferences;
};

extern CColoringApp theApp;
