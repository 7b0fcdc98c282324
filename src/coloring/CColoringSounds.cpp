#include "coloring/CColoringSounds.h"

void CColoringSounds::LazySound::Play(UINT flags) {
    if (!sound.IsLoaded()) sound.Load(path);
    sound.Play(flags);
}

CColoringSounds::CColoringSounds(const Files& files, std::uint32_t fillSeed) : m_random(fillSeed) {
    for (std::size_t i = 0; i < m_tools.size(); ++i) m_tools[i].path = files.tools[i];
    m_undo.path = files.undo;
    for (std::size_t i = 0; i < m_pageTurns.size(); ++i) m_pageTurns[i].path = files.pageTurns[i];
    m_click.path = files.click;
    m_greeting.path = files.greeting;
    m_goodbye.path = files.goodbye;
    m_scrapbookFull.path = files.scrapbookFull;
    const std::string folder = CStringTable::Load(CStringTable::kFillSoundFolder);
    for (std::size_t i = 0; i < kFillSoundCount; ++i) {
        m_fills[i].path =
            folder + CStringTable::Load(CStringTable::kFillSoundFirst + static_cast<UINT>(i));
    }
}

void CColoringSounds::LoadClick() {
    m_click.sound.Load(m_click.path);
}

CBasicSound* CColoringSounds::GetClick() {
    return m_click.sound.IsLoaded() ? &m_click.sound : nullptr;
}

void CColoringSounds::PlayClick() {
    if (m_click.sound.IsLoaded()) m_click.sound.Play(CBasicSound::kObjectSound);
}

void CColoringSounds::PlayTool(Tool tool) {
    m_tools[static_cast<std::size_t>(tool)].Play(CBasicSound::kObjectSound);
}

void CColoringSounds::PlayUndo() {
    m_undo.Play(CBasicSound::kObjectSound);
}

void CColoringSounds::PlayPageTurn() {
    m_pageTurns[m_nextPageTurn].Play(CBasicSound::kObjectSound);
    m_nextPageTurn = 1 - m_nextPageTurn;
}

CBasicSound& CColoringSounds::NextFillSound() {
    LazySound& fill = m_fills[m_random() % kFillSoundCount];
    if (!fill.sound.IsLoaded()) fill.sound.Load(fill.path);
    return fill.sound;
}

void CColoringSounds::PlayGreeting() {
    if (m_greeting.sound.Load(m_greeting.path)) {
        m_greeting.sound.Play(CBasicSound::kInterruptingSound);
    }
}

void CColoringSounds::PlayGoodbye() {
    if (m_goodbye.sound.Load(m_goodbye.path)) m_goodbye.sound.Play(CBasicSound::kWaitingSound);
}

void CColoringSounds::PlayScrapbookFull() {
    if (m_scrapbookFull.sound.Load(m_scrapbookFull.path)) {
        m_scrapbookFull.sound.Play(CBasicSound::kInterruptingSound);
    }
}
