#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// What every benchmark prints: one line per figure, comparable run to run.
namespace BenchFigure {

// The value below which the fraction p of the samples lie (0.5: median).
inline double percentile(std::vector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const auto last = samples.size() - 1;
    return samples[std::min(last, std::size_t(p * double(last) + 0.5))];
}

inline void print(const char *name, double ms, double referenceMs)
{
    std::printf("%s: %.4f ms (reference %.4f ms, ratio %.2f)\n", name, ms, referenceMs,
                ms / referenceMs);
}

} // namespace BenchFigure
