#pragma once
#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "coloring/CToolChoice.h"
#include "resources/CStringTable.h"
#include "sound/CBasicSound.h"

// The sounds of the colouring screen. Most load the first time they play; the fill
// plays one of a set of sounds picked at random from a seed the application chooses, so
// scripted runs hear the same sounds every time.
class CColoringSounds {
  public:
    static constexpr std::size_t kFillSoundCount = CStringTable::kFillSoundCount;

    struct Files {
        std::array<const char*, CToolChoice::kToolCount> tools;
        const char* undo;
        std::array<const char*, 2> pageTurns;
        const char* click;
        const char* greeting;
        const char* goodbye;
        const char* scrapbookFull;
    };

    CColoringSounds(const Files& files, std::uint32_t fillSeed);

    // The click is loaded with the screen's other resources; it plays only once loaded.
    void LoadClick();
    // The loaded click, or null.
    CBasicSound* GetClick();
    void PlayClick();
    void PlayTool(Tool tool);
    void PlayUndo();
    // The two page-turn sounds take turns.
    void PlayPageTurn();
    // The next fill sound, loaded.
    CBasicSound& NextFillSound();
    void PlayGreeting();
    // Returns once the goodbye has been heard.
    void PlayGoodbye();
    void PlayScrapbookFull();

  private:
    // A sound read from its file the first time it plays.
    struct LazySound {
        CBasicSound sound;
        std::string path;
        void Play(UINT flags);
    };

    std::array<LazySound, CToolChoice::kToolCount> m_tools;
    LazySound m_undo;
    std::array<LazySound, 2> m_pageTurns;
    std::size_t m_nextPageTurn = 0;
    LazySound m_click;
    LazySound m_greeting;
    LazySound m_goodbye;
    LazySound m_scrapbookFull;
    std::array<LazySound, kFillSoundCount> m_fills;
    std::mt19937 m_random;
};
