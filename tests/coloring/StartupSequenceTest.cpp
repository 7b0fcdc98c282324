// The colouring screen's start-up on its own: the phases in order, each waiting for its
// picture to be painted, the length of the splash pictures, a held or failed book load,
// the closing, and the start-up hurried by a click, a key or a short start.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "coloring/CStartupSequence.h"

namespace {

// Records what the sequence asks of the screen.
class RecordingSteps : public CStartupSequence::Steps {
  public:
    void ShowScreen() override { events.push_back("show"); }
    void LoadSplashPictures() override {
        events.push_back("splashes");
        if (duringStep) duringStep();
    }
    void LoadScreenResources() override { events.push_back("resources"); }
    bool LoadBooks() override {
        events.push_back("books");
        return booksLoad;
    }
    void OpenBook() override { events.push_back("open"); }
    void FinishStartup() override { events.push_back("finish"); }
    void Repaint() override { events.push_back("repaint"); }

    int Count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }

    std::vector<std::string> events;
    bool booksLoad = true;
    // Runs inside a step, as the loop of a message the step shows would.
    std::function<void()> duringStep;
};

class StartupSequenceTest : public ::testing::Test {
  protected:
    // Paints the current phase and ticks, as the screen does, until `phase` begins (not
    // painted yet); returns the ticks it took.
    int TickUntil(StartupPhase phase) {
        int ticks = 0;
        while (sequence.GetPhase() != phase && ticks < 1000) {
            sequence.NotePainted();
            sequence.Tick();
            ++ticks;
        }
        return ticks;
    }

    RecordingSteps steps;
    CStartupSequence sequence{steps};
};

TEST_F(StartupSequenceTest, EveryPhaseWaitsForItsPictureBeforeItsWork) {
    sequence.Tick();
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::Blank);
    EXPECT_EQ(steps.events, (std::vector<std::string>{"show", "repaint"}));
    sequence.Tick();  // the blank screen is not painted yet
    EXPECT_EQ(steps.Count("splashes"), 0);
    sequence.NotePainted();
    sequence.Tick();
    EXPECT_EQ(steps.Count("splashes"), 1);
    sequence.Tick();
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::BrandSplash);
    for (int i = 0; i < 5; ++i) sequence.Tick();  // the brand picture is not painted yet
    EXPECT_EQ(steps.Count("resources"), 0);
    EXPECT_EQ(sequence.GetPaintedPhase(), StartupPhase::Blank);
}

TEST_F(StartupSequenceTest, TicksDuringAStepWaitForItInsteadOfRunningTheNextSteps) {
    steps.duringStep = [this] {
        for (int i = 0; i < 20; ++i) {
            sequence.NotePainted();
            sequence.Tick();
        }
    };
    TickUntil(StartupPhase::BrandSplash);
    EXPECT_EQ(steps.Count("splashes"), 1);
    EXPECT_EQ(steps.Count("resources"), 0);
    steps.duringStep = nullptr;
    TickUntil(StartupPhase::StorySplash);
    EXPECT_EQ(steps.Count("resources"), 1);
}

TEST_F(StartupSequenceTest, PhasesFollowInOrderWithEachLoadOnceAndTheSplashesTimed) {
    TickUntil(StartupPhase::BrandSplash);
    EXPECT_EQ(TickUntil(StartupPhase::StorySplash), CStartupSequence::kBrandSplashTicks);
    EXPECT_EQ(TickUntil(StartupPhase::Cleared), CStartupSequence::kStorySplashTicks);
    TickUntil(StartupPhase::Running);
    EXPECT_FALSE(sequence.IsShownRunning()) << "the running screen is not painted yet";
    sequence.Tick();
    EXPECT_EQ(steps.Count("finish"), 0);
    sequence.NotePainted();
    EXPECT_TRUE(sequence.IsShownRunning());
    sequence.Tick();
    std::vector<std::string> work;
    std::copy_if(steps.events.begin(), steps.events.end(), std::back_inserter(work),
                 [](const std::string& e) { return e != "repaint"; });
    EXPECT_EQ(work, (std::vector<std::string>{"show", "splashes", "resources", "books", "open",
                                              "finish"}));
    // One repaint for each phase entered: blank, brand, story, cleared, opening, running.
    EXPECT_EQ(steps.Count("repaint"), 6);
}

TEST_F(StartupSequenceTest, HeldOrFailedBookLoadsStopTheStartUp) {
    TickUntil(StartupPhase::StorySplash);
    sequence.NotePainted();
    steps.booksLoad = false;
    for (int i = 0; i < 200; ++i) sequence.Tick();
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::StorySplash);
    const int attempts = steps.Count("books");
    EXPECT_GT(attempts, 1) << "an unheld sequence tries the books again";
    sequence.SetHalted(true);
    for (int i = 0; i < 10; ++i) sequence.Tick();
    EXPECT_EQ(steps.Count("books"), attempts);
    sequence.SetHalted(false);
    steps.booksLoad = true;
    EXPECT_EQ(TickUntil(StartupPhase::Cleared), CStartupSequence::kStorySplashTicks);
}

TEST_F(StartupSequenceTest, ClosingEndsTheStartUpForGoodUntilARestart) {
    TickUntil(StartupPhase::Running);
    sequence.Close();
    EXPECT_FALSE(sequence.IsRunning());
    EXPECT_EQ(sequence.GetPaintedPhase(), StartupPhase::Closing);
    for (int i = 0; i < 5; ++i) sequence.Tick();
    EXPECT_EQ(steps.Count("finish"), 0);
    sequence.Restart();
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::Hidden);
    sequence.Tick();
    EXPECT_EQ(steps.Count("show"), 2);
}

// Phases entered, without repeats, painting each, until the running screen is painted;
// `ticks` receives the ticks it took.
std::vector<StartupPhase> PhasesUntilRunning(CStartupSequence& sequence, int* ticks = nullptr) {
    std::vector<StartupPhase> seen{sequence.GetPhase()};
    int count = 0;
    for (; !sequence.IsShownRunning() && count < 1000; ++count) {
        sequence.NotePainted();
        sequence.Tick();
        if (sequence.GetPhase() != seen.back()) seen.push_back(sequence.GetPhase());
    }
    if (ticks != nullptr) *ticks = count;
    return seen;
}

TEST_F(StartupSequenceTest, TheFirstStartCannotBeHurried) {
    TickUntil(StartupPhase::BrandSplash);
    EXPECT_FALSE(sequence.RequestSkip());
    EXPECT_FALSE(sequence.IsHurrying());
    EXPECT_EQ(TickUntil(StartupPhase::StorySplash), CStartupSequence::kBrandSplashTicks);
    sequence.NotePainted();
    sequence.Tick();
    ASSERT_EQ(steps.Count("books"), 1);
    EXPECT_FALSE(sequence.RequestSkip()) << "not even once the books are in";
    EXPECT_EQ(TickUntil(StartupPhase::Cleared), CStartupSequence::kStorySplashTicks - 1);
}

TEST_F(StartupSequenceTest, ALaterStartHurriedDuringTheBrandStillLoadsEverythingOnce) {
    sequence.SetSkippable(true);
    TickUntil(StartupPhase::BrandSplash);
    EXPECT_TRUE(sequence.RequestSkip());
    int ticks = 0;
    const std::vector<StartupPhase> phases = PhasesUntilRunning(sequence, &ticks);
    EXPECT_LE(ticks, 8) << "the greeting comes within a few ticks";
    EXPECT_EQ(phases,
              (std::vector<StartupPhase>{StartupPhase::BrandSplash, StartupPhase::StorySplash,
                                         StartupPhase::Cleared, StartupPhase::OpeningBook,
                                         StartupPhase::Running}));
    for (const char* step : {"resources", "books", "open", "finish"})
        EXPECT_EQ(steps.Count(step), 1) << step;
}

TEST_F(StartupSequenceTest, AHurriedStartWaitsForAHeldBookLoad) {
    sequence.SetSkippable(true);
    TickUntil(StartupPhase::StorySplash);
    sequence.RequestSkip();
    steps.booksLoad = false;
    for (int i = 0; i < 20; ++i) {
        sequence.NotePainted();
        sequence.Tick();
    }
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::StorySplash);
    steps.booksLoad = true;
    sequence.Tick();
    sequence.Tick();
    EXPECT_EQ(sequence.GetPhase(), StartupPhase::Cleared);
}

TEST_F(StartupSequenceTest, RequestsOnceTheSplashesAreGoneChangeNothing) {
    sequence.SetSkippable(true);
    TickUntil(StartupPhase::Cleared);
    EXPECT_FALSE(sequence.RequestSkip());
    TickUntil(StartupPhase::Running);
    EXPECT_FALSE(sequence.RequestSkip());
    EXPECT_FALSE(sequence.IsHurrying());
    sequence.Restart();
    sequence.Tick();
    EXPECT_TRUE(sequence.RequestSkip()) << "a restarted screen may be hurried again";
    sequence.Restart();
    EXPECT_FALSE(sequence.IsHurrying()) << "a restart forgets the request";
}

TEST_F(StartupSequenceTest, AShortStartHurriesWithoutAskingAndTheEndIsAnnouncedOnce) {
    sequence.SetShort(true);
    int finished = 0;
    sequence.SetFinishedHandler([&finished] { ++finished; });
    int ticks = 0;
    const std::vector<StartupPhase> phases = PhasesUntilRunning(sequence, &ticks);
    EXPECT_EQ(phases.size(), 7u) << "every phase still shows, however briefly";
    EXPECT_LE(ticks, 10);
    EXPECT_EQ(finished, 1);
    for (int i = 0; i < 3; ++i) sequence.Tick();
    EXPECT_EQ(finished, 1) << "later ticks announce nothing more";
}

}  // namespace
