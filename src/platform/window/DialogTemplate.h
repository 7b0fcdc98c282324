#pragma once
#include <string>
#include <vector>

#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"
#include "platform/base/WinUser.h"

// A dialog's layout: its window and the controls it is built with, in pixels.
struct DialogTemplate {
    enum class Kind { Static, Button };
    struct Item {
        int id = 0;
        Kind kind = Kind::Static;
        CRect rect;
        DWORD style = 0;  // WS_VISIBLE, WS_DISABLED, BS_OWNERDRAW
        std::string text;
    };

    UINT id = 0;
    DWORD style = WS_POPUP;  // WS_VISIBLE shows a modeless dialog at once; DS_CENTER centres it
    CRect rect;
    std::vector<Item> items;
};

// Makes a template known by its id (a later one with the same id replaces it).
void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);
// The template registered under `id`, or null.
const DialogTemplate* FindDialogTemplate(UINT id);
