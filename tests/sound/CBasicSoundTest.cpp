#include <gtest/gtest.h>

#include <memory>

#include "TestWaves.h"
#include "platform/backend/headless/HeadlessAudio.h"
#include "sound/CBasicSound.h"

using testwaves::MakeWaveMs;
using testwaves::TempDir;

namespace {

constexpr UINT kObject = 0x17;
constexpr UINT kInterrupting = 0x07;
constexpr UINT kWaiting = 0x06;

// Every test plays through a headless player on a clock it moves by hand, with the
// sound switch on as at program start.
class CBasicSoundTest : public ::testing::Test {
  protected:
    void SetUp() override { m_previous = SetAudioOutput(&m_audio); }
    void TearDown() override {
        SetAudioOutput(m_previous);
        CBasicSound::SetSoundOn(true);
    }

    // A sound loaded from a fresh file of `ms` milliseconds.
    std::unique_ptr<CBasicSound> Loaded(const std::string& name, std::uint32_t ms) {
        auto sound = std::make_unique<CBasicSound>();
        EXPECT_TRUE(sound->Load(m_dir.Write(name, MakeWaveMs(ms))));
        return sound;
    }
    const std::vector<HeadlessAudio::PlayRecord>& Record() const { return m_audio.GetRecord(); }

    TempDir m_dir;
    DWORD m_now = 1000;
    HeadlessAudio m_audio{[this] { return m_now; }, [this](DWORD ms) { m_now += ms; }};
    AudioOutput* m_previous = nullptr;
};

TEST_F(CBasicSoundTest, ObjectSoundNeverCutsOffAPlayingSound) {
    auto voiceOver = Loaded("vo.wav", 2000);
    auto objectSound = Loaded("object.wav", 300);
    ASSERT_TRUE(voiceOver->Play(kInterrupting, true));
    m_now += 1500;
    EXPECT_FALSE(objectSound->Play(kObject));
    EXPECT_EQ(Record()[0].end, 3000u) << "the voice-over goes on to its end";
    EXPECT_TRUE(Record()[1].refused);

    m_now += 500;  // the voice-over has just ended
    EXPECT_TRUE(objectSound->Play(kObject));
    EXPECT_EQ(Record()[2].end, 3300u);
}

TEST_F(CBasicSoundTest, InterruptingSoundCutsThePlayingOneShort) {
    auto objectSound = Loaded("object.wav", 1000);
    auto voiceOver = Loaded("vo.wav", 2000);
    ASSERT_TRUE(objectSound->Play(kObject));
    m_now += 250;
    EXPECT_TRUE(voiceOver->Play(kInterrupting, true));
    EXPECT_EQ(m_now, 1250u) << "an asynchronous play returns at once";
    ASSERT_EQ(Record().size(), 2u);
    EXPECT_EQ(Record()[0].end, 1250u);
    EXPECT_EQ(Record()[1].end, 3250u);
}

TEST_F(CBasicSoundTest, WaitingSoundReturnsAfterItsEnd) {
    auto button = Loaded("button.wav", 800);
    auto goodbye = Loaded("goodbye.wav", 1200);
    ASSERT_TRUE(button->Play(kInterrupting));
    m_now += 100;
    CBasicSound::StopAll();
    EXPECT_TRUE(goodbye->Play(kWaiting));
    EXPECT_EQ(m_now, 2300u);
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_EQ(Record()[0].end, 1100u);
    EXPECT_EQ(Record()[1].start, 1100u);
}

TEST_F(CBasicSoundTest, SoundSwitchMutesOnlyUnforcedPlays) {
    auto sound = Loaded("a.wav", 500);
    CBasicSound empty;
    CBasicSound::SetSoundOn(false);
    EXPECT_FALSE(CBasicSound::IsSoundOn());
    EXPECT_TRUE(sound->Play(kObject));
    EXPECT_TRUE(sound->Play(kWaiting));
    EXPECT_TRUE(empty.Play(kObject)) << "muted before anything is looked at";
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(m_now, 1000u) << "a muted waiting sound is not waited for";

    EXPECT_FALSE(empty.Play(kObject, true));
    EXPECT_TRUE(sound->Play(kInterrupting, true));
    ASSERT_EQ(Record().size(), 1u);
    EXPECT_EQ(Record()[0].label, sound->GetPath());
}

TEST_F(CBasicSoundTest, DataOutlivesTheSoundThatStartedIt) {
    const std::vector<std::uint8_t> firstBytes = MakeWaveMs(1000);
    auto sound = std::make_unique<CBasicSound>();
    ASSERT_TRUE(sound->Load(m_dir.Write("first.wav", firstBytes)));
    ASSERT_TRUE(sound->Play(kInterrupting));
    ASSERT_TRUE(sound->Load(m_dir.Write("second.wav", MakeWaveMs(50))));
    sound.reset();
    m_now += 900;
    const WaveBytes playing = m_audio.GetPlayingWave();
    ASSERT_NE(playing, nullptr);
    EXPECT_EQ(*playing, firstBytes);
    m_now += 100;
    EXPECT_EQ(m_audio.GetPlayingWave(), nullptr) << "released once it has ended";
}

TEST_F(CBasicSoundTest, FailedLoadKeepsTheOldSoundAndFreeForgetsIt) {
    auto sound = Loaded("a.wav", 700);
    const std::string path = sound->GetPath();
    EXPECT_FALSE(sound->Load(m_dir.Path() + "/missing.wav"));
    EXPECT_FALSE(sound->Load(m_dir.Path()));  // a folder opens but cannot be read
    EXPECT_EQ(sound->GetPath(), path);
    ASSERT_TRUE(sound->Play(kWaiting));
    EXPECT_EQ(m_now, 1700u) << "the old data still plays";

    EXPECT_TRUE(sound->Free());
    EXPECT_FALSE(sound->IsLoaded());
    EXPECT_FALSE(sound->Play(kInterrupting, true));
    EXPECT_EQ(Record().size(), 1u);
}

TEST(CBasicSoundWithoutOutput, PlaysSilentlyAndAtOnce) {
    AudioOutput* previous = SetAudioOutput(nullptr);
    TempDir dir;
    CBasicSound sound;
    ASSERT_TRUE(sound.Load(dir.Write("a.wav", MakeWaveMs(5000))));
    EXPECT_TRUE(sound.Play(kWaiting));
    EXPECT_TRUE(sound.Play(kObject));
    EXPECT_TRUE(sound.Play(kObject)) << "nothing plays, so nothing is interrupted";
    CBasicSound::StopAll();
    EXPECT_FALSE(CBasicSound().Play(kObject));
    SetAudioOutput(previous);
}

}  // namespace
