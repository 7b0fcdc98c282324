#pragma once
#include <cstddef>
#include <deque>
#include <vector>

#include "models/CLayerView.h"
#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"

// The undo and redo steps of one picture. A step keeps only the rectangle a stroke or fill
// changed, as the exclusive-or of the pixels before and after it there, with runs of
// unchanged bytes left out; applying a step to the picture in either state gives the other,
// so one step serves undo and redo alike. The steps' memory is bounded: beyond the budget
// the oldest undo steps go, but the newest kKeptSteps stay unless even they pass the ceiling.
class CUndoSteps {
  public:
    static constexpr std::size_t kKeptSteps = 20;
    static constexpr std::size_t kBudgetBytes = 8u << 20;
    static constexpr std::size_t kCeilingBytes = 4 * kBudgetBytes;

    // What one stroke or fill changed: `area` of the picture and the encoded difference.
    struct Step {
        CRect area;
        int bytesPerPixel = 0;
        std::vector<BYTE> runs;
        std::size_t Bytes() const { return sizeof(Step) + runs.capacity(); }
    };

    // The difference between two views of the same layout over `area` (clipped to them);
    // false, and `step` untouched, when no byte differs there.
    static bool Encode(const CLayerView& before, const CLayerView& after, const CRect& area,
                       Step& step);
    // Turns the pixels of `step`'s area in `picture` into the other state; false when the
    // picture's layout cannot hold the step.
    static bool Apply(const Step& step, const CLayerView& picture);

    // A new step becomes the newest undo step; the redo steps are dropped.
    void Push(Step step);
    // The newest undo step, moved to the redo steps; null when there is none. The caller
    // applies it to go back.
    const Step* TakeUndo();
    // The newest redo step, moved back to the undo steps; null when there is none.
    const Step* TakeRedo();
    void Clear();

    std::size_t UndoCount() const { return m_undo.size(); }
    std::size_t RedoCount() const { return m_redo.size(); }
    std::size_t MemoryBytes() const { return m_bytes; }

  private:
    void Trim();

    std::deque<Step> m_undo;   // oldest first
    std::vector<Step> m_redo;  // the next redo last
    std::size_t m_bytes = 0;
};
