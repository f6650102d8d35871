#include "platform/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {

std::atomic<int> g_partLimit{0};  // 0: the machine's processors

}  // namespace

int MaxParallelParts() {
    const int limit = g_partLimit.load();
    if (limit > 0) return limit;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void SetMaxParallelParts(int parts) { g_partLimit.store(std::max(parts, 0)); }

int PartsFor(size_t count, size_t minPerPart) {
    const size_t parts = count / std::max<size_t>(minPerPart, 1);
    return static_cast<int>(std::clamp<size_t>(parts, 1, static_cast<size_t>(MaxParallelParts())));
}

size_t PartBegin(size_t count, int parts, int part) {
    if (parts <= 0) return 0;
    return count / static_cast<size_t>(parts) * static_cast<size_t>(part) +
           std::min(count % static_cast<size_t>(parts), static_cast<size_t>(part));
}

void RunParts(int parts, const std::function<void(int part)>& work) {
    std::vector<std::exception_ptr> failures(static_cast<size_t>(std::max(parts, 0)));
    auto run = [&](int part) {
        try {
            work(part);
        } catch (...) {
            failures[static_cast<size_t>(part)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (int part = 1; part < parts; ++part) {
        try {
            threads.emplace_back(run, part);
        } catch (const std::system_error&) {
            run(part);  // no thread to be had: the part runs here
        }
    }
    if (parts > 0) run(0);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}
