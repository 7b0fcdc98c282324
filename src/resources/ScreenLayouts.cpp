#include "resources/ScreenLayouts.h"

#include <cstdio>

namespace {

DWORD StyleOf(const ControlLayout& control) {
    const DWORD visible = control.shown ? WS_VISIBLE : 0;
    return control.kind == ControlKind::PictureButton ? (visible | BS_OWNERDRAW) : visible;
}

constexpr std::array<ScreenLayout, 8> kScreens = {
    ScreenLayouts::Coloring::kScreen,  ScreenLayouts::Quit::kScreen,
    ScreenLayouts::Trash::kScreen,     ScreenLayouts::Print::kScreen,
    ScreenLayouts::Options::kScreen,   ScreenLayouts::SlideShow::kScreen,
    ScreenLayouts::Scrapbook::kScreen, ScreenLayouts::Message::kScreen,
};

void AppendLine(std::string& out, const char* screen, const char* name, int id, const CRect& r) {
    char line[160];
    std::snprintf(line, sizeof line, "%s %s %d %d %d %d %d\n", screen, name, id, r.left, r.top,
                  r.Width(), r.Height());
    out += line;
}

}  // namespace

const ControlLayout* ScreenLayout::Find(int id) const {
    for (const ControlLayout& control : controls)
        if (control.kind != ControlKind::Place && control.id == id) return &control;
    return nullptr;
}

DialogTemplate ScreenLayout::MakeTemplate() const {
    DialogTemplate t;
    t.id = templateId;
    t.style = WS_POPUP;
    t.rect = CRect(0, 0, width, height);
    for (const ControlLayout& control : controls) {
        if (control.kind == ControlKind::Place) continue;
        const auto kind = control.kind == ControlKind::Static ? DialogTemplate::Kind::Static
                                                              : DialogTemplate::Kind::Button;
        t.items.push_back({control.id, kind, control.rect, StyleOf(control), control.caption});
    }
    return t;
}

std::span<const ScreenLayout> ScreenLayouts::All() {
    return kScreens;
}

const ScreenLayout* ScreenLayouts::Find(std::string_view name) {
    for (const ScreenLayout& screen : kScreens)
        if (name == screen.name) return &screen;
    return nullptr;
}

std::string ScreenLayouts::Dump() {
    std::string out;
    for (const ScreenLayout& screen : kScreens) {
        AppendLine(out, screen.name, "SCREEN", static_cast<int>(screen.templateId),
                   CRect(0, 0, screen.width, screen.height));
        for (const ControlLayout& control : screen.controls)
            AppendLine(out, screen.name, control.name, control.id, control.rect);
    }
    return out;
}
