#pragma once
// The state behind a CWnd, shared by the framework's own classes (not for program code).
#include <memory>
#include <string>
#include <vector>

#include "platform/draw/CDC.h"
#include "platform/window/CWnd.h"

struct CWnd::Impl {
    bool exists = false;
    DWORD style = 0;
    CWnd* parent = nullptr;  // the owner of a top-level window
    int id = 0;
    CRect rect;  // parent client coordinates for children, screen for top-level windows
    bool visible = false;
    bool enabled = true;
    std::string text;
    std::vector<CWnd*> children;  // stacking order: the first is on top
    std::vector<std::unique_ptr<CWnd>> ownedControls;
    CRect update;  // bounding rectangle of the invalid area, client coordinates
    bool erase = false;
    std::vector<std::unique_ptr<CDC>> dcs;  // handed out by GetDC

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};
