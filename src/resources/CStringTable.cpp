#include "resources/CStringTable.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "resources/ContentPaths.h"

namespace {

struct Entry {
    UINT id;
    const char* text;
};

constexpr std::array<Entry, 29> kStrings = {{
    {1, "Normal"},
    {2, "Square"},
    {3, "Round"},
    {4, "Square"},
    {5, "Checkers"},
    {6, "Round Blend"},
    {7, "Little Blend"},
    {8, "blop.wav"},
    {9, "ahooga.wav"},
    {10, "4knocks.wav"},
    {11, "badsax.wav"},
    {12, "bigboing.wav"},
    {13, "boing.wav"},
    {14, "bonk.wav"},
    {15, "bonk5.wav"},
    {16, "quahh.wav"},
    {17, "rbrband.wav"},
    {18, "shrtxylo.wav"},
    {19, "slide.wav"},
    {20, "slidedn.wav"},
    {21, "slideup.wav"},
    {22, "tinhit.wav"},
    {23, "toot.wav"},
    {24, "uwhaa.wav"},
    {25, "waheepf.wav"},
    {26, "whaa.wav"},
    {27, "whistl2.wav"},
    {28, "zip_hit.wav"},
    {83, ContentPaths::kFillSounds},
}};

}  // namespace

std::string CStringTable::Load(UINT id) {
    for (const Entry& e : kStrings) {
        if (e.id == id) return e.text;
    }
    return {};
}

int CStringTable::LoadString(UINT id, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    const std::string text = Load(id);
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}
