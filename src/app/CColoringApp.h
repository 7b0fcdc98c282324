#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "models/Preferences.h"
#include "platform/window/CWinApp.h"

class CSettings;
class CStartupSequence;
class CWnd;

// The application: refuses a second copy (which asks this one to come forward), covers
// the display with the black backdrop and runs the main screen on it until that screen ends.
class CColoringApp : public CWinApp {
  public:
    static constexpr const char* kGuardName = "PimblyGlim3DColoringBookSemaphore";
    // The running copy's doorbell lies beside its lock, under the lock's name and this.
    static constexpr const char* kDoorbellSuffix = ".door";
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
    // The settings kept between starts: the preferences are read from them and every
    // change is saved into them. Without any the preferences live in memory only.
    void SetSettings(CSettings* settings) { m_settings = settings; }
    // The file that says the whole start-up was seen once; from then on a click or a key
    // may skip it. Empty (the default): every start is a first start and nothing is kept.
    void SetStartMarkPath(std::string path) { m_startMarkPath = std::move(path); }

    // The system asks the program to stop: the main screen keeps the picture being
    // coloured and every screen ends (before the main screen exists, the program ends).
    void RequestQuit();

  private:
    void RunMainScreen(CWnd* backdrop);
    void PrepareStartup(CStartupSequence& startup);

    bool m_singleInstance = true;
    std::optional<std::uint32_t> m_fillSoundSeed;
    Preferences m_preferences;
    CSettings* m_settings = nullptr;
    std::string m_startMarkPath;
};

extern CColoringApp theApp;
