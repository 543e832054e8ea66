#include "cli/fleet.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace cli {

namespace {

PanelOutcome RunOne(PanelAddress panel, const PanelTask& task) {
  try {
    PanelOutcome outcome = task(panel);
    outcome.panel = panel;
    return outcome;
  } catch (const std::exception& error) {
    return {.panel = panel, .ok = false, .message = error.what()};
  } catch (...) {
    return {.panel = panel, .ok = false, .message = "unexpected failure"};
  }
}

}  // namespace

std::vector<PanelOutcome> RunFleet(const std::vector<PanelAddress>& panels, int jobs,
                                   const PanelTask& task) {
  std::vector<PanelOutcome> outcomes(panels.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < panels.size(); i = next++) {
      outcomes[i] = RunOne(panels[i], task);
    }
  };
  const std::size_t workers =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), panels.size());
  std::vector<std::thread> threads;
  // The calling thread is one of the workers.
  for (std::size_t w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return outcomes;
}

}  // namespace cli
