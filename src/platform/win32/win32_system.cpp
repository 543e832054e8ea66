#include "platform/system.h"
#include "platform/win32/socket_layer.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_network.h"

namespace platform {

SystemNetwork::SystemNetwork()
    : started_(StartSocketLayer()), system_(std::make_unique<Win32Network>()) {}

SystemNetwork::~SystemNetwork() {
  system_.reset();
  if (started_) StopSocketLayer();
}

SystemFileSystem::SystemFileSystem() : system_(std::make_unique<Win32FileSystem>()) {}

SystemFileSystem::~SystemFileSystem() = default;

}  // namespace platform
