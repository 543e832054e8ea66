// Latencies of one user action taken many times: the median, the 95th
// percentile, the worst, and the share that took longer than one frame of
// a 60 Hz screen. Shared by the click benchmarks under Wine and natively.
#pragma once

#include <string>
#include <vector>

namespace bench {

inline constexpr double kFrameMilliseconds = 1000.0 / 60.0;

struct LatencySummary {
  double p50 = 0;  // milliseconds
  double p95 = 0;
  double max = 0;
  double overFrame = 0;  // share of the samples above kFrameMilliseconds, 0 to 1
};

// Nearest-rank percentiles of the samples (milliseconds); all zero for none.
LatencySummary Summarize(std::vector<double> milliseconds);

// The table's head, and one line per action, on standard output.
void PrintLatencyHead();
void PrintLatency(const std::string& action, const LatencySummary& summary);

}  // namespace bench
