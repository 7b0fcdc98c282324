#pragma once
#include <string>

#include "platform/sound/AudioOutput.h"
#include "platform/base/CObject.h"
#include "platform/base/WinTypes.h"

// A wave file held whole in memory and played through the platform's wave player.
// The program-wide sound switch mutes every play that is not forced.
//
// The data is shared with the player while it plays, so freeing, reloading or
// destroying the sound mid-play never pulls the samples from under the player.
class CBasicSound : public CObject {
  public:
    // The play flags the program uses.
    static constexpr UINT kObjectSound = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP;
    static constexpr UINT kInterruptingSound = SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
    static constexpr UINT kWaitingSound = SND_NODEFAULT | SND_MEMORY;

    CBasicSound() = default;
    ~CBasicSound() override;

    // Reads the whole file at `path`. When it cannot be opened or read, returns false
    // and keeps whatever was loaded before.
    bool Load(const std::string& path);
    // Forgets the data (the player keeps its own reference while it still plays).
    bool Free();
    bool IsLoaded() const { return m_waveData != nullptr; }
    // The file the data came from; empty when nothing is loaded.
    const std::string& GetPath() const { return m_path; }

    // Plays the data with the player's flags. With the sound switch off and `force`
    // false nothing is heard and the result is true. False when nothing is loaded or
    // the player refuses (a SND_NOSTOP play meeting a playing sound, unplayable data).
    bool Play(UINT flags, bool force = false) const;

    static void StopAll();
    static bool IsSoundOn() { return s_soundOn; }
    static void SetSoundOn(bool on) { s_soundOn = on; }

  private:
    static bool ReadWhole(const std::string& path, WaveBytes* wave);

    static inline bool s_soundOn = true;
    WaveBytes m_waveData;
    std::string m_path;
};
