#pragma once
#include <functional>
#include <string>
#include <vector>

// One independent piece of content to write: the generators hand these out and the
// kit runs them on every core. `run` returns false when its file could not be made.
struct KitJob {
    std::string name;
    std::function<bool()> run;
};

// Runs the jobs on `threads` workers (0: one per core); the names of failed jobs
// come back in `failures`. True when every job succeeded.
bool RunJobs(const std::vector<KitJob>& jobs, std::vector<std::string>& failures,
             unsigned threads = 0);
