#include "coloring/CToolChoice.h"

#include "dialogs/CPictureButton.h"
#include "models/CCrayon.h"

namespace {

// Brush sizes in pixels and the strengths brushes colour with.
constexpr int kSmallRadius = 3, kBigRadius = 9;
constexpr int kSmallSquare = 6, kBigSquare = 18;
constexpr float kFull = 1.0f, kFaint = 0.05f;

// The brush each preset command reshapes, and how.
struct PresetShape {
    enum class Form { Round, Square, Checkers };
    BrushPreset preset;
    Tool tool;
    Form form;
    int size;
    float strength;
};

constexpr PresetShape kPresetShapes[] = {
    {BrushPreset::BigRound, Tool::BigBrush, PresetShape::Form::Round, kBigRadius, kFull},
    {BrushPreset::BigSquare, Tool::BigBrush, PresetShape::Form::Square, kBigSquare, kFull},
    {BrushPreset::SmallRound, Tool::SmallBrush, PresetShape::Form::Round, kSmallRadius, kFull},
    {BrushPreset::SmallSquare, Tool::SmallBrush, PresetShape::Form::Square, kSmallSquare, kFull},
    {BrushPreset::BigCheckers, Tool::BigBrush, PresetShape::Form::Checkers, 0, kFull},
    {BrushPreset::BigFaint, Tool::BigBrush, PresetShape::Form::Round, kBigRadius, kFaint},
    {BrushPreset::SmallFaint, Tool::SmallBrush, PresetShape::Form::Round, kSmallRadius, kFaint},
};

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
    for (const PresetShape& shape : kPresetShapes) {
        if (static_cast<int>(shape.preset) != command) continue;
        CGlimBrush& brush = GetBrush(shape.tool);
        if (shape.form == PresetShape::Form::Round) brush.MakeRound(shape.size, shape.strength);
        if (shape.form == PresetShape::Form::Square) brush.MakeSquare(shape.size, shape.strength);
        if (shape.form == PresetShape::Form::Checkers) brush.MakeCheckers();
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
