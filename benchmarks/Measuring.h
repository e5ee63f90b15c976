// What the benchmark programs share: timing, and the median of their turns.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

// The wall-clock time a piece of work takes, by the performance counter.
inline double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// The middle one of the turns' times (the upper middle of an even count).
inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
