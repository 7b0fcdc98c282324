#include "coloring/CToolChoice.h"

#include "dialogs/CPictureButton.h"
#include "models/CCrayon.h"

namespace {

constexpr int kSmallRadius = 3;
constexpr int kBigRadius = 9;
constexpr int kSmallSquare = 6;
constexpr int kBigSquare = 18;
constexpr float kFull = 1.0f;
constexpr float kFaint = 0.05f;

std::size_t ToolSlot(Tool tool) {
    return static_cast<std::size_t>(tool);
}

}  // namespace

CToolChoice::CToolChoice() {
    GetBrush(Tool::SmallBrush).MakeRound(kSmallRadius, kFull);
    GetBrush(Tool::BigBrush).MakeRound(kBigRadius, kFull);
    GetBrush(Tool::SmallEraser).SetEraseMode(true);
    GetBrush(Tool::SmallEraser).MakeRound(kSmallRadius, kFull);
    GetBrush(Tool::BigEraser).SetEraseMode(true);
    GetBrush(Tool::BigEraser).MakeRound(kBigRadius, kFull);
}

std::size_t CToolChoice::BrushSlot(Tool tool) {
    return tool == Tool::Fill ? 0 : ToolSlot(tool) - 1;
}

void CToolChoice::BindButton(Tool tool, CPictureButton* button) {
    m_buttons[ToolSlot(tool)] = button;
}

void CToolChoice::Press(Tool tool, bool pressed) {
    CPictureButton* button = m_buttons[ToolSlot(tool)];
    if (button == nullptr) return;
    pressed ? button->SetOn() : button->SetOff();
}

void CToolChoice::ShowChoice() {
    Press(m_tool, true);
}

ToolKind CToolChoice::GetKind() const {
    return m_tool == Tool::Fill ? ToolKind::Fill : ToolKind::Brush;
}

bool CToolChoice::IsEraser() const {
    return m_tool == Tool::SmallEraser || m_tool == Tool::BigEraser;
}

bool CToolChoice::Choose(Tool tool) {
    if (tool == m_tool) return false;
    Press(m_tool, false);
    m_tool = tool;
    Press(m_tool, true);
    return true;
}

bool CToolChoice::LeaveEraser(Tool brush) {
    if (!IsEraser()) return false;
    Choose(brush);
    return true;
}

CGlimBrush& CToolChoice::GetBrush(Tool tool) {
    return m_brushes[BrushSlot(tool)];
}

CGlimBrush* CToolChoice::GetActiveBrush() {
    return m_tool == Tool::Fill ? nullptr : &GetBrush(m_tool);
}

void CToolChoice::SetRefresh(const PictureRefresh& refresh) {
    for (CGlimBrush& brush : m_brushes) brush.SetRefresh(refresh);
}

void CToolChoice::SetPreferences(const Preferences* preferences) {
    for (CGlimBrush& brush : m_brushes) brush.SetPreferences(preferences);
}

void CToolChoice::SetColour(const CCrayon* colour) {
    for (CGlimBrush& brush : m_brushes) brush.SetSwatch(CCrayon::SwatchOf(colour));
}

bool CToolChoice::ApplyPreset(int command) {
    CGlimBrush& big = GetBrush(Tool::BigBrush);
    CGlimBrush& small = GetBrush(Tool::SmallBrush);
    switch (static_cast<BrushPreset>(command)) {
        case BrushPreset::BigRound:
            big.MakeRound(kBigRadius, kFull);
            return true;
        case BrushPreset::BigSquare:
            big.MakeSquare(kBigSquare, kFull);
            return true;
        case BrushPreset::SmallRound:
            small.MakeRound(kSmallRadius, kFull);
            return true;
        case BrushPreset::SmallSquare:
            small.MakeSquare(kSmallSquare, kFull);
            return true;
        case BrushPreset::BigCheckers:
            big.MakeCheckers();
            return true;
        case BrushPreset::BigFaint:
            big.MakeRound(kBigRadius, kFaint);
            return true;
        case BrushPreset::SmallFaint:
            small.MakeRound(kSmallRadius, kFaint);
            return true;
    }
    return false;
}

CursorShape CToolChoice::GetPictureCursor() const {
    switch (m_tool) {
        case Tool::SmallBrush:
            return CursorShape::SmallTip;
        case Tool::BigBrush:
            return CursorShape::BigCrayon;
        case Tool::SmallEraser:
            return CursorShape::SmallEraser;
        case Tool::BigEraser:
            return CursorShape::BigEraser;
        case Tool::Fill:
            break;
    }
    return CursorShape::Wand;
}
