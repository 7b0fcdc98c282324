#pragma once
#include "platform/window/DialogTemplate.h"

// The layouts of the coloring screen (102) and the quit (158) and trash (163)
// confirmations, in pixels. Screens override CDialog::GetDialogTemplate with Find.
class CDialogTemplates {
  public:
    static constexpr UINT kColoringScreen = 102;
    static constexpr UINT kQuit = 158;
    static constexpr UINT kTrash = 163;
    // The confirmations' full-window placeholder.
    static constexpr int kConfirmPlaceholder = 1098;

    // The template `id`, or null when it is not one of these.
    static const DialogTemplate* Find(UINT id);
};
