#include "throughput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace bench {

std::optional<std::uint64_t> BenchBytes(int argc, char** argv, int index) {
  if (argc <= index) return kBenchBytes;
  char* end = nullptr;
  const unsigned long long mib = std::strtoull(argv[index], &end, 10);
  if (end == argv[index] || *end != '\0' || mib == 0 || mib > 1024 * 1024) return std::nullopt;
  return mib * 1024 * 1024;
}

double TimeSeconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Report(const std::string& what, std::uint64_t bytes, double sessionSeconds,
              double rawSeconds, const std::string& sessionLabel, const std::string& rawLabel) {
  const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
  const double ratio = rawSeconds / sessionSeconds;
  std::printf("%s: %.0f MiB\n", what.c_str(), mib);
  std::printf("  %-14s %8.1f MiB/s\n", sessionLabel.c_str(), mib / sessionSeconds);
  std::printf("  %-14s %8.1f MiB/s\n", rawLabel.c_str(), mib / rawSeconds);
  std::printf("  %-14s %8.1f %%\n", "ratio", 100.0 * ratio);
  return ratio;
}

std::string ScratchPath(const std::string& name) {
  // A name of this run (no process id: that is not portable C++).
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(stamp))).string();
}

}  // namespace bench
