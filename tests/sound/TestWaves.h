#pragma once
// Wave images and files made by the tests themselves.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound/AudioOutput.h"
#include "support/TempDir.h"

namespace testwaves {

inline void PutTag(std::vector<std::uint8_t>* out, const char* tag) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(tag[i]));
}

inline void PutLe(std::vector<std::uint8_t>* out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A RIFF WAVE image with a sawtooth in every channel.
// `extra` is a whole chunk placed between "fmt " and "data"; format tag 1 is PCM.
inline std::vector<std::uint8_t> MakeWave(std::uint32_t rate, std::uint16_t channels,
                                          std::uint16_t bits, std::uint32_t frames,
                                          std::uint16_t formatTag = 1,
                                          const std::vector<std::uint8_t>& extra = {}) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    const std::uint32_t dataBytes = frames * blockAlign;
    std::vector<std::uint8_t> out;
    PutTag(&out, "RIFF");
    PutLe(&out, 4 + 24 + static_cast<std::uint32_t>(extra.size()) + 8 + dataBytes, 4);
    PutTag(&out, "WAVE");
    PutTag(&out, "fmt ");
    PutLe(&out, 16, 4);
    PutLe(&out, formatTag, 2);
    PutLe(&out, channels, 2);
    PutLe(&out, rate, 4);
    PutLe(&out, rate * blockAlign, 4);
    PutLe(&out, blockAlign, 2);
    PutLe(&out, bits, 2);
    for (std::uint8_t byte : extra) out.push_back(byte);
    PutTag(&out, "data");
    PutLe(&out, dataBytes, 4);
    for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    return out;
}

inline WaveBytes Share(std::vector<std::uint8_t> bytes) {
    return std::make_shared<const std::vector<BYTE>>(std::move(bytes));
}

// A mono 16-bit wave of `ms` milliseconds at 8000 Hz.
inline std::vector<std::uint8_t> MakeWaveMs(std::uint32_t ms) {
    return MakeWave(8000, 1, 16, 8 * ms);
}

using testsupport::TempDir;

}  // namespace testwaves
