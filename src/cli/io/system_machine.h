// What the machine gives vk38: the stop watch first (before any other
// thread), the system's network behind a StoppingNetwork, the system's
// files and its console.
#pragma once

#include "io/machine.h"
#include "platform/console.h"
#include "platform/stop_watch.h"
#include "platform/stopping_network.h"
#include "platform/system.h"

namespace cli {

class SystemMachine : public Machine {
 public:
  SystemMachine();

  bool NetworkStarted() const { return system_.Started(); }

  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  platform::Console& Console() override { return console_; }
  const platform::StopSignal& Stop() const override { return stopWatch_.Signal(); }

 private:
  platform::SystemConsole console_;
  platform::StopWatch stopWatch_;
  platform::SystemNetwork system_;
  platform::StoppingNetwork network_{system_, stopWatch_.Signal()};
  platform::SystemFileSystem files_;
};

}  // namespace cli
