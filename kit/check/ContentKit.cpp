#include "check/ContentKit.h"

#include <cstdio>
#include <filesystem>

#include "check/KitJob.h"
#include "sounds/SoundKit.h"

bool GenerateContent(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir + "/play", error);
    std::vector<KitJob> jobs;
    AddSoundJobs(dir, ScreenSounds(), jobs);
    std::vector<std::string> failures;
    const bool ok = RunJobs(jobs, failures);
    for (const auto& name : failures)
        std::fprintf(stderr, "talewick-kit: could not make %s\n", name.c_str());
    return ok;
}

void CollectProblems(const std::string&, std::vector<std::string>&) {}

bool CheckContent(const std::string& dir) {
    std::vector<std::string> problems;
    CollectProblems(dir, problems);
    for (const auto& line : problems) std::printf("%s\n", line.c_str());
    return problems.empty();
}

bool SheetContent(const std::string&, const std::string&) {
    return false;
}
