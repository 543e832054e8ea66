#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_network.h"
#include "platform/system.h"

namespace platform {

SystemNetwork::SystemNetwork() : started_(true), system_(std::make_unique<PosixNetwork>()) {}

SystemNetwork::~SystemNetwork() = default;

SystemFileSystem::SystemFileSystem() : system_(std::make_unique<PosixFileSystem>()) {}

SystemFileSystem::~SystemFileSystem() = default;

}  // namespace platform
