#include "models/Preferences.h"

#include "sound/CBasicSound.h"

void Preferences::SetSoundOn(bool on) {
    m_soundOn = on;
    CBasicSound::SetSoundOn(on);
}
