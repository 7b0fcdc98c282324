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

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("talewick-sound-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }
    std::string Path() const { return m_path.string(); }

  private:
    std::filesystem::path m_path;
};

}  // namespace testwaves
