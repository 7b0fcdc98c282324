#include "models/CPictureSounds.h"

#include <algorithm>
#include <cstdlib>

#include "models/CDescParser.h"

void CPictureSounds::Clear() {
    Release();
    m_soundsFolder.clear();
    m_voiceOverFile.clear();
    m_entryCount = 0;
}

void CPictureSounds::AddEntry(const std::string& entry, int& distinct) {
    const std::size_t comma = entry.find(',');
    Entry& sound = m_entries[m_entryCount];
    sound.objectId = std::atoi(entry.substr(0, comma).c_str());
    sound.fileName = comma == std::string::npos ? std::string() : entry.substr(comma + 1);
    const auto names = m_soundNames.begin();
    const auto found = std::find(names, names + distinct, sound.fileName);
    sound.soundIndex = static_cast<int>(found - names);
    if (found == names + distinct) m_soundNames[distinct++] = sound.fileName;
    ++m_entryCount;
}

void CPictureSounds::LoadObjectSounds(const std::string& soundBlock, const std::string& depthPrefix,
                                      const std::string& soundsFolder) {
    m_soundsFolder = soundsFolder;
    m_entryCount = 0;
    const CDescParser parser;
    int distinct = 0;
    int position = 0;
    while (m_entryCount < kMaxSounds) {
        std::string prefix = depthPrefix;
        int next = position;
        const std::string entry =
            parser.GetValue(soundBlock, "objectSound", position, next, prefix);
        if (entry.empty()) break;
        AddEntry(entry, distinct);
        position = next;
    }
}

int CPictureSounds::FindSoundSlot(int objectId) const {
    for (int i = 0; i < m_entryCount; ++i)
        if (m_entries[i].objectId == objectId) return m_entries[i].soundIndex;
    return -1;
}

bool CPictureSounds::IsSoundLoaded(int slot) const {
    return slot >= 0 && slot < kMaxSounds && m_sounds[slot].IsLoaded();
}

bool CPictureSounds::PlayObjectSound(int objectId) {
    const int slot = FindSoundSlot(objectId);
    if (slot < 0) return false;
    CBasicSound& sound = m_sounds[slot];
    if (!sound.IsLoaded() && !sound.Load(m_soundsFolder + m_soundNames[slot])) return false;
    return sound.Play(CBasicSound::kObjectSound);
}

bool CPictureSounds::PlayVoiceOver() {
    if (!m_voiceOver.IsLoaded()) {
        if (m_voiceOverFile.empty() || !m_voiceOver.Load(m_voiceOverFile)) return false;
    }
    return m_voiceOver.Play(CBasicSound::kInterruptingSound, true);
}

bool CPictureSounds::Release() {
    for (CBasicSound& sound : m_sounds)
        if (!sound.Free()) return false;
    return m_voiceOver.Free();
}

bool CPictureSounds::HoldsResources() const {
    for (const CBasicSound& sound : m_sounds)
        if (sound.IsLoaded()) return true;
    return m_voiceOver.IsLoaded();
}
