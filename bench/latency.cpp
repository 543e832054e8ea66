#include "latency.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {
namespace {

// The smallest sample that at least `share` of the samples do not exceed
// (the slack keeps 0.95 x 200 at rank 190 whatever its rounding).
double NearestRank(const std::vector<double>& sorted, double share) {
  const auto rank =
      static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size()) - 1e-9));
  return sorted[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

LatencySummary Summarize(std::vector<double> milliseconds) {
  if (milliseconds.empty()) return {};
  std::sort(milliseconds.begin(), milliseconds.end());
  const auto over = std::count_if(milliseconds.begin(), milliseconds.end(),
                                  [](double ms) { return ms > kFrameMilliseconds; });
  return {.p50 = NearestRank(milliseconds, 0.50),
          .p95 = NearestRank(milliseconds, 0.95),
          .max = milliseconds.back(),
          .overFrame = static_cast<double>(over) / static_cast<double>(milliseconds.size())};
}

void PrintLatencyHead() {
  std::printf("%-28s %8s %8s %8s %10s\n", "action", "p50 ms", "p95 ms", "max ms", "> 16.7 ms");
}

void PrintLatency(const std::string& action, const LatencySummary& summary) {
  std::printf("%-28s %8.2f %8.2f %8.2f %9.1f %%\n", action.c_str(), summary.p50, summary.p95,
              summary.max, 100.0 * summary.overFrame);
}

}  // namespace bench
