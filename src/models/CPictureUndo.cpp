#include "models/CPictureUndo.h"

#include <functional>
#include <string_view>

bool CPictureUndo::IsTracking() const {
    return m_tracking && m_trackedCanvas == m_layers.GetCanvasReplacements() &&
           m_layers.UndoMatchesCanvasLayout();
}

// A canvas written or reloaded behind the painter's back may differ anywhere from the copy;
// a canvas without a copy comes back from its file and must be the picture the history
// ended at.
bool CPictureUndo::Track() {
    if (!m_layers.EnsureCanvas(false)) return false;
    if (IsTracking()) return true;
    const CLayerView canvas = m_layers.Canvas();
    if (m_layers.UndoMatchesCanvasLayout()) {
        m_pending = CRect(0, 0, canvas.Width(), canvas.Height());
    } else {
        if (!m_fingerprint || *m_fingerprint != Fingerprint(canvas)) m_steps.Clear();
        m_fingerprint.reset();
        m_layers.CopyCanvasToUndo();
        m_pending.SetRectEmpty();
    }
    m_tracking = m_layers.HasUndoCopy();
    m_trackedCanvas = m_layers.GetCanvasReplacements();
    return m_tracking;
}

bool CPictureUndo::CloseStep() {
    if (!Track()) return false;
    if (m_pending.IsRectEmpty()) return true;
    const CLayerView canvas = m_layers.Canvas();
    const CLayerView copy = m_layers.UndoCopy();
    CUndoSteps::Step step;
    if (CUndoSteps::Encode(copy, canvas, m_pending, step)) {
        CUndoSteps::Apply(step, copy);
        m_steps.Push(std::move(step));
    }
    m_pending.SetRectEmpty();
    return true;
}

bool CPictureUndo::Take(const CUndoSteps::Step* step, CRect& changed) {
    if (step == nullptr) return false;
    CUndoSteps::Apply(*step, m_layers.Canvas());
    CUndoSteps::Apply(*step, m_layers.UndoCopy());
    changed = step->area;
    return true;
}

bool CPictureUndo::Undo(CRect& changed) {
    return CloseStep() && Take(m_steps.TakeUndo(), changed);
}

bool CPictureUndo::Redo(CRect& changed) {
    return CloseStep() && Take(m_steps.TakeRedo(), changed);
}

bool CPictureUndo::CanUndo() {
    return CloseStep() && m_steps.UndoCount() > 0;
}

bool CPictureUndo::CanRedo() {
    return CloseStep() && m_steps.RedoCount() > 0;
}

void CPictureUndo::LetGo() {
    if (m_layers.GetCanvasIfLoaded() != nullptr && m_layers.HasUndoCopy()) {
        CloseStep();
        if (IsTracking()) m_fingerprint = Fingerprint(m_layers.UndoCopy());
    }
    m_tracking = false;
    m_pending.SetRectEmpty();
}

void CPictureUndo::Forget() {
    m_steps.Clear();
    m_fingerprint.reset();
    m_tracking = false;
    m_pending.SetRectEmpty();
}

// The visible bytes row by row with the size; the padding at the rows' ends is left out,
// as a saved file need not keep it.
std::uint64_t CPictureUndo::Fingerprint(const CLayerView& picture) {
    const std::hash<std::string_view> hash;
    std::uint64_t value = static_cast<std::uint64_t>(picture.Width()) << 32 |
                          static_cast<std::uint64_t>(picture.Height()) << 8 |
                          static_cast<std::uint64_t>(picture.BytesPerPixel());
    const auto rowBytes = static_cast<std::size_t>(picture.Width() * picture.BytesPerPixel());
    for (int y = 0; y < picture.Height(); ++y) {
        const std::string_view row(reinterpret_cast<const char*>(picture.Row(y)), rowBytes);
        value = value * 1099511628211ULL ^ hash(row);
    }
    return value;
}
