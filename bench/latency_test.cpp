// The click benchmarks' figures: nearest-rank percentiles over samples in
// any order, and the share of samples over one frame.
#include "latency.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(LatencySummary, PercentilesAreSamplesTakenByNearestRankInAnyOrder) {
  std::vector<double> samples;
  for (int ms = 1; ms <= 200; ++ms) samples.push_back(ms);
  std::shuffle(samples.begin(), samples.end(), std::mt19937(30));
  const bench::LatencySummary summary = bench::Summarize(samples);
  EXPECT_EQ(summary.p50, 100);
  EXPECT_EQ(summary.p95, 190);
  EXPECT_EQ(summary.max, 200);
  // 17 ms and above: 184 of 200; exactly one frame is not over it.
  EXPECT_DOUBLE_EQ(summary.overFrame, 184.0 / 200.0);
}

TEST(LatencySummary, OneSampleIsEveryFigureAndNoneGivesZeros) {
  const bench::LatencySummary one = bench::Summarize({bench::kFrameMilliseconds});
  EXPECT_EQ(one.p50, bench::kFrameMilliseconds);
  EXPECT_EQ(one.p95, bench::kFrameMilliseconds);
  EXPECT_EQ(one.overFrame, 0);
  const bench::LatencySummary none = bench::Summarize({});
  EXPECT_EQ(none.max, 0);
  EXPECT_EQ(none.overFrame, 0);
}

}  // namespace
