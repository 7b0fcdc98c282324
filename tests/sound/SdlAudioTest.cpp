#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "TestWaves.h"
#include "platform/HeadlessAudio.h"
#include "platform/sdl/SdlAudio.h"

using testwaves::MakeWave;
using testwaves::MakeWaveMs;
using testwaves::WaveSpec;

namespace {

WaveBytes Share(std::vector<std::uint8_t> bytes) {
    return std::make_shared<const std::vector<BYTE>>(std::move(bytes));
}

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
    EXPECT_TRUE(audio.IsPlaying());
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
    WaveSpec stereo;
    stereo.rate = 22050;
    stereo.channels = 2;
    stereo.bits = 8;
    stereo.frames = 22050 * 6 / 10;  // 600 ms, converted to whatever the device takes
    const long long spent = MillisecondsOf(
        [&] { EXPECT_TRUE(audio.Play(Share(MakeWave(stereo)), "goodbye.wav", 0x06)); });
    EXPECT_GE(spent, 550);
    EXPECT_LT(spent, 2500);
    EXPECT_FALSE(audio.IsPlaying());
}

TEST_F(SdlAudioDummyTest, RefusesWhatItCannotReadAndGoesOnPlaying) {
    SdlAudio audio;
    ASSERT_TRUE(audio.Play(Share(MakeWaveMs(1500)), "music.wav", 0x07));
    std::vector<std::uint8_t> truncated = MakeWaveMs(100);
    truncated.resize(30);
    EXPECT_FALSE(audio.Play(Share(truncated), "cut.wav", 0x07));
    EXPECT_FALSE(audio.Play(Share({'n', 'o', 'p', 'e'}), "text.wav", 0x06));
    EXPECT_FALSE(audio.Play(Share({}), "empty.wav", 0x07));
    EXPECT_FALSE(audio.Play(nullptr, "none.wav", 0x07));
    EXPECT_TRUE(audio.IsPlaying());
}

// Both players agree on which waves they take.
TEST_F(SdlAudioDummyTest, TakesTheSameWavesAsTheHeadlessPlayer) {
    SdlAudio audio;
    std::vector<std::vector<std::uint8_t>> waves;
    for (std::uint16_t bits : {8, 12, 16, 24, 32}) {
        WaveSpec spec;
        spec.bits = bits;
        waves.push_back(MakeWave(spec));
    }
    WaveSpec floats;
    floats.formatTag = 3;
    floats.bits = 32;
    waves.push_back(MakeWave(floats));
    WaveSpec mp3;
    mp3.formatTag = 0x55;
    waves.push_back(MakeWave(mp3));
    std::vector<std::uint8_t> cutData = MakeWaveMs(100);
    cutData.resize(cutData.size() - 401);
    waves.push_back(cutData);
    std::vector<std::uint8_t> noData = MakeWaveMs(100);
    noData.resize(36);
    waves.push_back(noData);

    for (std::size_t i = 0; i < waves.size(); ++i) {
        const bool headless = HeadlessAudio::WaveDuration(waves[i].data(), waves[i].size()) >= 0;
        EXPECT_EQ(audio.Play(Share(waves[i]), "wave.wav", 0x07), headless) << "wave " << i;
    }
    audio.StopAll();
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
    EXPECT_FALSE(audio.IsPlaying());
    EXPECT_FALSE(audio.Play(Share({'n', 'o', 'p', 'e'}), "text.wav", 0x07))
        << "bad data is refused with or without a device";
}

}  // namespace
