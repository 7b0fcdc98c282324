#pragma once
#include <array>
#include <cstddef>

#include "imaging/CCursor.h"
#include "painting/CGlimBrush.h"

class CCrayon;
class CPictureButton;

// The tools of the colouring screen.
enum class Tool { Fill, SmallBrush, BigBrush, SmallEraser, BigEraser };
enum class ToolKind { Fill, Brush };

// The hidden brush shapes, chosen by the commands with these ids (Return sends 1 and
// Escape 2).
enum class BrushPreset {
    BigRound = 1,
    BigSquare,
    SmallRound,
    SmallSquare,
    BigCheckers,
    BigFaint,
    SmallFaint,
};

// Which tool colours the picture: the area fill or one of four brushes (two of them
// erasers), which the choice owns. The button of the current tool shows pressed.
class CToolChoice {
  public:
    static constexpr std::size_t kToolCount = 5;

    // The fill is current; the brushes have their usual round shapes.
    CToolChoice();

    // The button that shows `tool` (not owned); a tool may have none.
    void BindButton(Tool tool, CPictureButton* button);
    // Presses the current tool's button (once the buttons are on screen).
    void ShowChoice();

    Tool GetTool() const { return m_tool; }
    ToolKind GetKind() const;
    bool IsEraser() const;
    // Makes `tool` current; false when it already was.
    bool Choose(Tool tool);
    // A colour was picked: an eraser gives way to `brush`. False when no eraser was current.
    bool LeaveEraser(Tool brush);

    // The brush of a brush tool (the small brush for the fill).
    CGlimBrush& GetBrush(Tool tool);
    // The current tool's brush; null for the fill.
    CGlimBrush* GetActiveBrush();
    // Every brush paints with `colour` from now on.
    void SetColour(const CCrayon* colour);
    // How every brush has the picture redrawn after painting.
    void SetRefresh(const PictureRefresh& refresh);
    // The settings every brush reads at a stroke's start.
    void SetPreferences(const Preferences* preferences);
    // Reshapes a brush when `command` is a preset's id; false for any other command.
    bool ApplyPreset(int command);
    // The pointer over the picture for the current tool.
    CursorShape GetPictureCursor() const;

  private:
    static std::size_t BrushSlot(Tool tool);
    void Press(Tool tool, bool pressed);

    Tool m_tool = Tool::Fill;
    // Indexed by the brush tools in their order after the fill.
    std::array<CGlimBrush, kToolCount - 1> m_brushes;
    std::array<CPictureButton*, kToolCount> m_buttons{};
};
