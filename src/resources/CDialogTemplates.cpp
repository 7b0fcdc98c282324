#include "resources/CDialogTemplates.h"

#include <vector>

const DialogTemplate* CDialogTemplates::Find(UINT id) {
    static const std::vector<DialogTemplate> templates = [] {
        std::vector<DialogTemplate> all;
        for (const ScreenLayout& screen : ScreenLayouts::All())
            all.push_back(screen.MakeTemplate());
        return all;
    }();
    for (const DialogTemplate& t : templates)
        if (t.id == id) return &t;
    return nullptr;
}
