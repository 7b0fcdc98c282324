#include "models/CUndoSteps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Unchanged stretches shorter than this stay inside a literal run: a new run costs its
// two counts.
constexpr std::size_t kShortestGap = 2 * sizeof(std::uint32_t);

void PutCount(std::vector<BYTE>& out, std::size_t count) {
    const auto value = static_cast<std::uint32_t>(count);
    BYTE bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

std::size_t GetCount(const BYTE* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Writes the area's rows, one after the other, as runs: the count of unchanged bytes to
// skip, the count of changed bytes, then those bytes.
class RunWriter {
  public:
    explicit RunWriter(std::vector<BYTE>& out) : m_out(out) {}

    void Add(const BYTE* before, const BYTE* after, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i) AddByte(static_cast<BYTE>(before[i] ^ after[i]));
    }
    // Ends the last run; true when any byte differed.
    bool Finish() {
        if (!m_literal.empty()) Flush();
        return m_changed;
    }

  private:
    void AddByte(BYTE difference) {
        if (difference == 0) {
            ++m_zeros;
            return;
        }
        m_changed = true;
        if (m_zeros >= kShortestGap || m_literal.empty()) {
            if (!m_literal.empty()) Flush();
            m_skip += m_zeros;
        } else {
            m_literal.insert(m_literal.end(), m_zeros, BYTE{0});
        }
        m_zeros = 0;
        m_literal.push_back(difference);
    }
    void Flush() {
        PutCount(m_out, m_skip);
        PutCount(m_out, m_literal.size());
        m_out.insert(m_out.end(), m_literal.begin(), m_literal.end());
        m_literal.clear();
        m_skip = 0;
    }

    std::vector<BYTE>& m_out;
    std::vector<BYTE> m_literal;
    std::size_t m_skip = 0;   // unchanged bytes before the literal being gathered
    std::size_t m_zeros = 0;  // unchanged bytes since the last changed one
    bool m_changed = false;
};

bool SameLayout(const CLayerView& a, const CLayerView& b) {
    return a.IsValid() && b.IsValid() && a.Width() == b.Width() && a.Height() == b.Height() &&
           a.BytesPerPixel() == b.BytesPerPixel();
}

}  // namespace

bool CUndoSteps::Encode(const CLayerView& before, const CLayerView& after, const CRect& area,
                        Step& step) {
    CRect inside;
    if (!SameLayout(before, after) ||
        !inside.IntersectRect(area, CRect(0, 0, after.Width(), after.Height())))
        return false;
    Step encoded{inside, after.BytesPerPixel(), {}};
    RunWriter writer(encoded.runs);
    const auto rowBytes = static_cast<std::size_t>(inside.Width() * after.BytesPerPixel());
    for (int y = inside.top; y < inside.bottom; ++y)
        writer.Add(before.At(inside.left, y), after.At(inside.left, y), rowBytes);
    if (!writer.Finish()) return false;
    encoded.runs.shrink_to_fit();
    step = std::move(encoded);
    return true;
}

// Runs may cross from one row of the area into the next; positions count bytes of the
// area's rows laid end to end.
bool CUndoSteps::Apply(const Step& step, const CLayerView& picture) {
    const CRect& area = step.area;
    if (!picture.IsValid() || picture.BytesPerPixel() != step.bytesPerPixel || area.left < 0 ||
        area.top < 0 || area.right > picture.Width() || area.bottom > picture.Height())
        return false;
    const auto rowBytes = static_cast<std::size_t>(area.Width() * step.bytesPerPixel);
    const BYTE* run = step.runs.data();
    const BYTE* const end = run + step.runs.size();
    std::size_t position = 0;
    while (end - run >= static_cast<std::ptrdiff_t>(2 * sizeof(std::uint32_t))) {
        position += GetCount(run);
        std::size_t count = GetCount(run + sizeof(std::uint32_t));
        run += 2 * sizeof(std::uint32_t);
        while (count > 0) {
            const int y = area.top + static_cast<int>(position / rowBytes);
            const std::size_t column = position % rowBytes;
            const std::size_t length = std::min(count, rowBytes - column);
            BYTE* target = picture.At(area.left, y) + column;
            for (std::size_t i = 0; i < length; ++i) target[i] ^= run[i];
            run += length;
            position += length;
            count -= length;
        }
    }
    return true;
}

void CUndoSteps::Push(Step step) {
    for (const Step& dropped : m_redo) m_bytes -= dropped.Bytes();
    m_redo.clear();
    m_bytes += step.Bytes();
    m_undo.push_back(std::move(step));
    Trim();
}

const CUndoSteps::Step* CUndoSteps::TakeUndo() {
    if (m_undo.empty()) return nullptr;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return &m_redo.back();
}

const CUndoSteps::Step* CUndoSteps::TakeRedo() {
    if (m_redo.empty()) return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return &m_undo.back();
}

void CUndoSteps::Clear() {
    m_undo.clear();
    m_redo.clear();
    m_bytes = 0;
}

void CUndoSteps::Trim() {
    while (!m_undo.empty() && ((m_bytes > kBudgetBytes && m_undo.size() > kKeptSteps) ||
                               (m_bytes > kCeilingBytes && m_undo.size() > 1))) {
        m_bytes -= m_undo.front().Bytes();
        m_undo.pop_front();
    }
}
