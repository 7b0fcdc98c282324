#include "models/Preferences.h"

#include "models/CSettings.h"
#include "sound/CBasicSound.h"

void Preferences::Keep(CSettings* settings) {
    m_settings = nullptr;
    if (settings != nullptr) {
        SetSoundOn(settings->IsSoundOn());
        m_staysInsideLines = settings->StaysInsideLines();
        m_crayonBox = settings->GetCrayonBox() - CSettings::kFirstCrayonBox;
        m_printingAllowed = settings->IsPrintingAllowed();
        m_optionsScreenShown = settings->IsOptionsScreenShown();
    }
    m_settings = settings;
}

void Preferences::SetSoundOn(bool on) {
    m_soundOn = on;
    CBasicSound::SetSoundOn(on);
    Store();
}

void Preferences::SetStayInsideLines(bool on) {
    m_staysInsideLines = on;
    Store();
}

void Preferences::SetCrayonBox(int box) {
    if (box == m_crayonBox || box < 0) return;
    m_crayonBox = box;
    Store();
}

// The whole file is rewritten for each change: changes are rare and the file is small.
void Preferences::Store() {
    if (m_settings == nullptr) return;
    m_settings->SetSoundOn(m_soundOn);
    m_settings->SetStayInsideLines(m_staysInsideLines);
    m_settings->SetCrayonBox(m_crayonBox + CSettings::kFirstCrayonBox);
    m_settings->Save();
}
