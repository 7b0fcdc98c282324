#include "platform/backend/sdl/SdlAudio.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

namespace {

// A wave read by SDL's own reader, its samples released with the object.
struct DecodedWave {
    SDL_AudioSpec audio{};
    Uint8* samples = nullptr;
    Uint32 length = 0;

    DecodedWave() = default;
    ~DecodedWave() { SDL_FreeWAV(samples); }
    DecodedWave(const DecodedWave&) = delete;
    DecodedWave& operator=(const DecodedWave&) = delete;

    bool Read(const std::vector<BYTE>& image) {
        if (image.empty() || image.size() > static_cast<std::size_t>(INT_MAX)) return false;
        SDL_RWops* source = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
        if (source == nullptr) return false;
        return SDL_LoadWAV_RW(source, 1, &audio, &samples, &length) != nullptr;
    }
};

// The sound libraries under SDL print their failed probes to standard error. A machine
// without a sound card is ordinary for this program, so while the device is looked for
// standard error goes to /dev/null.
class QuietStandardError {
  public:
    QuietStandardError() {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
        if (sink >= 0) close(sink);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (m_saved < 0) return;
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int m_saved = -1;
};

struct StreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

// Converts the whole wave to the device's sample format, rate and channels.
bool ConvertTo(const SDL_AudioSpec& device, const DecodedWave& wave, std::vector<Uint8>* out) {
    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(
        SDL_NewAudioStream(wave.audio.format, wave.audio.channels, wave.audio.freq, device.format,
                           device.channels, device.freq));
    if (!stream) return false;
    if (wave.length > static_cast<Uint32>(INT_MAX)) return false;
    if (SDL_AudioStreamPut(stream.get(), wave.samples, static_cast<int>(wave.length)) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0)
        return false;
    out->resize(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())));
    if (out->empty()) return true;
    return SDL_AudioStreamGet(stream.get(), out->data(), static_cast<int>(out->size())) ==
           static_cast<int>(out->size());
}

Uint64 DurationMs(const SDL_AudioSpec& device, std::size_t bytes) {
    const std::size_t frameBytes = device.channels * (SDL_AUDIO_BITSIZE(device.format) / 8);
    if (frameBytes == 0 || device.freq <= 0) return 0;
    const Uint64 frames = bytes / frameBytes;
    const auto rate = static_cast<Uint64>(device.freq);
    return (frames * 1000 + rate - 1) / rate;
}

}  // namespace

struct SdlAudio::Impl {
    enum class State { Unopened, Open, Missing };
    State state = State::Unopened;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec audio{};
    Uint64 endTicks = 0;  // when the queued sound has played to its end
    static constexpr Uint64 kIdleBeforeRelease = 1000;

    ~Impl() { Close(); }

    bool EnsureDevice();
    void Close();
    bool IsPlaying() const;
    void Stop();
    void Start(const std::vector<Uint8>& samples);
    void WaitForEnd() const;
};

bool SdlAudio::Impl::EnsureDevice() {
    if (state != State::Unopened) return state == State::Open;
    state = State::Missing;
    QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec desired{};
    desired.freq = 44100;
    desired.format = AUDIO_S16SYS;
    desired.channels = 2;
    desired.samples = 1024;
    device = SDL_OpenAudioDevice(nullptr, 0, &desired, &audio, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // The device stays paused until Start has queued a sound.
    state = State::Open;
    return true;
}

void SdlAudio::Impl::Close() {
    if (state != State::Open) return;
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device = 0;
    state = State::Unopened;
}

// Playing while samples wait in the queue or the last of them is still being heard.
bool SdlAudio::Impl::IsPlaying() const {
    if (state != State::Open) return false;
    return SDL_GetQueuedAudioSize(device) > 0 || SDL_GetTicks64() < endTicks;
}

void SdlAudio::Impl::Stop() {
    if (state != State::Open) return;
    SDL_ClearQueuedAudio(device);
    endTicks = 0;
}

void SdlAudio::Impl::Start(const std::vector<Uint8>& samples) {
    Stop();
    if (!samples.empty())
        SDL_QueueAudio(device, samples.data(), static_cast<Uint32>(samples.size()));
    SDL_PauseAudioDevice(device, 0);
    endTicks = SDL_GetTicks64() + DurationMs(audio, samples.size());
}

// Blocks until the sound has ended. A device that stops draining its queue cannot hold
// the program: the wait gives up a second after the sound should have ended.
void SdlAudio::Impl::WaitForEnd() const {
    const Uint64 giveUp = endTicks + 1000;
    while (IsPlaying()) {
        const Uint64 now = SDL_GetTicks64();
        if (now >= giveUp) return;
        const Uint64 left = endTicks > now ? endTicks - now : 1;
        SDL_Delay(static_cast<Uint32>(std::min<Uint64>(left, 10)));
    }
}

SdlAudio::SdlAudio() : m_impl(std::make_unique<Impl>()) {}

SdlAudio::~SdlAudio() = default;

bool SdlAudio::Play(WaveBytes wave, const std::string& label, UINT flags) {
    (void)label;  // the real player keeps no record
    DecodedWave decoded;
    if (!wave || !decoded.Read(*wave)) return false;
    if (!m_impl->EnsureDevice()) return true;
    if ((flags & SND_NOSTOP) != 0 && m_impl->IsPlaying()) return false;
    std::vector<Uint8> samples;
    if (!ConvertTo(m_impl->audio, decoded, &samples)) return false;
    m_impl->Start(samples);
    if ((flags & SND_ASYNC) == 0) m_impl->WaitForEnd();
    return true;
}

void SdlAudio::StopAll() {
    m_impl->Stop();
}

bool SdlAudio::IsPlaying() {
    return m_impl->IsPlaying();
}

bool SdlAudio::HasDevice() const {
    return m_impl->state == Impl::State::Open;
}

DWORD SdlAudio::MillisecondsUntilRelease() const {
    if (m_impl->state != Impl::State::Open) return INFINITE;
    const Uint64 releaseAt = m_impl->endTicks + Impl::kIdleBeforeRelease;
    const Uint64 now = SDL_GetTicks64();
    return now >= releaseAt ? 0 : static_cast<DWORD>(releaseAt - now);
}

void SdlAudio::ReleaseIfIdle() {
    if (m_impl->state != Impl::State::Open || m_impl->IsPlaying()) return;
    if (MillisecondsUntilRelease() == 0) m_impl->Close();
}
