#pragma once
// A private temporary folder for one fuzzing process, with small valid pictures in it that
// the fuzzed files can name.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/window/MessageBox.h"

namespace fuzzfolder {

inline void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A 4 × 4 24-bit BMP whose blue bytes are `blue` (an object id in a mapping layer).
inline std::string SmallBmp(int width, int height, std::uint8_t blue) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string out = "BM";
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(static_cast<std::uint32_t>(54 + stride * height), 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    out.append(24, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out += {static_cast<char>(blue), 'g', 'r'};
        out.append(static_cast<std::size_t>(stride - width * 3), '\0');
    }
    return out;
}

// A width × height 8-bit BMP over the 256 greys whose pixels step through `first`, `first` +
// 37, ... (a footprint layer's steps, from fine to the coarsest).
inline std::string SmallGreyBmp(int width, int height, std::uint8_t first) {
    const int stride = (width + 3) / 4 * 4;
    const std::uint32_t offset = 54 + 256 * 4;
    std::string out = "BM";
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(offset + static_cast<std::uint32_t>(stride * height), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(8, 2);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(256, 4);
    put(0, 4);
    for (std::uint32_t grey = 0; grey < 256; ++grey) put(grey << 16 | grey << 8 | grey, 4);
    std::uint8_t step = first;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, step = static_cast<std::uint8_t>(step + 37))
            out.push_back(static_cast<char>(step));
        out.append(static_cast<std::size_t>(stride - width), '\0');
    }
    return out;
}

// The folder, made once per process; pictures "a.bmp" (4 × 4) and "b.bmp" (3 × 5) inside,
// and "f.bmp", an 8-bit 4 × 4 footprint layer that fits "a.bmp".
inline const std::string& Root() {
    static const std::string root = [] {
        SetMessageBoxHandler([](ChildMessage, const std::string&) {});
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-XXXXXX").string();
        std::string made = mkdtemp(pattern.data());
        Write(made + "/a.bmp", SmallBmp(4, 4, 1));
        Write(made + "/b.bmp", SmallBmp(3, 5, 2));
        Write(made + "/f.bmp", SmallGreyBmp(4, 4, 1));
        return made;
    }();
    return root;
}

}  // namespace fuzzfolder
