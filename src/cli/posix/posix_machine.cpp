#include <unistd.h>

#include "cli/machine.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_network.h"

namespace cli {

namespace {

class PosixMachine : public Machine {
 public:
  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  bool ErrorsOnTerminal() const override { return isatty(STDERR_FILENO) == 1; }

 private:
  platform::PosixNetwork network_;
  platform::PosixFileSystem files_;
};

}  // namespace

std::unique_ptr<Machine> StartMachine() { return std::make_unique<PosixMachine>(); }

}  // namespace cli
