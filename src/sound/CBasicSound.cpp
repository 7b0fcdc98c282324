#include "sound/CBasicSound.h"

#include <new>
#include <vector>

#include "platform/files/CFile.h"

CBasicSound::~CBasicSound() {
    Free();
}

bool CBasicSound::Load(const std::string& path) {
    WaveBytes wave;
    if (!ReadWhole(path, &wave)) return false;
    m_waveData = std::move(wave);
    m_path = path;
    return true;
}

bool CBasicSound::ReadWhole(const std::string& path, WaveBytes* wave) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    const long long length = file.GetLength();
    if (length < 0 || length > static_cast<long long>(UINT32_MAX)) return false;
    const auto size = static_cast<UINT>(length);
    try {
        auto bytes = std::make_shared<std::vector<BYTE>>(size);
        // A directory opens but cannot be read; a file cut short while reading is
        // no better. Either way the sound loaded before stays.
        if (size > 0 && file.Read(bytes->data(), size) != size) return false;
        *wave = std::move(bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CBasicSound::Free() {
    m_waveData.reset();
    m_path.clear();
    return true;
}

bool CBasicSound::Play(UINT flags, bool force) const {
    if (!s_soundOn && !force) return true;
    if (!m_waveData) return false;
    AudioOutput* output = GetAudioOutput();
    // Without an output the machine has no sound: the play is over before it began.
    if (output == nullptr) return true;
    return output->Play(m_waveData, m_path, flags);
}

void CBasicSound::StopAll() {
    if (AudioOutput* output = GetAudioOutput()) output->StopAll();
}
