#pragma once
#include <string>
#include <vector>

#include "check/KitJob.h"
#include "screens/Faces.h"

// The screens' pictures: every background, splash, closing and dialog picture and every
// button face, drawn as vector art. Each builder draws one screen's set.
std::vector<KitPicture> BuildColoringScreen();
std::vector<KitPicture> BuildSplashes();
std::vector<KitPicture> BuildConfirmations();
std::vector<KitPicture> BuildPrint();
std::vector<KitPicture> BuildOptions(const std::string& creditsText);
std::vector<KitPicture> BuildSlideShow();
std::vector<KitPicture> BuildScrapbookScreen();

// The coloring screen's background, which other pictures match their edges to.
KitImage ColoringBackground();
// Adds one job per screen: each draws its pictures and writes them below `contentDir`.
void AddScreenJobs(const std::string& contentDir, const std::string& creditsText,
                   std::vector<KitJob>& jobs);
