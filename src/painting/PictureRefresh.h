#pragma once
#include <functional>

class CGlimImage;

// What a tool calls to have the part of a picture it changed shown; it draws nothing itself.
using PictureRefresh = std::function<void(CGlimImage& picture)>;
