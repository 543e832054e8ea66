#include "platform/system.h"
#include "platform/win32/socket_layer.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_network.h"

namespace platform {

SystemNetwork::SystemNetwork()
    : started_(win32::StartSocketLayer()), system_(std::make_unique<win32::Win32Network>()) {}

SystemNetwork::~SystemNetwork() {
  system_.reset();
  if (started_) win32::StopSocketLayer();
}

SystemFileSystem::SystemFileSystem() : system_(std::make_unique<win32::Win32FileSystem>()) {}

SystemFileSystem::~SystemFileSystem() = default;

}  // namespace platform
