// Timing shared by the benchmarks: processor time of the calling thread, best of a few runs, so
// that other programs on a shared machine do not count.
#pragma once

#include <time.h>

#include <algorithm>
#include <functional>

/// Processor time of this thread, in seconds.
inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// The processor time of one call, in seconds.
inline double TimeOf(const std::function<void()>& action) {
    const double start = ThreadSeconds();
    action();
    return ThreadSeconds() - start;
}

/// The best of repeats timings of action; prepare (when given) runs untimed before each.
inline double BestOf(const std::function<void()>& prepare, const std::function<void()>& action, int repeats = 5) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        if (prepare) prepare();
        best = std::min(best, TimeOf(action));
    }
    return best;
}

/// The best of repeats timings of action.
inline double BestOf(const std::function<void()>& action, int repeats = 5) { return BestOf(nullptr, action, repeats); }

/// Seconds on a steady clock.
inline double WallSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// The best of repeats wall times of action, for work that runs on several processors at once;
/// prepare (when given) runs untimed before each.
inline double BestWallOf(const std::function<void()>& prepare, const std::function<void()>& action, int repeats = 5) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        if (prepare) prepare();
        const double start = WallSeconds();
        action();
        best = std::min(best, WallSeconds() - start);
    }
    return best;
}

/// The best of repeats wall times of action.
inline double BestWallOf(const std::function<void()>& action, int repeats = 5) { return BestWallOf(nullptr, action, repeats); }
