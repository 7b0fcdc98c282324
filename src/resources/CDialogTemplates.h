#pragma once
#include "platform/window/DialogTemplate.h"
#include "resources/ScreenLayouts.h"

// The dialog templates of the screens, built from their layouts. Screens override
// CDialog::GetDialogTemplate with Find.
class CDialogTemplates {
  public:
    static constexpr UINT kColoringScreen = ScreenLayouts::Coloring::kScreen.templateId;
    static constexpr UINT kQuit = ScreenLayouts::Quit::kScreen.templateId;
    static constexpr UINT kTrash = ScreenLayouts::Trash::kScreen.templateId;
    // The confirmations' full-window placeholder.
    static constexpr int kConfirmPlaceholder = ScreenLayouts::kPlaceholderId;

    // The template `id` of one of the screens, or null when no screen has that id.
    static const DialogTemplate* Find(UINT id);
};
