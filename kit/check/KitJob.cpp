#include "check/KitJob.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

bool RunJobs(const std::vector<KitJob>& jobs, std::vector<std::string>& failures,
             unsigned threads) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<std::size_t> next{0};
    std::vector<bool> ok(jobs.size(), false);
    std::mutex okLock;
    auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            const bool result = jobs[i].run();
            std::lock_guard<std::mutex> guard(okLock);
            ok[i] = result;
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
    for (auto& t : pool) t.join();
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (!ok[i]) failures.push_back(jobs[i].name);
    return failures.empty();
}
