#include "throughput.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>

namespace bench {

double TimeSeconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Report(const std::string& what, std::uint64_t bytes, double sessionSeconds,
              double rawSeconds) {
  const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
  const double ratio = rawSeconds / sessionSeconds;
  std::printf("%s: %.0f MiB\n", what.c_str(), mib);
  std::printf("  session code   %8.1f MiB/s\n", mib / sessionSeconds);
  std::printf("  raw socket     %8.1f MiB/s\n", mib / rawSeconds);
  std::printf("  ratio          %8.1f %%\n", 100.0 * ratio);
  return ratio;
}

std::string ScratchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
      .string();
}

}  // namespace bench
