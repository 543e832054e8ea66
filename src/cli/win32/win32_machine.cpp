#include <io.h>

#include <cstdio>

#include "cli/machine.h"
#include "platform/win32/socket_layer.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_network.h"

namespace cli {

namespace {

class Win32Machine : public Machine {
 public:
  ~Win32Machine() override { platform::StopSocketLayer(); }
  platform::Network& Network() override { return network_; }
  platform::FileSystem& Files() override { return files_; }
  bool ErrorsOnTerminal() const override { return _isatty(_fileno(stderr)) != 0; }

 private:
  platform::Win32Network network_;
  platform::Win32FileSystem files_;
};

}  // namespace

std::unique_ptr<Machine> StartMachine() {
  if (!platform::StartSocketLayer()) return nullptr;
  return std::make_unique<Win32Machine>();
}

}  // namespace cli
