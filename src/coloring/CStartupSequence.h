#pragma once
#include <functional>

// The colouring screen's start-up, in the order the phases follow one another.
enum class StartupPhase {
    Hidden,       // created, not shown yet
    Blank,        // shown; the splash pictures load
    BrandSplash,  // the brand picture; buttons, crayons and textures load
    StorySplash,  // the story picture; the books load
    Cleared,      // the splash pictures are gone
    OpeningBook,  // the first scene is chosen
    Running,      // the child colours
    Closing,      // the exit was confirmed: the closing pictures show
};

// Steps the start-up one timer tick at a time. A phase's work starts only once the
// screen has painted that phase, so every picture is on screen before the next load
// begins; the work itself is done by the screen through `Steps`.
//
// A start-up may hurry: once skippable, a click or a key asks it to leave each splash
// picture as soon as that picture's loading is done, so the greeting comes within a few
// ticks; a short start hurries from the beginning without being asked.
class CStartupSequence {
  public:
    static constexpr int kBrandSplashTicks = 12;
    static constexpr int kStorySplashTicks = 96;

    // What the screen does for the sequence.
    class Steps {
      public:
        virtual ~Steps() = default;
        virtual void ShowScreen() = 0;
        virtual void LoadSplashPictures() = 0;
        virtual void LoadScreenResources() = 0;
        // False when the start-up must go no further (the screen is closing).
        virtual bool LoadBooks() = 0;
        virtual void OpenBook() = 0;
        virtual void FinishStartup() = 0;
        virtual void Repaint() = 0;
    };

    explicit CStartupSequence(Steps& steps) : m_steps(steps) {}

    // Back to the beginning, as when the screen opens.
    void Restart();
    // One timer tick: does the current phase's work or moves on to the next phase.
    void Tick();
    // The screen painted the current phase.
    void NotePainted() { m_paintedPhase = m_phase; }
    // Whether a click or a key may hurry the start-up (off until set: the first start of
    // all plays in full).
    void SetSkippable(bool skippable) { m_skippable = skippable; }
    bool IsSkippable() const { return m_skippable; }
    // Hurries every start-up from its first tick.
    void SetShort(bool hurried) { m_shortStart = hurried; }
    // The child clicked or pressed a key: true when the start-up now hurries to the
    // colouring screen (a skippable start-up, not yet past its splash pictures).
    bool RequestSkip();
    bool IsHurrying() const { return m_shortStart || m_skipRequested; }
    // Called once, when the screen first runs (a start-up cut off by closing never calls it).
    void SetFinishedHandler(std::function<void()> handler) { m_finished = std::move(handler); }
    // The screen is closing; the start-up is over for good.
    void Close();
    // While halted (a book loads and may ask the child something) ticks do nothing.
    void SetHalted(bool halted) { m_halted = halted; }
    bool IsHalted() const { return m_halted; }

    StartupPhase GetPhase() const { return m_phase; }
    StartupPhase GetPaintedPhase() const { return m_paintedPhase; }
    bool IsRunning() const { return m_phase == StartupPhase::Running; }
    // Running and painted at least once: the screen is all there.
    bool IsShownRunning() const { return IsRunning() && m_paintedPhase == m_phase; }

  private:
    void EnterPhase(StartupPhase phase);
    // Runs the work of the current phase for this tick; false when the tick count must
    // not advance.
    bool RunPhase();
    // Enters a phase that starts with one step and a repaint; the tick is not counted.
    bool JumpTo(StartupPhase next, void (Steps::*step)());
    // Whether the splash picture on show has been up for `ticks`, or may go early.
    bool SplashDone(int ticks) const { return m_ticks >= ticks || (IsHurrying() && m_ticks >= 1); }

    Steps& m_steps;
    StartupPhase m_phase = StartupPhase::Hidden;
    StartupPhase m_paintedPhase = StartupPhase::Hidden;
    int m_ticks = 0;
    bool m_halted = false;
    bool m_skippable = false;
    bool m_shortStart = false;
    bool m_skipRequested = false;
    std::function<void()> m_finished;
    // Set while a step runs: a message a step shows runs its own loop, in which the timer
    // keeps ticking, and the next step must wait for this one to end.
    bool m_inStep = false;
};
