// The median wall time of repeated runs, as the probe's --repeat options print it.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace numora::probe {

template <class Work>
double MedianMilliseconds(int repeat, const Work& work) {
  std::vector<double> times;
  times.reserve(repeat);
  for (int i = 0; i < repeat; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::nth_element(times.begin(), times.begin() + repeat / 2, times.end());
  return times[repeat / 2];
}

}  // namespace numora::probe
