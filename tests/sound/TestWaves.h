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
#include "support/MediaFiles.h"
#include "support/TempDir.h"

namespace testwaves {

using testsupport::MakeWave;
using testsupport::MakeWaveMs;

inline WaveBytes Share(std::vector<std::uint8_t> bytes) {
    return std::make_shared<const std::vector<BYTE>>(std::move(bytes));
}

using testsupport::TempDir;

}  // namespace testwaves
