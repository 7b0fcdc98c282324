#include "sounds/Voice.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "sounds/Synth.h"
#include "sounds/WaveFile.h"

extern char** environ;

namespace {

// A young, friendly female variant of the English voice, a little higher than usual.
constexpr const char* kVoice = "en-gb+f3";
constexpr const char* kPitch = "62";
constexpr int kSpeed = 145;
constexpr int kSilence = 250;  // samples quieter than this count as silence when trimming

bool RunEspeak(const std::string& text, int speed, const std::string& outPath) {
    const std::string speedText = std::to_string(speed);
    std::vector<std::string> args = {"espeak-ng", "-v", kVoice,  "-p", kPitch, "-s",
                                     speedText,   "-w", outPath, "--", text};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "espeak-ng", nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Converts to floats, dropping the silence espeak-ng leaves before and after the words.
Synth::Samples Trimmed(const std::vector<std::int16_t>& in) {
    std::size_t first = 0, last = in.size();
    while (first < last && std::abs(in[first]) < kSilence) ++first;
    while (last > first && std::abs(in[last - 1]) < kSilence) --last;
    const std::size_t margin = WaveFile::kRate / 100;
    first = first > margin ? first - margin : 0;
    last = std::min(in.size(), last + margin);
    Synth::Samples out;
    for (std::size_t i = first; i < last; ++i) out.push_back(in[i] / 32768.0f);
    return out;
}

bool Speak(const std::string& text, int speed, const std::string& tempPath, Synth::Samples& out) {
    if (!RunEspeak(text, speed, tempPath)) return false;
    WaveFile wave;
    const std::string problem = wave.Read(tempPath);
    std::remove(tempPath.c_str());
    if (!problem.empty() || wave.rate != WaveFile::kRate) return false;
    out = Trimmed(wave.samples);
    return !out.empty();
}

}  // namespace

bool VoiceToWave(const std::string& text, const std::string& wavPath, double maxSeconds) {
    const std::string tempPath = wavPath + ".speech.tmp";
    const std::filesystem::path parent = std::filesystem::path(wavPath).parent_path();
    std::error_code error;
    if (!parent.empty()) std::filesystem::create_directories(parent, error);
    Synth::Samples speech;
    int speed = kSpeed;
    if (!Speak(text, speed, tempPath, speech)) return false;
    const auto limit = static_cast<std::size_t>(maxSeconds * WaveFile::kRate);
    while (maxSeconds > 0 && speech.size() > limit && speed < 260) {
        speed += 20;
        if (!Speak(text, speed, tempPath, speech)) return false;
    }
    if (maxSeconds > 0 && speech.size() > limit) speech.resize(limit);
    return WriteWave(wavPath, Synth::Master(speech));
}
