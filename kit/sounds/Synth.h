#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Sound effects built from oscillators and noise at 22050 Hz, mono. Every effect is
// deterministic (the noise comes from a fixed-seed generator), so two runs write the
// same bytes. Finished sounds are mastered to a peak of about -3 dBFS with short fades,
// so nothing clicks when the program starts or cuts a sound.
class Synth {
  public:
    using Samples = std::vector<float>;
    enum class Wave { Sine, Square, Saw, Triangle };

    static constexpr int kRate = 22050;

    // Names MakeEffect knows: the 21 fill sounds ("blop", "ahooga", ... "zip_hit"), the
    // screen sounds ("click", "brush", "bigbrush", "fill", "eraser", "bigeraser",
    // "pgturn", "pgturn2", "slidesnd", "wink", "shimmer") and object sounds for stories: "bark",
    // "meow", "moo", "quack", "tweet", "bell", "doorbell", "splash", "honk", "drum", "pop",
    // "whoosh", "twinkle", "buzz", "ding", "knock", "ribbit", "hoot", "tick", "engine",
    // "rain", "neigh", "oink", "baa", "chime", "crunch", "munch", "snore", "squeak".
    static const std::vector<std::string>& EffectNames();
    // The raw effect, samples in -1..1 before mastering; empty for an unknown name.
    static Samples MakeEffect(const std::string& name);
    // Normalises to about -3 dBFS, fades in 4 ms and out 25 ms, converts to 16 bits.
    static std::vector<std::int16_t> Master(const Samples& samples);

    // Building blocks, usable for sounds of one's own.
    // A tone gliding exponentially from f0 to f1 Hz over `seconds`, with an attack of
    // `attack` seconds and an exponential decay to 1/1000 (decay 0: none).
    static Samples Tone(Wave wave, double f0, double f1, double seconds, double attack = 0.005,
                        double decay = 0.0);
    // A tone whose pitch wobbles: f + depth * f * sin(2 pi rate t), depth shrinking by `damp`.
    static Samples Wobble(Wave wave, double f, double depth, double rate, double seconds,
                          double damp);
    // White noise through a one-pole low-pass at `cutoff` Hz, decaying over `seconds`.
    static Samples Noise(double seconds, double cutoff, std::uint32_t seed, double decay = 1.0);
    // A sweeping band-pass ("wah") over a source: centre glides from c0 to c1 Hz.
    static Samples Wah(const Samples& source, double c0, double c1, double q = 4.0);
    // Mixes `b` into `a` starting at `offsetSeconds`, scaled by `gain`.
    static void MixInto(Samples& a, const Samples& b, double offsetSeconds, double gain = 1.0);
    static Samples Silence(double seconds);
};

// Makes the named effect, masters it and writes it as a 16-bit mono 22050 Hz wave file.
// False for an unknown name or a write failure.
bool SynthToWave(const std::string& effect, const std::string& wavPath);
