// What the machine gives vk38 on both systems: the stop watch first (before
// any other thread), the system's network behind a StoppingNetwork, and the
// system's files. Each system adds its terminal.
#pragma once

#include "io/machine.h"
#include "io/stop_watch.h"
#include "io/stopping_network.h"
#include "platform/system.h"

namespace cli {

class SystemMachine : public Machine {
 public:
  bool NetworkStarted() const { return system_.Started(); }

  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  const platform::StopSignal& Stop() const override { return stopWatch_.Signal(); }

 private:
  StopWatch stopWatch_;
  platform::SystemNetwork system_;
  StoppingNetwork network_{system_, stopWatch_.Signal()};
  platform::SystemFileSystem files_;
};

}  // namespace cli
