#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// One run in milliseconds.
template <typename F> double timedMs(F&& run)
{
    const auto t0 = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

inline double median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Median of a few timed runs in milliseconds, for the ratio lines the benchmarks print.
template <typename F> double medianMs(F&& run, int runs = 15)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i)
        ms.push_back(timedMs(run));
    return median(ms);
}
