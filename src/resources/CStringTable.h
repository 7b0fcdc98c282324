#pragma once
#include <string>

#include "platform/base/WinTypes.h"

// The program's string resources: the brush preset names (1 to 7), the fill sound file
// names (8 to 28) and the fill sound folder (83).
class CStringTable {
  public:
    static constexpr UINT kFillSoundFirst = 8;
    static constexpr int kFillSoundCount = 21;
    static constexpr UINT kFillSoundFolder = 83;

    // The string `id`, or an empty string when there is none.
    static std::string Load(UINT id);
    // Copies string `id` into `buffer` (at most size - 1 characters and a terminating zero);
    // returns the number of characters copied, 0 when there is no such string.
    static int LoadString(UINT id, char* buffer, int size);
};
