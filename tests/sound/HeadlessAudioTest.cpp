#include <gtest/gtest.h>

#include "TestWaves.h"
#include "platform/backend/headless/HeadlessAudio.h"

using testwaves::MakeWave;
using testwaves::MakeWaveMs;
using testwaves::Share;

namespace {

long long Duration(const std::vector<std::uint8_t>& wave) {
    return HeadlessAudio::WaveDuration(wave.data(), wave.size());
}

TEST(WaveDuration, FollowsRateChannelsAndSampleSize) {
    for (std::uint32_t rate : {8000u, 11025u, 22050u, 44100u, 48000u}) {
        for (std::uint16_t channels : {1, 2}) {
            for (std::uint16_t bits : {8, 16}) {
                for (std::uint32_t ms : {40u, 1000u, 2600u}) {
                    const std::uint32_t frames = rate / 25 * ms / 40;
                    EXPECT_EQ(Duration(MakeWave(rate, channels, bits, frames)), ms)
                        << rate << " Hz, " << channels << " ch, " << bits << " bit";
                }
            }
        }
    }
}

TEST(WaveDuration, CopesWithOddButPlayableFiles) {
    EXPECT_EQ(Duration(MakeWave(44100, 1, 16, 1)), 1) << "a lone frame still takes time";
    EXPECT_EQ(Duration(MakeWave(44100, 1, 16, 0)), 0);

    const std::vector<std::uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    EXPECT_EQ(Duration(MakeWave(8000, 1, 16, 8000, 1, list)), 1000)
        << "odd chunk with its pad byte";

    // One stereo frame per millisecond: 500 frames and most of another cut off.
    std::vector<std::uint8_t> cut = MakeWave(1000, 2, 16, 1000);
    cut.resize(cut.size() - 4 * 500 - 3);
    EXPECT_EQ(Duration(cut), 499);

    std::vector<std::uint8_t> oversized = MakeWaveMs(500);
    oversized[43] = 0x7F;  // the data chunk claims about 2 GB
    EXPECT_EQ(Duration(oversized), 500);
}

TEST(WaveDuration, RefusesWhatIsNoPlayableWave) {
    const std::vector<std::uint8_t> good = MakeWaveMs(100);
    EXPECT_EQ(HeadlessAudio::WaveDuration(nullptr, 0), -1);
    EXPECT_EQ(Duration(std::vector<std::uint8_t>(good.size(), 'x')), -1);
    for (std::size_t cut : {0u, 4u, 12u, 20u, 30u, 36u, 43u}) {
        EXPECT_EQ(Duration({good.begin(), good.begin() + cut}), -1) << "cut at " << cut;
    }
    std::vector<std::uint8_t> noData = good;
    noData[36] = 'X';  // the "data" chunk becomes an unknown one
    EXPECT_EQ(Duration(noData), -1);

    EXPECT_EQ(Duration(MakeWave(8000, 1, 16, 800, 0x55)), -1);
    EXPECT_EQ(Duration(MakeWave(8000, 1, 12, 800)), -1);
    EXPECT_EQ(Duration(MakeWave(0, 1, 16, 800)), -1);
    EXPECT_EQ(Duration(MakeWave(8000, 0, 16, 800)), -1);
}

class HeadlessAudioTest : public ::testing::Test {
  protected:
    DWORD m_now = 0;
    HeadlessAudio m_audio{[this] { return m_now; }, [this](DWORD ms) { m_now += ms; }};
};

TEST_F(HeadlessAudioTest, RecordsEveryPlayWithItsVirtualSpan) {
    EXPECT_TRUE(m_audio.Play(Share(MakeWaveMs(100)), "short.wav", 0x07));
    m_now = 150;
    m_audio.StopAll();  // already over: its end stays where it was
    EXPECT_TRUE(m_audio.Play(Share(MakeWaveMs(1000)), "long.wav", 0x17));
    m_now = 200;
    EXPECT_FALSE(m_audio.Play(Share({1, 2, 3}), "junk.wav", 0x07));
    EXPECT_TRUE(m_audio.IsPlaying()) << "unplayable data leaves the playing sound alone";
    m_now = 400;
    m_audio.StopAll();
    EXPECT_FALSE(m_audio.IsPlaying());

    const auto& record = m_audio.GetRecord();
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record[0].label, "short.wav");
    EXPECT_EQ(record[0].flags, 0x07u);
    EXPECT_EQ(record[0].end, 100u);
    EXPECT_EQ(record[1].start, 150u);
    EXPECT_EQ(record[1].end, 400u);
    EXPECT_FALSE(record[1].refused);
    EXPECT_TRUE(record[2].refused);
    EXPECT_EQ(record[2].start, 200u);
    EXPECT_EQ(record[2].end, 200u);
}

TEST_F(HeadlessAudioTest, SurvivesTheClockWrapping) {
    m_now = 0xFFFFFF00u;
    ASSERT_TRUE(m_audio.Play(Share(MakeWaveMs(1000)), "a.wav", 0x07));
    m_now = 0x100;  // 512 ms later
    EXPECT_FALSE(m_audio.Play(Share(MakeWaveMs(10)), "b.wav", 0x17));
    m_now = 0x300;  // 1024 ms later
    EXPECT_FALSE(m_audio.IsPlaying());
}

}  // namespace
