// The kit's sounds: spoken prompts that are each their own words, effects whose pitch moves
// the way their names say, mastering that never clicks, and wave files that read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "KitTree.h"
#include "crayons/CrayonKit.h"
#include "sounds/SoundKit.h"
#include "sounds/Synth.h"
#include "sounds/WaveFile.h"

namespace {

std::vector<std::int16_t> Mastered(const std::string& effect) {
    return Synth::Master(Synth::MakeEffect(effect));
}

// Sign changes per second between the fractions `from` and `to` of the sound: for a tone,
// twice its frequency. Zero samples carry the previous sign.
double CrossingRate(const std::vector<std::int16_t>& samples, double from, double to) {
    const auto first = static_cast<std::size_t>(from * samples.size());
    const auto last = static_cast<std::size_t>(to * samples.size());
    int sign = 0, crossings = 0;
    for (std::size_t i = first; i < last; ++i) {
        const int s = samples[i] > 0 ? 1 : (samples[i] < 0 ? -1 : sign);
        if (sign != 0 && s != sign) ++crossings;
        sign = s;
    }
    return last > first ? crossings * static_cast<double>(WaveFile::kRate) / (last - first) : 0.0;
}

int Words(const std::string& text) {
    std::istringstream in(text);
    int count = 0;
    for (std::string word; in >> word;) ++count;
    return count;
}

WaveFile ReadWave(const std::string& relative) {
    WaveFile wave;
    EXPECT_EQ(wave.Read(KitTree() + "/" + relative), "") << relative;
    return wave;
}

}  // namespace

TEST(SoundTest, SpokenPromptsAreEachTheirOwnWordsAndFitTheirLength) {
    ASSERT_FALSE(KitTree().empty());
    std::map<std::string, WaveFile> prompts;
    for (const SoundPlan& sound : ScreenSounds())
        if (!sound.speech.empty()) prompts[sound.speech] = ReadWave(sound.path);
    ASSERT_GT(prompts.size(), 5u);
    double longestOneWord = 0.0, shortestFourWords = 10.0;
    for (const auto& [words, wave] : prompts) {
        EXPECT_GT(wave.Seconds(), 0.25) << words;
        EXPECT_LT(wave.Seconds(), 1.5) << words;
        if (Words(words) == 1) longestOneWord = std::max(longestOneWord, wave.Seconds());
        if (Words(words) >= 4) shortestFourWords = std::min(shortestFourWords, wave.Seconds());
        for (const auto& [otherWords, other] : prompts) {
            if (otherWords == words) continue;
            EXPECT_NE(wave.samples, other.samples) << words << " / " << otherWords;
        }
    }
    // A sentence takes longer to say than a single word.
    EXPECT_LT(longestOneWord, shortestFourWords);
}

TEST(SoundTest, EveryCrayonSaysItsOwnName) {
    ASSERT_FALSE(KitTree().empty());
    for (const CrayonBoxPlan& box : CrayonBoxes()) {
        std::vector<std::vector<std::int16_t>> names;
        for (const CrayonColour& crayon : box.crayons) {
            const std::string stem = CrayonStem(crayon.name);
            const WaveFile wave = ReadWave("Crayons/" + box.folder + "/english/" + stem + ".wav");
            EXPECT_GT(wave.Seconds(), 0.2) << stem;
            EXPECT_LT(wave.Seconds(), 1.5) << stem;
            for (const auto& other : names) EXPECT_NE(wave.samples, other) << stem;
            names.push_back(wave.samples);
        }
    }
}

TEST(SoundTest, GlidesMoveThePitchTheWayTheirNamesSay) {
    struct Glide {
        const char* name;
        int direction;  // +1 rises, -1 falls
    };
    for (const Glide& glide :
         {Glide{"slideup", 1}, Glide{"slidedn", -1}, Glide{"blop", 1}, Glide{"fill", 1},
          Glide{"squeak", 1}, Glide{"pop", -1}, Glide{"bonk", -1}, Glide{"drum", -1}}) {
        const std::vector<std::int16_t> sound = Mastered(glide.name);
        ASSERT_FALSE(sound.empty()) << glide.name;
        const double early = CrossingRate(sound, 0.05, 0.35);
        const double late = CrossingRate(sound, 0.6, 0.9);
        ASSERT_GT(early, 0.0) << glide.name;
        ASSERT_GT(late, 0.0) << glide.name;
        if (glide.direction > 0)
            EXPECT_GT(late / early, 1.15) << glide.name << " does not rise";
        else
            EXPECT_LT(late / early, 1 / 1.15) << glide.name << " does not fall";
    }
    // Up and back down: highest in the middle.
    const std::vector<std::int16_t> slide = Mastered("slide");
    const double middle = CrossingRate(slide, 0.45, 0.55);
    EXPECT_GT(middle, 1.3 * CrossingRate(slide, 0.02, 0.12));
    EXPECT_GT(middle, 1.3 * CrossingRate(slide, 0.85, 0.95));
}

TEST(SoundTest, EveryEffectIsRepeatableDistinctAndMasteredWithoutClicks) {
    const std::vector<std::string>& names = Synth::EffectNames();
    std::vector<std::vector<std::int16_t>> made;
    for (const std::string& name : names) {
        const Synth::Samples raw = Synth::MakeEffect(name);
        ASSERT_FALSE(raw.empty()) << name;
        EXPECT_EQ(raw, Synth::MakeEffect(name)) << name << " differs between runs";
        const std::vector<std::int16_t> sound = Synth::Master(raw);
        int peak = 0;
        for (std::int16_t s : sound) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_NEAR(peak, 0.708 * 32767, 2) << name;
        EXPECT_EQ(sound.front(), 0) << name;
        EXPECT_LT(std::abs(sound.back()), 200) << name;
        for (const auto& other : made) EXPECT_NE(sound, other) << name << " repeats an effect";
        made.push_back(sound);
    }
    EXPECT_TRUE(Synth::MakeEffect("no such sound").empty());
    // Silence stays silence instead of being blown up to full scale.
    for (std::int16_t s : Synth::Master(Synth::Silence(0.1))) ASSERT_EQ(s, 0);
}

TEST(SoundTest, MasteringFadesBothEndsOfAFullScaleTone) {
    const Synth::Samples square(WaveFile::kRate / 2, 1.0f);  // a step: the worst click there is
    const std::vector<std::int16_t> out = Synth::Master(square);
    ASSERT_EQ(out.size(), square.size());
    // Rising over the first 4 ms, falling over the last 25 ms, flat between.
    EXPECT_EQ(out[0], 0);
    EXPECT_LT(out[40], out[80]);
    EXPECT_EQ(out[out.size() / 2], out[out.size() / 3]);
    const std::size_t fadeOut = WaveFile::kRate * 25 / 1000;
    EXPECT_GT(out[out.size() - fadeOut - 5], out[out.size() - fadeOut / 2]);
    EXPECT_LT(out.back(), 50);
}

TEST(SoundTest, WaveFilesReadBackAndDamagedOnesAreRefused) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 500; ++i)
        samples.push_back(static_cast<std::int16_t>((i * 977) % 65536 - 32768));
    const std::vector<std::uint8_t> bytes = WaveFile::Encode(samples);
    WaveFile wave;
    ASSERT_EQ(wave.Parse(bytes), "");
    EXPECT_EQ(wave.samples, samples);
    EXPECT_EQ(wave.rate, 22050);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_EQ(wave.Peak(), 32768);

    std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + bytes.size() / 2);
    EXPECT_NE(WaveFile().Parse(truncated), "");
    std::vector<std::uint8_t> notRiff = bytes;
    notRiff[0] = 'X';
    EXPECT_NE(WaveFile().Parse(notRiff), "");
    std::vector<std::uint8_t> compressed = bytes;
    compressed[20] = 2;  // format tag: not PCM
    EXPECT_NE(WaveFile().Parse(compressed), "");
    EXPECT_NE(WaveFile().Parse({}), "");
}
