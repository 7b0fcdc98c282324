#include <gtest/gtest.h>

#include "TestWaves.h"
#include "platform/HeadlessAudio.h"

using testwaves::MakeWave;
using testwaves::MakeWaveMs;
using testwaves::WaveSpec;

namespace {

long long Duration(const std::vector<std::uint8_t>& wave) {
    return HeadlessAudio::WaveDuration(wave.data(), wave.size());
}

WaveBytes Share(std::vector<std::uint8_t> bytes) {
    return std::make_shared<const std::vector<BYTE>>(std::move(bytes));
}

// Replaces the little-endian 32-bit value at `offset`.
void Patch32(std::vector<std::uint8_t>* wave, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) (*wave)[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::size_t kDataSizeOffset = 40;  // in a wave with no extra chunk

}  // namespace

TEST(WaveDuration, FollowsRateChannelsAndSampleSize) {
    for (std::uint32_t rate : {8000u, 11025u, 22050u, 44100u, 48000u}) {
        for (std::uint16_t channels : {1, 2}) {
            for (std::uint16_t bits : {8, 16}) {
                for (std::uint32_t ms : {40u, 1000u, 2600u}) {
                    WaveSpec spec;
                    spec.rate = rate;
                    spec.channels = channels;
                    spec.bits = bits;
                    spec.frames = rate / 25 * ms / 40;  // exactly `ms` of sound
                    EXPECT_EQ(Duration(MakeWave(spec)), ms)
                        << rate << " Hz, " << channels << " ch, " << bits << " bit";
                }
            }
        }
    }
}

TEST(WaveDuration, RoundsPartialMillisecondsUpSoShortClicksStillPlay) {
    WaveSpec spec;
    spec.rate = 44100;
    spec.frames = 1;
    EXPECT_EQ(Duration(MakeWave(spec)), 1);
    spec.frames = 0;
    EXPECT_EQ(Duration(MakeWave(spec)), 0);
}

TEST(WaveDuration, SkipsOtherChunksWithTheirPadByte) {
    WaveSpec spec;
    spec.frames = 8000;
    spec.extra = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    EXPECT_EQ(Duration(MakeWave(spec)), 1000);
}

TEST(WaveDuration, DataCutShortPlaysTheWholeFramesThatAreThere) {
    WaveSpec spec;
    spec.rate = 1000;  // one frame per millisecond
    spec.channels = 2;
    spec.frames = 1000;
    std::vector<std::uint8_t> wave = MakeWave(spec);
    wave.resize(wave.size() - 4 * 500 - 3);  // 500 frames and most of another gone
    EXPECT_EQ(Duration(wave), 499);
}

TEST(WaveDuration, RefusesWhatIsNoPlayableWave) {
    const std::vector<std::uint8_t> good = MakeWaveMs(100);
    EXPECT_EQ(HeadlessAudio::WaveDuration(nullptr, 0), -1);
    EXPECT_EQ(Duration({}), -1);

    std::vector<std::uint8_t> text(good.size(), 'x');
    EXPECT_EQ(Duration(text), -1) << "not RIFF";

    for (std::size_t cut : {4u, 12u, 20u, 30u, 36u, 43u}) {
        EXPECT_EQ(Duration({good.begin(), good.begin() + cut}), -1) << "cut at " << cut;
    }

    std::vector<std::uint8_t> noData = good;
    noData[36] = 'X';  // the "data" chunk becomes an unknown one
    EXPECT_EQ(Duration(noData), -1) << "no data chunk";

    WaveSpec mp3;
    mp3.formatTag = 0x55;
    EXPECT_EQ(Duration(MakeWave(mp3)), -1) << "compressed format";

    WaveSpec odd;
    odd.bits = 12;
    EXPECT_EQ(Duration(MakeWave(odd)), -1) << "12-bit samples";

    WaveSpec silentRate;
    silentRate.rate = 0;
    EXPECT_EQ(Duration(MakeWave(silentRate)), -1) << "zero sample rate";

    WaveSpec noChannels;
    noChannels.channels = 0;
    EXPECT_EQ(Duration(MakeWave(noChannels)), -1) << "no channels";
}

TEST(WaveDuration, DataSizeBeyondTheFileIsCappedAtTheFile) {
    std::vector<std::uint8_t> wave = MakeWaveMs(500);
    Patch32(&wave, kDataSizeOffset, 0x7FFFFFF0);
    EXPECT_EQ(Duration(wave), 500);
}

class HeadlessAudioTest : public ::testing::Test {
  protected:
    DWORD m_now = 0;
    HeadlessAudio m_audio{[this] { return m_now; }, [this](DWORD ms) { m_now += ms; }};
};

TEST_F(HeadlessAudioTest, RecordsEveryPlayWithItsVirtualSpan) {
    EXPECT_TRUE(m_audio.Play(Share(MakeWaveMs(300)), "a.wav", 0x07));
    m_now = 100;
    EXPECT_FALSE(m_audio.Play(Share({1, 2, 3}), "junk.wav", 0x07));
    EXPECT_TRUE(m_audio.IsPlaying()) << "unplayable data leaves the playing sound alone";
    m_now = 1000;
    EXPECT_TRUE(m_audio.Play(Share(MakeWaveMs(200)), "b.wav", 0x06));

    const auto& record = m_audio.GetRecord();
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record[0].label, "a.wav");
    EXPECT_EQ(record[0].flags, 0x07u);
    EXPECT_EQ(record[0].start, 0u);
    EXPECT_EQ(record[0].end, 300u);
    EXPECT_FALSE(record[0].refused);
    EXPECT_EQ(record[1].label, "junk.wav");
    EXPECT_TRUE(record[1].refused);
    EXPECT_EQ(record[1].start, 100u);
    EXPECT_EQ(record[1].end, 100u);
    EXPECT_EQ(record[2].start, 1000u);
    EXPECT_EQ(record[2].end, 1200u);
    EXPECT_EQ(m_now, 1200u);
}

TEST_F(HeadlessAudioTest, StopAllCutsThePlayingSoundShortAndOnlyThatOne) {
    m_audio.StopAll();
    EXPECT_TRUE(m_audio.GetRecord().empty());

    ASSERT_TRUE(m_audio.Play(Share(MakeWaveMs(100)), "short.wav", 0x07));
    m_now = 150;
    m_audio.StopAll();  // already over: its end stays where it was
    ASSERT_TRUE(m_audio.Play(Share(MakeWaveMs(1000)), "long.wav", 0x07));
    m_now = 400;
    m_audio.StopAll();
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_EQ(m_audio.GetPlayingWave(), nullptr);
    EXPECT_EQ(m_audio.GetRecord()[0].end, 100u);
    EXPECT_EQ(m_audio.GetRecord()[1].end, 400u);
}

TEST_F(HeadlessAudioTest, KeepsTheDataItPlaysUntilTheEnd) {
    std::weak_ptr<const std::vector<BYTE>> watch;
    {
        WaveBytes wave = Share(MakeWaveMs(500));
        watch = wave;
        ASSERT_TRUE(m_audio.Play(std::move(wave), "a.wav", 0x17));
    }
    m_now = 499;
    EXPECT_FALSE(watch.expired());
    m_now = 500;
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_TRUE(watch.expired()) << "released once it has ended";
}

TEST_F(HeadlessAudioTest, SurvivesTheClockWrapping) {
    m_now = 0xFFFFFF00u;
    ASSERT_TRUE(m_audio.Play(Share(MakeWaveMs(1000)), "a.wav", 0x07));
    m_now = 0x100;  // 512 ms later
    EXPECT_TRUE(m_audio.IsPlaying());
    EXPECT_FALSE(m_audio.Play(Share(MakeWaveMs(10)), "b.wav", 0x17));
    m_now = 0x300;  // 1024 ms later
    EXPECT_FALSE(m_audio.IsPlaying());
}
