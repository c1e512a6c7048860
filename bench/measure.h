// What every benchmark shares: a high-resolution stopwatch, the median and spread of repeated
// runs, and one printed line per figure with its target and whether it was met.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }

    double elapsed_ms() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency().QuadPart);
    }

private:
    static LARGE_INTEGER frequency()
    {
        LARGE_INTEGER ticks;
        QueryPerformanceFrequency(&ticks);
        return ticks;
    }

    LARGE_INTEGER start_;
};

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
    double q1 = 0;
    double q3 = 0;
};

// Quartiles by linear interpolation between the sorted samples.
inline Spread spread_of(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double fraction) {
        const double position = fraction * static_cast<double>(samples.size() - 1);
        const auto below = static_cast<std::size_t>(position);
        const std::size_t above = std::min(below + 1, samples.size() - 1);
        return samples[below] + (samples[above] - samples[below]) * (position - static_cast<double>(below));
    };
    return {at(0.5), samples.front(), samples.back(), at(0.25), at(0.75)};
}

inline double median_of(std::vector<double> samples)
{
    return spread_of(std::move(samples)).median;
}

// Lower is better for times and ratios against a baseline; higher for rates.
enum class Goal { AT_MOST, AT_LEAST };

// "pass" or "short" with the target beside the figure, so that a reader of the log needs
// nothing else to judge it.
inline void report_target(const char* figure, double value, const char* unit, Goal goal, double target)
{
    const bool met = goal == Goal::AT_MOST ? value <= target : value >= target;
    std::printf("%-5s %s: %.3f%s (target %s %.3f%s)\n", met ? "pass" : "short", figure, value, unit,
        goal == Goal::AT_MOST ? "<=" : ">=", target, unit);
    std::fflush(stdout);
}

// A figure recorded without a target.
__attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2))) inline void report_info(const char* format, ...)
{
    std::printf("info  ");
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::printf("\n");
    std::fflush(stdout);
}
