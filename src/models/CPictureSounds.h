#pragma once
#include <array>
#include <string>

#include "sound/CBasicSound.h"

// The sounds of one scene: a sound per object (entries may share a file, loaded once on its
// first play) and the voice-over. Everything loaded is let go by Release.
class CPictureSounds {
  public:
    static constexpr int kMaxSounds = 50;

    CPictureSounds() = default;
    CPictureSounds(const CPictureSounds&) = delete;
    CPictureSounds& operator=(const CPictureSounds&) = delete;

    // Forgets every entry and the voice-over (freeing what was loaded).
    void Clear();
    // Reads the objectSound entries ("id,file") of a sound block; files are in
    // `soundsFolder`. At most kMaxSounds entries are read.
    void LoadObjectSounds(const std::string& soundBlock, const std::string& depthPrefix,
                          const std::string& soundsFolder);
    void SetVoiceOverFile(const std::string& path) { m_voiceOverFile = path; }

    bool PlayObjectSound(int objectId);
    bool PlayVoiceOver();
    int GetObjectSoundCount() const { return m_entryCount; }
    // Index into the distinct sound files of the entry for `objectId` (first match), or -1.
    int FindSoundSlot(int objectId) const;
    bool IsSoundLoaded(int slot) const;

    bool Release();
    bool HoldsResources() const;

  private:
    struct Entry {
        std::string fileName;
        int soundIndex = 0;
        int objectId = 0;
    };

    void AddEntry(const std::string& entry, int& distinct);

    std::string m_soundsFolder;
    std::array<Entry, kMaxSounds> m_entries;
    std::array<CBasicSound, kMaxSounds> m_sounds;
    std::array<std::string, kMaxSounds> m_soundNames;
    int m_entryCount = 0;
    CBasicSound m_voiceOver;
    std::string m_voiceOverFile;
};
