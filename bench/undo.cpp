// The undo history on the default scene (the first scene of the first book of the built
// content tree): twenty random strokes and fills, then the memory the history holds and how
// long stepping back and forward through all of it takes, step by step.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "models/CBookCatalogue.h"
#include "models/CGlimBook.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"
#include "platform/window/MessageBox.h"

namespace {

constexpr int kLevels = 20;

// The default scene, loaded from the content tree the build generated.
struct DefaultScene {
    DefaultScene() {
        SetMessageBoxHandler([](ChildMessage, const std::string&) {});
        if (chdir(TALEWICK_CONTENT_DIR "/play") != 0) return;
        CBookCatalogue catalogue;
        const CBookCatalogue::Line* first = catalogue.Read() ? catalogue.GetFirstBook() : nullptr;
        if (first == nullptr || !book.Load(first->folder, first->descriptionFile)) return;
        book.SelectImage(0);
        picture = book.GetCurrentImage();
        if (picture != nullptr && !picture->EnsureCanvas()) picture = nullptr;
    }

    CGlimBook book;
    CGlimImage* picture = nullptr;
};

Swatch AnyColour(std::mt19937& random) {
    return Swatch::Solid(static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                         static_cast<BYTE>(random()));
}

// Half fills of the object under a random point, half drags of a random brush or eraser.
void ColourRandomly(CGlimImage& picture, std::mt19937& random, bool fillsOnly) {
    const CSize size = picture.GetSize();
    const auto anywhere = [&] {
        return CPoint(static_cast<int>(random() % static_cast<unsigned>(size.cx)),
                      static_cast<int>(random() % static_cast<unsigned>(size.cy)));
    };
    for (int step = 0; step < kLevels; ++step) {
        if (fillsOnly || random() % 2 == 0) {
            CGlimAreaFill fill;
            fill.SetSwatch(AnyColour(random));
            fill.Fill(&picture, fillsOnly ? CPoint(2, 2) : anywhere(), nullptr);
            continue;
        }
        CGlimBrush brush(random() % 4 == 0);
        brush.SetSwatch(AnyColour(random));
        if (random() % 2 == 0)
            brush.MakeRound(4, 1.0f);
        else
            brush.MakeCheckers();
        brush.BeginStroke(&picture, anywhere());
        for (int point = 0; point < 6; ++point) brush.MoveTo(anywhere());
        brush.EndStroke(false);
    }
}

// Milliseconds of processor time this thread used: a step's own cost, whatever else the
// machine runs at the time.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The `share` quantile of `times`, sorted.
double Quantile(std::vector<double>& times, double share) {
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
}

// One iteration undoes all twenty steps and redoes them again; the counters give the
// history's memory and the median, 99th percentile and slowest single undo and redo.
void RunHistory(benchmark::State& state, bool fillsOnly) {
    DefaultScene scene;
    if (scene.picture == nullptr) {
        state.SkipWithError("the content tree's first scene cannot load");
        return;
    }
    std::mt19937 random(20);
    ColourRandomly(*scene.picture, random, fillsOnly);
    const auto& history = scene.picture->GetHistory();
    std::vector<double> undos;
    std::vector<double> redos;
    for (auto _ : state) {
        for (int i = 0; i < kLevels; ++i) {
            const double start = ThreadMilliseconds();
            if (!scene.picture->Undo()) state.SkipWithError("a step is missing");
            undos.push_back(ThreadMilliseconds() - start);
        }
        for (int i = 0; i < kLevels; ++i) {
            const double start = ThreadMilliseconds();
            if (!scene.picture->Redo()) state.SkipWithError("a step is missing");
            redos.push_back(ThreadMilliseconds() - start);
        }
    }
    const CSize size = scene.picture->GetSize();
    state.counters["width"] = size.cx;
    state.counters["height"] = size.cy;
    state.counters["steps"] = static_cast<double>(history.UndoCount());
    state.counters["history_MB"] = static_cast<double>(history.MemoryBytes()) / (1 << 20);
    // The canvas as of the newest step, kept beside the steps.
    state.counters["copy_MB"] =
        static_cast<double>(scene.picture->GetCanvasIfLoaded()->GetImageSize()) / (1 << 20);
    state.counters["undo_ms_p50"] = Quantile(undos, 0.5);
    state.counters["undo_ms_p99"] = Quantile(undos, 0.99);
    state.counters["undo_ms_max"] = Quantile(undos, 1.0);
    state.counters["redo_ms_max"] = Quantile(redos, 1.0);
}

void BM_TwentyRandomStrokesAndFills(benchmark::State& state) {
    RunHistory(state, false);
}

// The worst case for memory: every step refills the object in the corner, most of the scene.
void BM_TwentyFillsOfTheBackground(benchmark::State& state) {
    RunHistory(state, true);
}

}  // namespace

BENCHMARK(BM_TwentyRandomStrokesAndFills)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwentyFillsOfTheBackground)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
