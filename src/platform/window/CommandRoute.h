#pragma once

#include <span>

// One command a window answers by calling one of its own handlers.
template <class Owner>
struct CommandRoute {
    int id;
    void (Owner::*handler)();
};

// Calls the handler routed to the command; false when no route takes it.
template <class Owner>
bool RouteCommand(Owner& owner, int id, std::span<const CommandRoute<Owner>> routes) {
    for (const CommandRoute<Owner>& route : routes) {
        if (route.id != id) continue;
        (owner.*route.handler)();
        return true;
    }
    return false;
}
