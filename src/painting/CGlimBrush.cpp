#include "painting/CGlimBrush.h"

#include <cmath>
#include <cstdlib>

#include "models/CGlimImage.h"
#include "models/Preferences.h"

// A cell is inside when its centre lies in the closed disc of radius r around (r, r).
void CGlimBrush::MakeRound(int radius, float strength) {
    m_rows = m_columns = 2 * std::max(radius, 0);
    m_mask.assign(static_cast<std::size_t>(m_rows) * m_columns, 0.0f);
    const double centre = m_rows * 0.5;
    for (int j = 0; j < m_columns; ++j) {
        const double offset = j + 0.5 - centre;
        const double square = static_cast<double>(radius) * radius - offset * offset;
        if (square < 0.0) continue;
        const double half = std::sqrt(square);
        for (int i = 0; i < m_rows; ++i)
            if (centre - half <= i + 0.5 && i + 0.5 <= centre + half)
                m_mask[i * m_columns + j] = strength;
    }
    m_anchorRow = static_cast<int>(m_rows * 0.5);
    m_anchorColumn = static_cast<int>(m_columns * 0.5);
}

void CGlimBrush::MakeSquare(int size, float strength) {
    m_rows = m_columns = std::max(size, 0);
    m_mask.assign(static_cast<std::size_t>(m_rows) * m_columns, strength);
    m_anchorRow = m_anchorColumn = m_rows / 2;
}

bool CGlimBrush::SetMask(const float* values, int rows, int columns) {
    if (values == nullptr || rows < 0 || columns < 0) return false;
    m_rows = rows;
    m_columns = columns;
    m_mask.assign(values, values + static_cast<std::size_t>(rows) * columns);
    return true;
}

void CGlimBrush::MakeCheckers() {
    constexpr int kSize = 18;
    constexpr int kBlock = 6;
    std::vector<float> cells(kSize * kSize);
    for (int i = 0; i < kSize; ++i)
        for (int j = 0; j < kSize; ++j)
            cells[i * kSize + j] = (i / kBlock + j / kBlock) % 2 == 0 ? 1.0f : 0.0f;
    SetMask(cells.data(), kSize, kSize);
}

bool CGlimBrush::BeginStroke(CGlimImage* picture, CPoint point) {
    if (picture == nullptr || !m_swatch) return false;
    m_picture = picture;
    m_picture->SaveUndo();
    m_strokeActive = true;
    m_lastPoint = point;
    const bool inside = m_preferences == nullptr || m_preferences->StaysInsideLines();
    m_regionLock = inside ? m_picture->GetRegionId(point.x, point.y) : -1;
    return MoveTo(point);
}

bool CGlimBrush::MoveTo(CPoint point) {
    if (!m_strokeActive || m_picture == nullptr) return false;
    Stamp(m_lastPoint);
    Refresh();
    if (point == m_lastPoint) return true;
    const int dx = point.x - m_lastPoint.x;
    const int dy = point.y - m_lastPoint.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const float stepX = static_cast<float>(dx) / static_cast<float>(steps);
    const float stepY = static_cast<float>(dy) / static_cast<float>(steps);
    // The steps are single precision; the position is carried in double precision so the
    // last stamp lands on the end point (a drag from (10, 10) to (13, 11) ends on (13, 11)).
    double x = static_cast<double>(m_lastPoint.x) + stepX;
    double y = static_cast<double>(m_lastPoint.y) + stepY;
    for (int i = 0; i < steps; ++i) {
        Stamp(CPoint(static_cast<int>(x), static_cast<int>(y)));
        x += stepX;
        y += stepY;
    }
    Refresh();
    m_lastPoint = point;
    return true;
}

// What the stroke changed becomes one undo step now, so that undoing it costs no more than
// putting its pixels back.
void CGlimBrush::EndStroke(bool forgetPicture) {
    if (m_strokeActive && m_picture != nullptr) m_picture->SaveUndo();
    m_regionLock = -1;
    m_strokeActive = false;
    m_lastPoint = CPoint(0, 0);
    if (forgetPicture) m_picture = nullptr;
}

void CGlimBrush::Refresh() {
    if (m_refresh) m_refresh(*m_picture);
}

// Mask rows run along picture x and columns along picture y.
void CGlimBrush::Stamp(CPoint point) {
    if (!m_eraseMode && !m_swatch) return;  // the swatch was taken away during the stroke
    if (m_perPixelCalls) return StampPerPixel(point);
    m_picture->StampMask(point.x - m_anchorRow, point.y - m_anchorColumn, m_mask.data(), m_rows,
                         m_columns, m_eraseMode ? nullptr : &*m_swatch, m_regionLock);
}

void CGlimBrush::StampPerPixel(CPoint point) {
    for (int i = 0; i < m_rows; ++i) {
        for (int j = 0; j < m_columns; ++j) {
            const int x = point.x - m_anchorRow + i;
            const int y = point.y - m_anchorColumn + j;
            const float strength = m_mask[i * m_columns + j];
            if (m_eraseMode)
                m_picture->ErasePixel(x, y, strength, m_regionLock);
            else
                m_picture->PaintPixel(x, y, *m_swatch, strength, m_regionLock);
        }
    }
}
