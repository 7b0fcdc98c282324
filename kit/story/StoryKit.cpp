#include "story/StoryKit.h"

bool GenerateStory(const std::string& contentDir) {
    return !contentDir.empty();
}

void CheckStory(const std::string& contentDir, std::vector<std::string>& problems) {
    if (contentDir.empty()) problems.push_back("story: no content folder given");
}

bool SheetStory(const std::string& contentDir, const std::string& outPng) {
    return !contentDir.empty() && !outPng.empty();
}
