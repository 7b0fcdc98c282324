#pragma once
// Wave images and files made by the tests themselves.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testwaves {

inline void PutTag(std::vector<std::uint8_t>* out, const char* tag) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<std::uint8_t>(tag[i]));
}

inline void PutLe(std::vector<std::uint8_t>* out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct WaveSpec {
    std::uint32_t rate = 8000;
    std::uint16_t channels = 1;
    std::uint16_t bits = 16;
    std::uint32_t frames = 800;
    std::uint16_t formatTag = 1;      // PCM
    std::vector<std::uint8_t> extra;  // a whole chunk placed between "fmt " and "data"
};

// A RIFF WAVE image with a sawtooth in every channel.
inline std::vector<std::uint8_t> MakeWave(const WaveSpec& spec) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(spec.channels * spec.bits / 8);
    const std::uint32_t dataBytes = spec.frames * blockAlign;
    std::vector<std::uint8_t> out;
    PutTag(&out, "RIFF");
    PutLe(&out, 4 + 24 + static_cast<std::uint32_t>(spec.extra.size()) + 8 + dataBytes, 4);
    PutTag(&out, "WAVE");
    PutTag(&out, "fmt ");
    PutLe(&out, 16, 4);
    PutLe(&out, spec.formatTag, 2);
    PutLe(&out, spec.channels, 2);
    PutLe(&out, spec.rate, 4);
    PutLe(&out, spec.rate * blockAlign, 4);
    PutLe(&out, blockAlign, 2);
    PutLe(&out, spec.bits, 2);
    for (std::uint8_t byte : spec.extra) out.push_back(byte);
    PutTag(&out, "data");
    PutLe(&out, dataBytes, 4);
    for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
    return out;
}

// A mono 16-bit wave of `ms` milliseconds at 8000 Hz.
inline std::vector<std::uint8_t> MakeWaveMs(std::uint32_t ms) {
    WaveSpec spec;
    spec.frames = 8 * ms;
    return MakeWave(spec);
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
