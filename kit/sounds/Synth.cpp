#include "sounds/Synth.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "sounds/WaveFile.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
using Samples = Synth::Samples;
using W = Synth::Wave;

std::size_t Count(double seconds) {
    return static_cast<std::size_t>(seconds * Synth::kRate);
}

double Shape(W wave, double phase) {
    const double p = phase - std::floor(phase);
    switch (wave) {
        case W::Sine:
            return std::sin(2 * kPi * p);
        case W::Square:
            return std::tanh(3.0 * std::sin(2 * kPi * p));  // soft edges
        case W::Saw:
            return 2.0 * p - 1.0;
        case W::Triangle:
            return 1.0 - 4.0 * std::fabs(p - 0.5);
    }
    return 0.0;
}

// `count` samples of a wave whose frequency (Hz) and amplitude follow `frequencyAt(t)` and
// `amplitudeAt(t)`, t in seconds; the phase accumulates so gliding pitches stay smooth.
template <class Frequency, class Amplitude>
Samples Oscillate(W wave, std::size_t count, Frequency frequencyAt, Amplitude amplitudeAt) {
    Samples out(count);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / Synth::kRate;
        out[i] = static_cast<float>(amplitudeAt(t) * Shape(wave, phase));
        phase += frequencyAt(t) / Synth::kRate;
    }
    return out;
}

// Deterministic noise source: xorshift32 mapped to -1..1.
class NoiseSource {
  public:
    explicit NoiseSource(std::uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    double Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

  private:
    std::uint32_t m_state;
};

Samples Concat(std::initializer_list<Samples> parts) {
    Samples out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// `count` sounds made by `make(i)`, the i-th starting `step * i` seconds in, scaled by `gain`.
Samples Repeated(int count, double step, const std::function<Samples(int)>& make,
                 double gain = 1.0) {
    Samples out;
    for (int i = 0; i < count; ++i) Synth::MixInto(out, make(i), step * i, gain);
    return out;
}

Samples Scaled(Samples s, double gain) {
    for (float& v : s) v = static_cast<float>(v * gain);
    return s;
}

Samples LowPass(Samples s, double cutoff) {
    const double a = 1.0 - std::exp(-2 * kPi * cutoff / Synth::kRate);
    double y = 0;
    for (float& v : s) v = static_cast<float>(y += a * (v - y));
    return s;
}

// A struck tone: fundamental plus partials, each decaying faster the higher it is.
Samples Struck(double f, const std::vector<double>& ratios, double seconds) {
    Samples out = Synth::Tone(W::Sine, f, f, seconds, 0.002, seconds);
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const double fi = f * ratios[i];
        Synth::MixInto(out, Synth::Tone(W::Sine, fi, fi, seconds, 0.001, seconds / (i + 2.0)), 0,
                       0.5 / (i + 1.0));
    }
    return out;
}

Samples Knock(double f, std::uint32_t seed) {
    Samples s = Synth::Tone(W::Sine, f * 1.6, f, 0.12, 0.001, 0.1);
    Synth::MixInto(s, Synth::Noise(0.03, 2500, seed, 3.0), 0, 0.6);
    return s;
}

Samples Xylo(const std::vector<double>& notes, double step) {
    return Repeated(static_cast<int>(notes.size()), step, [&notes](int i) {
        return Struck(notes[i], {3.98, 9.2}, 0.35);
    });
}

Samples SlideWhistle(double f0, double f1, double seconds) {
    Samples s = Synth::Tone(W::Sine, f0, f1, seconds, 0.03);
    Synth::MixInto(s, Synth::Noise(seconds, 4000, 7, 0.2), 0, 0.04);
    return s;
}

Samples Vocal(double f0, double f1, double seconds, double c0, double c1) {
    return Synth::Wah(Synth::Tone(W::Saw, f0, f1, seconds, 0.02), c0, c1, 3.0);
}

Samples Horn(double f0, double f1, double seconds) {
    Samples s = Synth::Tone(W::Saw, f0, f1, seconds, 0.03);
    Synth::MixInto(s, Synth::Tone(W::Square, f0 * 1.005, f1 * 1.005, seconds, 0.03), 0, 0.5);
    return LowPass(s, 1800);
}

using Maker = std::function<Samples()>;

const std::map<std::string, Maker>& Makers() {
    static const std::map<std::string, Maker> makers = {
        // The region-fill sounds.
        {"blop", [] { return Synth::Tone(W::Sine, 260, 900, 0.16, 0.003, 0.16); }},
        {"ahooga",
         [] {
             return Concat({Horn(180, 330, 0.45), Horn(330, 260, 0.5)});
         }},
        {"4knocks", [] { return Repeated(4, 0.2, [](int i) { return Knock(170, 11 + i); }); }},
        {"badsax",
         [] {
             Samples s = Synth::Wobble(W::Saw, 233, 0.04, 5.5, 0.9, 0.5);
             Synth::MixInto(s, Synth::Tone(W::Saw, 236, 180, 0.9, 0.05), 0, 0.6);
             return Synth::Wah(s, 500, 1400, 2.0);
         }},
        {"bigboing", [] { return Synth::Wobble(W::Triangle, 110, 0.45, 9, 1.3, 2.2); }},
        {"boing", [] { return Synth::Wobble(W::Triangle, 220, 0.35, 13, 0.7, 4.0); }},
        {"bonk",
         [] {
             Samples s = Synth::Tone(W::Sine, 300, 120, 0.25, 0.001, 0.25);
             Synth::MixInto(s, Synth::Noise(0.03, 3000, 3, 3.0), 0, 0.5);
             return s;
         }},
        {"bonk5",
         [] {
             return Repeated(5, 0.16, [](int i) {
                 const double notes[] = {392, 330, 294, 262, 196};
                 return Synth::Tone(W::Sine, notes[i] * 1.3, notes[i], 0.2, 0.001, 0.2);
             });
         }},
        {"quahh", [] { return Vocal(330, 250, 0.45, 1400, 700); }},
        {"rbrband",
         [] {
             Samples s = Synth::Wobble(W::Triangle, 160, 0.08, 14, 0.8, 3.0);
             for (std::size_t i = 0; i < s.size(); ++i)
                 s[i] *= static_cast<float>(std::exp(-4.0 * i / s.size()));
             return s;
         }},
        {"shrtxylo",
         [] {
             return Xylo({523, 659, 784, 1047, 1319}, 0.11);
         }},
        {"slide",
         [] {
             return Concat({SlideWhistle(500, 1500, 0.55), SlideWhistle(1500, 500, 0.55)});
         }},
        {"slidedn", [] { return SlideWhistle(1600, 400, 0.8); }},
        {"slideup", [] { return SlideWhistle(400, 1600, 0.8); }},
        {"tinhit",
         [] {
             return Struck(523, {2.27, 3.52, 5.03, 6.8}, 0.7);
         }},
        {"toot", [] { return LowPass(Synth::Tone(W::Square, 440, 440, 0.35, 0.02), 2500); }},
        {"uwhaa", [] { return Vocal(200, 140, 0.8, 300, 1500); }},
        {"waheepf",
         [] {
             Samples s = Vocal(220, 440, 0.6, 400, 2200);
             Synth::MixInto(s, Synth::Noise(0.2, 1200, 5, 1.0), 0.6, 0.8);
             return s;
         }},
        {"whaa", [] { return Vocal(180, 160, 0.6, 350, 1800); }},
        {"whistl2",
         [] {
             return Concat({Synth::Tone(W::Sine, 900, 2200, 0.3, 0.02), Synth::Silence(0.08),
                            Synth::Tone(W::Sine, 1800, 700, 0.5, 0.02)});
         }},
        {"zip_hit",
         [] {
             Samples s = Synth::Wah(Synth::Noise(0.22, 9000, 9, 0.0), 400, 5000, 6.0);
             Synth::MixInto(s, Knock(120, 21), 0.22, 1.2);
             return s;
         }},
        // Screen and tool sounds.
        {"click", [] { return Knock(900, 31); }},
        {"brush", [] { return Synth::Wah(Synth::Noise(0.3, 6000, 41, 0.3), 1500, 3500, 3.0); }},
        {"bigbrush",
         [] { return Scaled(Synth::Wah(Synth::Noise(0.5, 4000, 43, 0.3), 500, 1500, 2.0), 1.0); }},
        {"fill",
         [] {
             return Concat({Synth::Tone(W::Sine, 300, 600, 0.12, 0.005, 0.4),
                            Synth::Tone(W::Sine, 600, 1200, 0.25, 0.005, 0.25)});
         }},
        {"eraser",
         [] {
             return Repeated(3, 0.1, [](int i) {
                 return Synth::Wah(Synth::Noise(0.09, 5000, 51 + i, 0.2), 2500, 1200);
             });
         }},
        {"bigeraser",
         [] {
             return Repeated(3, 0.17, [](int i) {
                 return Synth::Wah(Synth::Noise(0.16, 3000, 61 + i, 0.2), 1200, 500);
             });
         }},
        {"pgturn", [] { return Synth::Wah(Synth::Noise(0.35, 7000, 71, 0.6), 800, 3000, 1.5); }},
        {"pgturn2", [] { return Synth::Wah(Synth::Noise(0.35, 7000, 73, 0.6), 3000, 800, 1.5); }},
        {"slidesnd",
         [] {
             Samples s = Knock(600, 81);
             Synth::MixInto(s, Knock(450, 83), 0.12);
             Synth::MixInto(s, Synth::Noise(0.25, 5000, 85, 0.5), 0.05, 0.2);
             return s;
         }},
        // The colouring screen's sun winks with a bubbly bloop; its rainbow shimmers with a
        // glissando of bell notes.
        {"wink",
         [] {
             Samples s = Synth::Tone(W::Sine, 260, 720, 0.16, 0.004, 0.3);
             Synth::MixInto(s, Synth::Tone(W::Sine, 1300, 1900, 0.08, 0.002, 0.08), 0.16, 0.5);
             return s;
         }},
        {"shimmer",
         [] {
             return Repeated(10, 0.055, [](int i) {
                 return Struck(880 * std::pow(2.0, i / 5.0), {2.76}, 0.3);
             });
         }},
        // Object sounds for stories.
        {"bark",
         [] {
             Samples s = Vocal(420, 250, 0.16, 1800, 700);
             Synth::MixInto(s, Synth::Noise(0.12, 2500, 91, 1.0), 0, 0.4);
             Samples two = s;
             Synth::MixInto(two, s, 0.3);
             return two;
         }},
        {"meow", [] { return Vocal(500, 420, 0.7, 700, 1900); }},
        {"moo", [] { return LowPass(Vocal(130, 110, 1.1, 250, 700), 1500); }},
        {"quack",
         [] {
             Samples s = Vocal(300, 260, 0.18, 1500, 900);
             Synth::MixInto(s, Vocal(300, 250, 0.2, 1500, 900), 0.28);
             return s;
         }},
        {"tweet",
         [] {
             return Repeated(
                 3, 0.14, [](int) { return Synth::Tone(W::Sine, 2600, 4200, 0.09, 0.005, 0.09); });
         }},
        {"bell",
         [] {
             return Struck(660, {2.0, 2.76, 5.4}, 1.3);
         }},
        {"doorbell",
         [] {
             Samples s = Struck(659, {2.0, 3.0}, 0.7);
             Synth::MixInto(s, Struck(523, {2.0, 3.0}, 0.8), 0.5);
             return s;
         }},
        {"splash",
         [] {
             Samples s = Synth::Noise(0.7, 5000, 101, 1.0);
             Synth::MixInto(s, Synth::Tone(W::Sine, 200, 600, 0.1, 0.002, 0.1), 0, 0.6);
             return s;
         }},
        {"honk",
         [] {
             return Concat({Horn(350, 350, 0.25), Synth::Silence(0.08), Horn(350, 350, 0.3)});
         }},
        {"drum",
         [] {
             Samples s = Synth::Tone(W::Sine, 140, 60, 0.5, 0.001, 0.5);
             Synth::MixInto(s, Synth::Noise(0.05, 3000, 111, 2.0), 0, 0.4);
             return s;
         }},
        {"pop", [] { return Synth::Tone(W::Sine, 900, 300, 0.08, 0.001, 0.08); }},
        {"whoosh", [] { return Synth::Wah(Synth::Noise(0.8, 8000, 121, 0.3), 300, 3000, 1.5); }},
        {"twinkle",
         [] {
             return Xylo({1568, 2093, 1760, 2637, 2349}, 0.09);
         }},
        {"buzz", [] { return LowPass(Synth::Wobble(W::Saw, 190, 0.06, 7, 0.9, 0.0), 2200); }},
        {"ding",
         [] {
             return Struck(1319, {2.4, 4.1}, 0.9);
         }},
        {"knock", [] { return Repeated(3, 0.17, [](int i) { return Knock(200, 131 + i); }); }},
        {"ribbit",
         [] {
             Samples s = Synth::Wah(Synth::Wobble(W::Square, 140, 0.2, 40, 0.25, 0), 600, 900);
             Synth::MixInto(
                 s, Synth::Wah(Synth::Wobble(W::Square, 120, 0.2, 40, 0.25, 0), 600, 800), 0.35);
             return s;
         }},
        {"hoot",
         [] {
             return Concat({Synth::Tone(W::Sine, 400, 380, 0.3, 0.04), Synth::Silence(0.1),
                            Synth::Tone(W::Sine, 420, 360, 0.5, 0.05)});
         }},
        {"tick",
         [] {
             return Repeated(
                 4, 0.3, [](int i) { return Knock(i % 2 ? 1500 : 1200, 141 + i); }, 0.8);
         }},
        {"engine",
         [] {
             Samples s = Synth::Wobble(W::Saw, 55, 0.1, 12, 1.2, 0.0);
             Synth::MixInto(s, Synth::Noise(1.2, 600, 151, 0.0), 0, 0.5);
             return LowPass(s, 900);
         }},
        {"rain",
         [] {
             Samples s = Synth::Noise(1.2, 6000, 161, 0.0);
             for (int i = 0; i < 14; ++i)
                 Synth::MixInto(s,
                                Synth::Tone(W::Sine, 1800 + 130 * (i % 5), 1200, 0.03, 0.001, 0.03),
                                0.08 * i + 0.013 * (i % 3), 0.5);
             return Scaled(s, 0.7);
         }},
        {"neigh",
         [] { return Synth::Wah(Synth::Wobble(W::Saw, 500, 0.12, 16, 1.0, 0.6), 1800, 600, 3.0); }},
        {"oink",
         [] {
             Samples s = Vocal(180, 150, 0.2, 900, 600);
             Synth::MixInto(s, Vocal(190, 150, 0.2, 900, 600), 0.3);
             return s;
         }},
        {"baa",
         [] { return Synth::Wah(Synth::Wobble(W::Saw, 260, 0.05, 22, 0.8, 0.0), 900, 700, 3.0); }},
        {"chime",
         [] {
             return Xylo({1047, 1319, 1568, 2093}, 0.18);
         }},
        {"crunch",
         [] {
             return Repeated(5, 0.09, [](int i) { return Synth::Noise(0.07, 3500, 171 + i, 2.0); });
         }},
        {"munch",
         [] {
             return Repeated(3, 0.22, [](int i) { return Synth::Noise(0.12, 1200, 181 + i, 1.5); });
         }},
        {"snore",
         [] {
             Samples s = LowPass(Synth::Wobble(W::Saw, 70, 0.1, 30, 0.8, 0.0), 700);
             Synth::MixInto(s, Synth::Noise(0.5, 2000, 191, 0.5), 0.8, 0.3);
             return s;
         }},
        {"squeak", [] { return Synth::Tone(W::Sine, 2200, 3200, 0.15, 0.01, 0.3); }},
    };
    return makers;
}

}  // namespace

const std::vector<std::string>& Synth::EffectNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& [name, maker] : Makers()) out.push_back(name);
        return out;
    }();
    return names;
}

Synth::Samples Synth::MakeEffect(const std::string& name) {
    const auto it = Makers().find(name);
    return it == Makers().end() ? Samples{} : it->second();
}

std::vector<std::int16_t> Synth::Master(const Samples& samples) {
    // Fade first, then normalise, so the loudest sample left is the one that sets the level.
    const std::size_t fadeIn = Count(0.004);
    const std::size_t fadeOut = Count(0.025);
    const std::size_t n = samples.size();
    std::vector<double> faded(samples.begin(), samples.end());
    for (std::size_t i = 0; i < n; ++i) {
        if (i < fadeIn) faded[i] *= static_cast<double>(i) / fadeIn;
        if (n - i <= fadeOut)
            faded[i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(n - 1 - i) / fadeOut);
    }
    double peak = 0;
    for (double v : faded) peak = std::max(peak, std::fabs(v));
    const double gain = peak > 0 ? 0.708 / peak : 0.0;  // -3 dBFS
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::int16_t>(
            std::lround(std::clamp(faded[i] * gain, -1.0, 1.0) * 32767.0));
    return out;
}

Synth::Samples Synth::Tone(Wave wave, double f0, double f1, double seconds, double attack,
                           double decay) {
    return Oscillate(
        wave, Count(seconds),
        [=](double t) { return (f0 > 0 && f1 > 0) ? f0 * std::pow(f1 / f0, t / seconds) : 0.0; },
        [=](double t) {
            double amp = attack > 0 ? std::min(1.0, t / attack) : 1.0;
            if (decay > 0) amp *= std::exp(-6.9 * t / decay);
            return amp;
        });
}

Synth::Samples Synth::Wobble(Wave wave, double f, double depth, double rate, double seconds,
                             double damp) {
    return Oscillate(
        wave, Count(seconds),
        [=](double t) {
            const double d = depth * std::exp(-damp * t);
            return f * (1.0 + d * std::sin(2 * kPi * rate * t));
        },
        [=](double t) { return std::min(1.0, t / 0.005) * std::exp(-damp * 0.5 * t); });
}

Synth::Samples Synth::Noise(double seconds, double cutoff, std::uint32_t seed, double decay) {
    NoiseSource source(seed);
    Samples out(Count(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / out.size();
        out[i] = static_cast<float>(source.Next() * std::exp(-6.9 * decay * t));
    }
    return LowPass(out, cutoff);
}

Synth::Samples Synth::Wah(const Samples& source, double c0, double c1, double q) {
    Samples out(source.size());
    double low = 0, band = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const double t = source.size() > 1 ? static_cast<double>(i) / (source.size() - 1) : 0.0;
        const double centre = c0 * std::pow(c1 / c0, t);
        const double f = 2.0 * std::sin(kPi * std::min(centre, kRate / 6.0) / kRate);
        low += f * band;
        const double high = source[i] - low - band / q;
        band += f * high;
        out[i] = static_cast<float>(band);
    }
    return out;
}

void Synth::MixInto(Samples& a, const Samples& b, double offsetSeconds, double gain) {
    const std::size_t offset = Count(offsetSeconds);
    if (a.size() < offset + b.size()) a.resize(offset + b.size(), 0.0f);
    for (std::size_t i = 0; i < b.size(); ++i) a[offset + i] += static_cast<float>(b[i] * gain);
}

Synth::Samples Synth::Silence(double seconds) {
    return Samples(Count(seconds), 0.0f);
}

bool SynthToWave(const std::string& effect, const std::string& wavPath) {
    const Synth::Samples raw = Synth::MakeEffect(effect);
    return !raw.empty() && WriteWave(wavPath, Synth::Master(raw));
}
