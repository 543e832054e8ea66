// How a run over many panels goes on past failures: a first stage of
// canary panels (the first N, in the order given) whose every success lets
// the rest start, and a bound on failures after which no further panel
// starts. The panels kept from starting end "not-started".
#pragma once

#include <cstddef>
#include <optional>

namespace cli {

struct FleetStages {
  std::size_t canary = 0;                // 0: no first stage
  std::optional<std::size_t> maxFail{};  // none: no bound
};

}  // namespace cli
