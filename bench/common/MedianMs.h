#pragma once
// Median wall time of several runs of `f`, in milliseconds, for the Wine timing programs.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace vimo::bench {

template <typename F>
double MedianMs(int runs, F f) {
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace vimo::bench
