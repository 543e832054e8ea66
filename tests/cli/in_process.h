// vk38 run inside the test process, on a machine the test makes: the
// simulator's network, files on the disk or in memory, a console whose
// descriptors the test scripts, a stop the test raises. What the run wrote
// to standard output and error is kept as a subprocess run keeps it.
#pragma once

#include <string>
#include <vector>

#include "io/machine.h"
#include "platform/system.h"
#include "support/fake_console.h"
#include "vk38_runner.h"

namespace cli_test {

class TestMachine : public cli::Machine {
 public:
  // Both must outlive the machine.
  TestMachine(platform::Network& network, platform::FileSystem& files)
      : network_(network), files_(files) {}

  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  platform::Console& Console() override { return console; }
  const platform::StopSignal& Stop() const override { return stop; }

  testing_support::FakeConsole console;
  platform::StopSignal stop;

 private:
  platform::Network& network_;
  platform::FileSystem& files_;
};

// Runs vk38 with `arguments` on `machine`; standard output and error are
// caught for the run's length (the test's own output waits until after).
Vk38Run RunInProcess(cli::Machine& machine, const std::vector<std::string>& arguments);

}  // namespace cli_test
