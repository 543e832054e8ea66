#include "support/private_network.h"

#include <ifaddrs.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {
namespace {

bool OnlyLoopbackInterface() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool onlyLoopback = true;
  for (ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (std::strcmp(entry->ifa_name, "lo") != 0) onlyLoopback = false;
  }
  freeifaddrs(list);
  return onlyLoopback;
}

bool InsidePrivateNetwork() {
  const char* marker = std::getenv("SETUPTOOL_PRIVATE_NET");
  return marker != nullptr && std::strcmp(marker, "1") == 0 && OnlyLoopbackInterface();
}

[[noreturn]] void RestartInsidePrivateNetwork(int argc, char** argv) {
  const std::string wrapper = std::string(SETUPTOOL_SOURCE_DIR) + "/scripts/private-net";
  std::vector<char*> args;
  args.push_back(const_cast<char*>(wrapper.c_str()));
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) std::abort();
  self[length] = '\0';
  args.push_back(self);
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  execv(wrapper.c_str(), args.data());
  std::perror("cannot enter the private network");
  std::exit(2);
}

}  // namespace

void EnsurePrivateNetwork(int argc, char** argv) {
  if (!InsidePrivateNetwork()) RestartInsidePrivateNetwork(argc, argv);
}

}  // namespace testing_support
