#include "resources/CDialogTemplates.h"

#include <iterator>

namespace {

using Kind = DialogTemplate::Kind;
constexpr DWORD kHiddenButton = BS_OWNERDRAW;
constexpr DWORD kShownButton = WS_VISIBLE | BS_OWNERDRAW;

DialogTemplate::Item Static(int id, int x, int y, int w, int h) {
    return {id, Kind::Static, CRect(x, y, x + w, y + h), WS_VISIBLE, ""};
}

DialogTemplate::Item Button(int id, int x, int y, int w, int h, const char* text,
                            DWORD style = kHiddenButton) {
    return {id, Kind::Button, CRect(x, y, x + w, y + h), style, text};
}

// The coloring screen: every picture button starts hidden; the start-up shows them.
DialogTemplate MakeColoringScreen() {
    DialogTemplate t;
    t.id = CDialogTemplates::kColoringScreen;
    t.style = WS_POPUP;
    t.rect = CRect(0, 0, 640, 480);
    t.items = {
        Static(1066, 0, 0, 640, 480),
        Static(1028, 120, 28, 398, 264),
        Static(1032, 139, 345, 360, 89),
        Static(1067, 243, 451, 140, 18),
    };
    // The tool column: six buttons of one size, one under the other.
    const struct {
        int id;
        const char* text;
    } tools[] = {{1040, "small brush"},  {1041, "big brush"},  {1039, "Region Fill"},
                 {1046, "small eraser"}, {1037, "big eraser"}, {1048, "undo"}};
    for (int i = 0; i < 6; ++i)
        t.items.push_back(Button(tools[i].id, 543, 87 + 34 * i, 60, 32, tools[i].text));
    const DialogTemplate::Item others[] = {
        Button(1038, 38, 39, 57, 25, "Texture Up"),
        Button(1043, 44, 72, 43, 37, "Texture 0"),
        Static(1092, 46, 74, 39, 33),
        Button(1044, 44, 115, 43, 37, "Texture 1"),
        Static(1090, 46, 117, 39, 33),
        Button(1045, 44, 159, 43, 37, "Texture 2"),
        Static(1091, 46, 161, 39, 33),
        Button(1042, 38, 205, 57, 25, "Texture Down"),
        Button(1050, 51, 252, 35, 41, "Voice Over"),
        Button(1054, 555, 31, 35, 41, "Scrapbook"),
        Button(1047, 65, 389, 52, 34, "L Star"),
        Button(1049, 516, 388, 55, 36, "R Star"),
        Button(1055, 529, 434, 46, 40, "<-"),
        Button(1056, 578, 434, 46, 40, "->"),
        Button(1101, 15, 436, 92, 39, "Exit"),
    };
    t.items.insert(t.items.end(), std::begin(others), std::end(others));
    return t;
}

// A yes/no confirmation: the placeholder first so the buttons lie above it.
DialogTemplate MakeConfirmation(UINT id) {
    DialogTemplate t;
    t.id = id;
    t.style = WS_POPUP;
    t.rect = CRect(0, 0, 398, 264);
    t.items = {
        Static(CDialogTemplates::kConfirmPlaceholder, 0, 0, 398, 264),
        Button(IDOK, 0, 0, 48, 37, "yes", kShownButton),
        Button(IDCANCEL, 0, 0, 69, 37, "no", kShownButton),
    };
    return t;
}

}  // namespace

const DialogTemplate* CDialogTemplates::Find(UINT id) {
    static const DialogTemplate coloring = MakeColoringScreen();
    static const DialogTemplate quit = MakeConfirmation(kQuit);
    static const DialogTemplate trash = MakeConfirmation(kTrash);
    switch (id) {
        case kColoringScreen:
            return &coloring;
        case kQuit:
            return &quit;
        case kTrash:
            return &trash;
        default:
            return nullptr;
    }
}
