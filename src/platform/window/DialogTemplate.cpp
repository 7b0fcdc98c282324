#include "platform/window/DialogTemplate.h"

#include <map>

namespace {

std::map<UINT, DialogTemplate>& Registry() {
    static std::map<UINT, DialogTemplate> registry;
    return registry;
}

}  // namespace

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate) {
    Registry()[dialogTemplate.id] = dialogTemplate;
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : &it->second;
}
