#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Median of a few timed runs in milliseconds, for the ratio lines the benchmarks print.
template <typename F> double medianMs(F&& run, int runs = 15)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
