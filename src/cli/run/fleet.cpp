#include "run/fleet.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include <fmt/format.h>

namespace cli {

namespace {

// How often the calling thread looks up when no panel ends.
constexpr std::chrono::milliseconds kTickInterval{100};

PanelOutcome RunOne(const Panel& panel, const PanelTask& task) {
  try {
    return task(panel);
  } catch (const std::exception& error) {
    return Failure(Code::kBroken, "unexpected failure", error.what());
  } catch (...) {
    return Failure(Code::kBroken, "unexpected failure", "");
  }
}

void Label(PanelOutcome& outcome, const Panel& panel) {
  outcome.panel = panel.address;
  outcome.name = panel.name;
}

PanelOutcome Interrupted(std::string cause) {
  return Failure(Code::kInterrupted, "Interrupted", std::move(cause));
}

// A panel that a stop ended: interrupted, with what it may hold of a change.
PanelOutcome Interrupted(const PanelOutcome& ended) {
  std::string cause = "the run was stopped before the panel was done";
  if (ended.changed == Change::kMaybe) {
    cause = "the run was stopped after the change went out, before the panel's verdict";
  } else if (ended.changed == Change::kYes) {
    cause = "the run was stopped after the panel confirmed the change";
  }
  PanelOutcome interrupted = Interrupted(std::move(cause));
  interrupted.changed = ended.changed;
  return interrupted;
}

PanelOutcome NotStarted(std::string cause) {
  return Failure(Code::kNotStarted, "Not started", std::move(cause));
}

class FleetRun {
 public:
  FleetRun(const std::vector<Panel>& panels, const PanelTask& task, const FleetWatch& watch,
           const FleetStages& stages)
      : panels_(panels), task_(task), watch_(watch), stages_(stages), outcomes_(panels.size()) {}

  std::vector<PanelOutcome> Run(int jobs) {
    const std::size_t workers =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), panels_.size());
    running_ = workers;
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < workers; ++w) threads.emplace_back([this] { Work(); });
    Watch();
    for (std::thread& thread : threads) thread.join();
    return std::move(outcomes_);
  }

 private:
  bool Stopped() const { return watch_.stop && watch_.stop->Triggered(); }
  // No further panel starts: the run was stopped, or the stages ended it.
  bool Halted() const { return Stopped() || !haltCause_.empty(); }
  // The next panel is past the canaries, and they have not all ended.
  bool AtCanaryGate() const {
    return stages_.canary > 0 && next_ >= stages_.canary && canaryEnded_ < stages_.canary;
  }

  // A worker: the next panel not yet started, until none is left or the
  // run is halted.
  void Work() {
    for (;;) {
      std::size_t index = 0;
      {
        std::unique_lock lock(mutex_);
        // A stop raises no notification: look up now and then.
        while (!Halted() && next_ < panels_.size() && AtCanaryGate()) {
          startable_.wait_for(lock, kTickInterval);
        }
        if (next_ >= panels_.size() || Halted()) break;
        index = next_++;
      }
      PanelOutcome outcome = RunOne(panels_[index], task_);
      if (!outcome.Ok() && Stopped()) outcome = Interrupted(outcome);
      Label(outcome, panels_[index]);
      const std::lock_guard lock(mutex_);
      Count(index, outcome);
      outcomes_[index] = std::move(outcome);
      ended_.push_back(index);
      changed_.notify_one();
    }
    const std::lock_guard lock(mutex_);
    --running_;
    changed_.notify_one();
  }

  // What an ended panel means for the stages; called under the lock.
  void Count(std::size_t index, const PanelOutcome& outcome) {
    const bool canary = index < stages_.canary;
    if (canary) ++canaryEnded_;
    if (!outcome.Ok()) {
      ++failures_;
      if (canary) ++canaryFailures_;
    }
    if (!haltCause_.empty()) return;
    if (stages_.maxFail && failures_ >= *stages_.maxFail) {
      haltCause_ = fmt::format("{} panel{} failed, as many as --max-fail allows", failures_,
                               failures_ == 1 ? "" : "s");
    } else if (canary && canaryEnded_ == stages_.canary && canaryFailures_ > 0) {
      // Judged once, when the last canary ends: a panel of the later stage
      // that fails does not count against the canaries.
      haltCause_ = stages_.canary == 1 ? std::string("the canary panel failed")
                                       : fmt::format("{} of the {} canary panels failed",
                                                     canaryFailures_, stages_.canary);
    }
    startable_.notify_all();
  }

  // The calling thread: tells each outcome as it comes, then those of the
  // panels that a stop or the stages kept from starting.
  void Watch() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait_for(lock, kTickInterval, [this] { return !ended_.empty() || running_ == 0; });
      while (!ended_.empty()) {
        const std::size_t index = ended_.front();
        ended_.pop_front();
        Tell(lock, outcomes_[index]);
      }
      if (running_ == 0) break;
      if (watch_.tick) {
        lock.unlock();
        watch_.tick();
        lock.lock();
      }
    }
    for (std::size_t index = next_; index < panels_.size(); ++index) {
      outcomes_[index] = Stopped() ? Interrupted("the run was stopped before the panel was asked")
                                   : NotStarted(haltCause_);
      Label(outcomes_[index], panels_[index]);
      Tell(lock, outcomes_[index]);
    }
  }

  void Tell(std::unique_lock<std::mutex>& lock, const PanelOutcome& outcome) {
    if (!watch_.ended) return;
    lock.unlock();
    watch_.ended(outcome);
    lock.lock();
  }

  const std::vector<Panel>& panels_;
  const PanelTask& task_;
  const FleetWatch& watch_;
  const FleetStages& stages_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::condition_variable startable_;
  std::vector<PanelOutcome> outcomes_;
  std::deque<std::size_t> ended_;
  std::size_t next_ = 0;
  std::size_t running_ = 0;
  std::size_t canaryEnded_ = 0;
  std::size_t failures_ = 0;
  std::size_t canaryFailures_ = 0;
  std::string haltCause_{};  // why no further panel starts; empty while they may
};

}  // namespace

std::vector<PanelOutcome> RunFleet(const std::vector<Panel>& panels, int jobs,
                                   const PanelTask& task, const FleetWatch& watch,
                                   const FleetStages& stages) {
  return FleetRun(panels, task, watch, stages).Run(jobs);
}

}  // namespace cli
