#pragma once
#include <string>
#include <vector>

#include "check/KitJob.h"

// One wave file of the content tree: made either from a synthesised effect or from
// spoken words, always under 1.5 s.
struct SoundPlan {
    std::string path;    // relative to the content folder, e.g. "sounds/oops.wav"
    std::string effect;  // Synth effect name, or empty
    std::string speech;  // words for the voice, or empty
};

// Every screen, tool and fill sound the program names, under "sounds/".
const std::vector<SoundPlan>& ScreenSounds();
// Adds one job per sound that writes it below `contentDir`.
void AddSoundJobs(const std::string& contentDir, const std::vector<SoundPlan>& sounds,
                  std::vector<KitJob>& jobs);
