// The progress line's text: bytes and rate in binary units, and the share
// done and the time left only when the total is known; then the flash write.
#include <gtest/gtest.h>

#include "io/progress.h"

namespace {

using std::chrono::duration;

TEST(Progress, BytesRateAndTimeLeft) {
  EXPECT_EQ(cli::ProgressText(512, duration<double>(1.0), std::nullopt), "512 B  512 B/s");
  EXPECT_EQ(cli::ProgressText(3 * 1024 * 1024, duration<double>(2.0), std::nullopt),
            "3.0 MiB  1.5 MiB/s");
  // 1 MiB of 4 MiB at 1 MiB/s: three seconds left.
  EXPECT_EQ(cli::ProgressText(1024 * 1024, duration<double>(1.0), 4 * 1024 * 1024),
            "1.0 MiB  25%  1.0 MiB/s  0:03 left");
  // 100 s at 10 KiB/s: a minute and 40 seconds.
  EXPECT_EQ(cli::ProgressText(10 * 1024, duration<double>(1.0), 1010 * 1024),
            "10.0 KiB  0%  10.0 KiB/s  1:40 left");
  // Nothing moved yet: no rate, so no guess at the time left.
  EXPECT_EQ(cli::ProgressText(0, duration<double>(0.0), 100), "0 B  0%  0 B/s");
  // The whole total, or more (a panel sent extra): 100 % and no time left.
  EXPECT_EQ(cli::ProgressText(100, duration<double>(1.0), 100), "100 B  100%  100 B/s");
  EXPECT_EQ(cli::ProgressText(200, duration<double>(1.0), 100), "200 B  100%  200 B/s");
  EXPECT_EQ(cli::FlashWriteText(1, duration<double>(35.4)),
            "the panel is writing its flash, 0:35 so far");
  EXPECT_EQ(cli::FlashWriteText(3, duration<double>(601)),
            "3 panels are writing their flash, 10:01 so far");
}

}  // namespace
