#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/sound/AudioOutput.h"

// The wave player of the headless backend: nothing is heard, but every play takes its
// time on the backend's virtual clock, one sound at a time, with the same rules as the
// real player. Every play is recorded so scripted runs and tests can see what sounded.
class HeadlessAudio : public AudioOutput {
  public:
    struct PlayRecord {
        std::string label;
        UINT flags = 0;
        DWORD start = 0;  // virtual time the play was asked for
        DWORD end = 0;    // when it ended: early when stopped, == start when refused
        bool refused = false;
    };

    // `now` reads the virtual clock; `waitFor` blocks for a span, advancing it.
    HeadlessAudio(std::function<DWORD()> now, std::function<void(DWORD ms)> waitFor);

    bool Play(WaveBytes wave, const std::string& label, UINT flags) override;
    void StopAll() override;
    bool IsPlaying() override;

    const std::vector<PlayRecord>& GetRecord() const { return m_record; }
    // The data of the sound that plays now, or null: the player's own reference.
    WaveBytes GetPlayingWave();

    // How long a wave image plays, in milliseconds rounded up; -1 when the image is
    // not a playable wave (no RIFF WAVE header, no or broken format or data chunk,
    // an encoding the player cannot decode). A data chunk cut short plays the whole
    // sample blocks that are there.
    static long long WaveDuration(const BYTE* data, std::size_t size);

  private:
    bool Refuse(const std::string& label, UINT flags);
    void StopPlaying();

    std::function<DWORD()> m_now;
    std::function<void(DWORD ms)> m_waitFor;
    std::vector<PlayRecord> m_record;
    std::size_t m_playingIndex = 0;  // record of the sound in m_playingWave
    WaveBytes m_playingWave;
};
