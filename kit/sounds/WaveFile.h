#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A mono wave sound as the program stores it: RIFF/WAVE, PCM. The kit writes 16-bit
// 22050 Hz mono and reads back whatever parses, so checks and tests can measure it.
class WaveFile {
  public:
    static constexpr int kRate = 22050;

    int channels = 1;
    int rate = kRate;
    int bits = 16;
    std::vector<std::int16_t> samples;  // first channel only when there are more

    // The complete file image of 16-bit mono samples at `rate`.
    static std::vector<std::uint8_t> Encode(const std::vector<std::int16_t>& samples,
                                            int rate = kRate);
    // Parses a file image: "" on success, else what is wrong with it.
    std::string Parse(const std::vector<std::uint8_t>& bytes);
    // Reads and parses a file: "" on success, else the problem.
    std::string Read(const std::string& path);

    double Seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
    // Largest absolute sample over the whole sound, 0..32768.
    int Peak() const;
    // Largest absolute sample among the first `count` (or last `count`) samples.
    int PeakOfHead(std::size_t count) const;
    int PeakOfTail(std::size_t count) const;
};

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples);
// Reads a whole file; false when it cannot be opened.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);
