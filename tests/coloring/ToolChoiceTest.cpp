// The colouring tools on their own: which tool is current and how its button shows it,
// the erasers giving way to a brush, the pointer over the picture and the brush presets.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "coloring/CToolChoice.h"
#include "dialogs/CPictureButton.h"

namespace {

constexpr std::array<Tool, CToolChoice::kToolCount> kTools = {
    Tool::Fill, Tool::SmallBrush, Tool::BigBrush, Tool::SmallEraser, Tool::BigEraser};

class ToolChoiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::size_t i = 0; i < kTools.size(); ++i) tools.BindButton(kTools[i], &buttons[i]);
    }
    // The tools whose buttons show pressed.
    std::vector<Tool> Pressed() const {
        std::vector<Tool> pressed;
        for (std::size_t i = 0; i < kTools.size(); ++i)
            if (buttons[i].IsOn()) pressed.push_back(kTools[i]);
        return pressed;
    }

    CToolChoice tools;
    std::array<CPictureButton, CToolChoice::kToolCount> buttons;
};

TEST_F(ToolChoiceTest, OneToolIsCurrentAndOnlyItsButtonShowsPressed) {
    EXPECT_EQ(tools.GetTool(), Tool::Fill);
    EXPECT_EQ(tools.GetKind(), ToolKind::Fill);
    EXPECT_EQ(tools.GetActiveBrush(), nullptr);
    EXPECT_TRUE(Pressed().empty()) << "nothing shows before the buttons are on screen";
    tools.ShowChoice();
    EXPECT_EQ(Pressed(), std::vector<Tool>{Tool::Fill});
    EXPECT_FALSE(tools.Choose(Tool::Fill));
    for (Tool tool : {Tool::BigEraser, Tool::SmallBrush, Tool::BigBrush, Tool::SmallEraser}) {
        EXPECT_TRUE(tools.Choose(tool));
        EXPECT_EQ(tools.GetKind(), ToolKind::Brush);
        EXPECT_EQ(tools.GetActiveBrush(), &tools.GetBrush(tool));
        EXPECT_EQ(Pressed(), std::vector<Tool>{tool});
    }
    EXPECT_FALSE(tools.Choose(Tool::SmallEraser));
    EXPECT_TRUE(tools.Choose(Tool::Fill));
    EXPECT_EQ(Pressed(), std::vector<Tool>{Tool::Fill});
}

TEST_F(ToolChoiceTest, OnlyAnEraserGivesWayWhenAColourIsPicked) {
    tools.ShowChoice();
    EXPECT_FALSE(tools.LeaveEraser(Tool::SmallBrush));
    EXPECT_EQ(tools.GetTool(), Tool::Fill);
    tools.Choose(Tool::BigBrush);
    EXPECT_FALSE(tools.IsEraser());
    EXPECT_FALSE(tools.LeaveEraser(Tool::SmallBrush));
    EXPECT_EQ(tools.GetTool(), Tool::BigBrush);
    for (Tool eraser : {Tool::SmallEraser, Tool::BigEraser}) {
        tools.Choose(eraser);
        EXPECT_TRUE(tools.IsEraser());
        EXPECT_TRUE(tools.LeaveEraser(Tool::SmallBrush));
        EXPECT_EQ(tools.GetTool(), Tool::SmallBrush);
        EXPECT_EQ(Pressed(), std::vector<Tool>{Tool::SmallBrush});
    }
}

TEST_F(ToolChoiceTest, ErasersEraseAndEachToolHasItsPointer) {
    EXPECT_FALSE(tools.GetBrush(Tool::SmallBrush).IsEraseMode());
    EXPECT_FALSE(tools.GetBrush(Tool::BigBrush).IsEraseMode());
    EXPECT_TRUE(tools.GetBrush(Tool::SmallEraser).IsEraseMode());
    EXPECT_TRUE(tools.GetBrush(Tool::BigEraser).IsEraseMode());
    EXPECT_EQ(tools.GetBrush(Tool::SmallBrush).GetRows(), 6);
    EXPECT_EQ(tools.GetBrush(Tool::BigEraser).GetRows(), 18);
    const std::array<CursorShape, CToolChoice::kToolCount> pointers = {
        CursorShape::Wand, CursorShape::SmallTip, CursorShape::BigCrayon, CursorShape::SmallEraser,
        CursorShape::BigEraser};
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        tools.Choose(kTools[i]);
        EXPECT_EQ(tools.GetPictureCursor(), pointers[i]) << i;
    }
}

TEST_F(ToolChoiceTest, PresetsReshapeOnlyTheBrushesAndOtherCommandsNothing) {
    CGlimBrush& big = tools.GetBrush(Tool::BigBrush);
    CGlimBrush& small = tools.GetBrush(Tool::SmallBrush);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::BigSquare)));
    EXPECT_EQ(big.GetRows(), 18);
    EXPECT_EQ(big.GetCell(0, 0), 1.0f);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::BigCheckers)));
    EXPECT_EQ(big.GetCell(0, 6), 0.0f);
    EXPECT_EQ(big.GetCell(6, 6), 1.0f);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::BigRound)));
    EXPECT_EQ(big.GetCell(0, 0), 0.0f);
    EXPECT_EQ(big.GetCell(9, 9), 1.0f);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::SmallSquare)));
    EXPECT_EQ(small.GetRows(), 6);
    EXPECT_EQ(small.GetCell(0, 0), 1.0f);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::SmallFaint)));
    EXPECT_EQ(small.GetCell(3, 3), 0.05f);
    EXPECT_TRUE(tools.ApplyPreset(static_cast<int>(BrushPreset::BigFaint)));
    EXPECT_EQ(big.GetCell(9, 9), 0.05f);
    for (int command : {0, 8, 1040}) EXPECT_FALSE(tools.ApplyPreset(command)) << command;
    EXPECT_EQ(big.GetCell(9, 9), 0.05f);
    EXPECT_EQ(small.GetCell(3, 3), 0.05f);
    // The erasers keep their shape and strength whatever the presets did.
    EXPECT_EQ(tools.GetBrush(Tool::BigEraser).GetCell(9, 9), 1.0f);
    EXPECT_EQ(tools.GetBrush(Tool::SmallEraser).GetCell(3, 3), 1.0f);
}

}  // namespace
