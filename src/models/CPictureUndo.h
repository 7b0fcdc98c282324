#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "models/CPictureLayers.h"
#include "models/CUndoSteps.h"
#include "platform/base/CRect.h"

// The undo and redo history of a scene's canvas. The layers' undo copy holds the canvas as
// of the newest step; what was painted since lies inside the area noted changed, and closing
// the step records the difference there. The history outlives the layers: when they are let
// go a fingerprint of the canvas is kept, and when the canvas loads again the history goes
// on only if it is the same picture (a saved scene coming back), else it is forgotten.
class CPictureUndo {
  public:
    explicit CPictureUndo(CPictureLayers& layers) : m_layers(layers) {}
    CPictureUndo(const CPictureUndo&) = delete;
    CPictureUndo& operator=(const CPictureUndo&) = delete;

    // Painting changed `area` of the canvas since the step began.
    void NoteChanged(const CRect& area) { m_pending.UnionRect(m_pending, area); }
    // Records what changed since the last step as a step of its own (nothing when no pixel
    // changed) and starts the next; false when the canvas cannot load.
    bool CloseStep();
    // Steps back or forward; `changed` gets the area of the canvas that changed. False when
    // there is no step to take or the canvas cannot load.
    bool Undo(CRect& changed);
    bool Redo(CRect& changed);
    bool CanUndo();
    bool CanRedo();
    // Called before the layers drop the canvas and its undo copy: closes the step and
    // fingerprints the canvas the history ends at.
    void LetGo();
    // Forgets every step (another scene's pictures take the layers).
    void Forget();

    std::size_t UndoCount() const { return m_steps.UndoCount(); }
    std::size_t RedoCount() const { return m_steps.RedoCount(); }
    std::size_t MemoryBytes() const { return m_steps.MemoryBytes(); }

  private:
    // Makes the undo copy match the canvas as of the newest step; false without a canvas.
    bool Track();
    bool IsTracking() const;
    bool Take(const CUndoSteps::Step* step, CRect& changed);
    static std::uint64_t Fingerprint(const CLayerView& picture);

    CPictureLayers& m_layers;
    CUndoSteps m_steps;
    CRect m_pending;  // where the canvas may differ from the undo copy
    bool m_tracking = false;
    unsigned m_trackedCanvas = 0;                // the layers' canvas count while tracking
    std::optional<std::uint64_t> m_fingerprint;  // of the canvas when the layers were let go
};
