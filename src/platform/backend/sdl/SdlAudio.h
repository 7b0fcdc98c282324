#pragma once
#include <memory>
#include <string>

#include "platform/backend/EventPort.h"
#include "platform/sound/AudioOutput.h"

// The wave player on an SDL audio device: one sound at a time, converted to the
// device's format and queued whole.
//
// The device opens on the first play and is closed again once no sound has played for
// a second: SDL's audio thread wakes for every buffer even while paused, so only a closed
// device lets an idle program sleep. The next play opens it again, paused until the
// whole sound is queued, so its start is never lost.
//
// The device opens on the first play. A machine where it cannot open has no sound:
// every play of a readable wave then returns true at once, silently, and the failure
// is remembered so no later play tries (or waits) again. With SDL_AUDIODRIVER=dummy
// the device opens and every sound takes its real time without being heard.
//
// Destroy the player before SDL_Quit: it shuts down the audio subsystem it started.
class SdlAudio : public AudioOutput {
  public:
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool Play(WaveBytes wave, const std::string& label, UINT flags) override;
    void StopAll() override;
    bool IsPlaying() override;

    // True while a device is open; false before the first play, after a second of
    // silence and without a device.
    bool HasDevice() const;
    // How long until the device may be closed (INFINITE when none is open): the longest
    // an event wait may last so that ReleaseIfIdle runs in time.
    DWORD MillisecondsUntilRelease() const;
    // Closes the device when no sound has played for a second.
    void ReleaseIfIdle();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
