#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "TestWaves.h"
#include "platform/backend/headless/HeadlessAudio.h"
#include "platform/backend/sdl/SdlAudio.h"

using testwaves::MakeWave;
using testwaves::MakeWaveMs;
using testwaves::Share;
using testwaves::TempDir;

namespace {

long long MillisecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto spent = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(spent).count();
}

// SDL's dummy driver takes samples at the real rate without a sound card.
class SdlAudioDummyTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(SdlAudioDummyTest, PlaysOneSoundAtATimeWithTheFlags) {
    SdlAudio audio;
    EXPECT_FALSE(audio.HasDevice()) << "the device opens on the first play";
    ASSERT_TRUE(audio.Play(Share(MakeWaveMs(2000)), "long.wav", 0x07));
    ASSERT_TRUE(audio.HasDevice());
    EXPECT_FALSE(audio.Play(Share(MakeWaveMs(100)), "object.wav", 0x17));
    EXPECT_TRUE(audio.Play(Share(MakeWaveMs(100)), "button.wav", 0x07));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_FALSE(audio.IsPlaying()) << "the long sound was cut off by the button";
    EXPECT_TRUE(audio.Play(Share(MakeWaveMs(1000)), "object.wav", 0x17));
    audio.StopAll();
    EXPECT_FALSE(audio.IsPlaying());
}

TEST_F(SdlAudioDummyTest, WaitingPlayReturnsAfterTheSound) {
    SdlAudio audio;
    // 600 ms, converted for the device.
    const WaveBytes stereo = Share(MakeWave(22050, 2, 8, 22050 * 6 / 10));
    const long long spent =
        MillisecondsOf([&] { EXPECT_TRUE(audio.Play(stereo, "goodbye.wav", 0x06)); });
    EXPECT_GE(spent, 550);
    EXPECT_LT(spent, 2500);
    EXPECT_FALSE(audio.IsPlaying());
}

// Both players take the same waves; what they refuse leaves the playing sound alone.
TEST_F(SdlAudioDummyTest, RefusesTheSameWavesAsTheHeadlessPlayer) {
    std::vector<std::vector<std::uint8_t>> waves = {{}, {'n', 'o', 'p', 'e'}};
    for (std::uint16_t bits : {8, 12, 16, 24, 32}) waves.push_back(MakeWave(8000, 1, bits, 800));
    waves.push_back(MakeWave(8000, 1, 32, 800, 3));     // floats
    waves.push_back(MakeWave(8000, 1, 16, 800, 0x55));  // compressed
    for (std::size_t cut : {30u, 36u, 1001u}) {         // in the format, before the data, in it
        waves.push_back(MakeWaveMs(100));
        waves.back().resize(cut);
    }

    SdlAudio audio;
    for (std::size_t i = 0; i < waves.size(); ++i) {
        ASSERT_TRUE(audio.Play(Share(MakeWaveMs(1000)), "music.wav", 0x07));
        const bool playable = HeadlessAudio::WaveDuration(waves[i].data(), waves[i].size()) >= 0;
        EXPECT_EQ(audio.Play(Share(waves[i]), "wave.wav", 0x07), playable) << "wave " << i;
        if (!playable) {
            EXPECT_TRUE(audio.IsPlaying()) << "wave " << i;
        }
    }
    EXPECT_FALSE(audio.Play(nullptr, "none.wav", 0x07));
    audio.StopAll();
}

// The disk driver writes everything the device was given to a file, at the real rate.
std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A 16-bit stereo wave at the device's own rate, so it reaches the device unconverted;
// no sample is silent, so a lost start shows.
std::vector<std::uint8_t> LoudWave(std::uint32_t frames) {
    std::vector<std::uint8_t> wave = MakeWave(44100, 2, 16, frames);
    for (std::size_t i = wave.size() - frames * 4; i < wave.size(); ++i) wave[i] |= 0x41;
    return wave;
}

TEST(SdlAudioRelease, ClosesWhenSilentAndPlaysTheNextSoundInFull) {
    TempDir dir;
    const std::filesystem::path recording = std::filesystem::path(dir.Path()) / "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", recording.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "5", 1);
    const std::vector<std::uint8_t> second = LoudWave(4410);
    {
        SdlAudio audio;
        EXPECT_EQ(audio.MillisecondsUntilRelease(), INFINITE) << "no device before a sound";
        ASSERT_TRUE(audio.Play(Share(LoudWave(2205)), "first.wav", 0x06));
        ASSERT_TRUE(audio.HasDevice());
        audio.ReleaseIfIdle();
        EXPECT_TRUE(audio.HasDevice()) << "closed right after the sound";
        const DWORD left = audio.MillisecondsUntilRelease();
        EXPECT_GT(left, 0U);
        EXPECT_LE(left, 1000U);
        std::this_thread::sleep_for(std::chrono::milliseconds(left + 20));
        audio.ReleaseIfIdle();
        ASSERT_FALSE(audio.HasDevice()) << "still open after a second of silence";
        EXPECT_EQ(audio.MillisecondsUntilRelease(), INFINITE);
        ASSERT_TRUE(audio.Play(Share(second), "second.wav", 0x06));
        EXPECT_TRUE(audio.HasDevice());
    }
    // The reopened device started a new recording; it holds the second sound whole.
    const std::vector<std::uint8_t> written = ReadAll(recording);
    const std::size_t dataBytes = 4410 * 4;
    const auto samples = second.end() - static_cast<std::ptrdiff_t>(dataBytes);
    EXPECT_NE(std::search(written.begin(), written.end(), samples, second.end()), written.end())
        << written.size() << " bytes recorded";
}

TEST(SdlAudioWithoutDevice, PlaysSilentlyWithoutDelay) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlAudio audio;
    const long long spent = MillisecondsOf([&] {
        EXPECT_TRUE(audio.Play(Share(MakeWaveMs(3000)), "goodbye.wav", 0x06));
        EXPECT_TRUE(audio.Play(Share(MakeWaveMs(3000)), "a.wav", 0x17));
        EXPECT_TRUE(audio.Play(Share(MakeWaveMs(3000)), "b.wav", 0x17));
    });
    EXPECT_LT(spent, 1000);
    EXPECT_FALSE(audio.HasDevice());
    EXPECT_FALSE(audio.Play(Share({'n', 'o'}), "text.wav", 0x07)) << "bad data is still refused";
}

}  // namespace
