#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

// Flags of the wave player, passed through unchanged from the program's sounds.
constexpr UINT SND_SYNC = 0x0000;       // wait until the sound has ended
constexpr UINT SND_ASYNC = 0x0001;      // return at once, play in the background
constexpr UINT SND_NODEFAULT = 0x0002;  // no substitute sound when the data cannot be played
constexpr UINT SND_MEMORY = 0x0004;     // the sound is a wave image in memory
constexpr UINT SND_NOSTOP = 0x0010;     // never interrupt a playing sound: fail instead

// A complete RIFF WAVE file image. Shared so that an output can keep what it plays
// alive even when the sound that handed it over is freed or reloaded mid-play.
using WaveBytes = std::shared_ptr<const std::vector<BYTE>>;

// The platform's wave player: one sound at a time.
//
// Play(wave, label, flags):
//  - refuses (false) data that is not a playable wave; no substitute sound is ever
//    played, so SND_NODEFAULT changes nothing;
//  - with SND_NOSTOP, refuses (false) while another sound is still playing;
//  - otherwise stops the sound that plays, starts this one and returns true; with
//    SND_ASYNC at once, without it only after the sound has ended;
//  - the image is always in memory: SND_MEMORY is expected and otherwise ignored.
// `label` names the sound (its file path) for logs and records.
// StopAll() stops whatever plays; nothing happens when nothing plays.
class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    virtual bool Play(WaveBytes wave, const std::string& label, UINT flags) = 0;
    virtual void StopAll() = 0;
    // True while a sound is audible (started and neither ended nor stopped).
    virtual bool IsPlaying() = 0;
};

// The process-wide output the program's sounds play through. The backend owns it and
// installs it at start-up; it must uninstall it (SetAudioOutput(nullptr)) before
// destroying it. Returns the output installed before.
//
// With no output installed the machine has no sound: every play of loaded data returns
// true at once and nothing is heard, as if the sound had been played in no time.
AudioOutput* SetAudioOutput(AudioOutput* output);
AudioOutput* GetAudioOutput();
