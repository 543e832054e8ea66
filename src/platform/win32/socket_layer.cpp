#include "platform/win32/socket_layer.h"

#include <winsock2.h>

namespace platform::win32 {

bool StartSocketLayer() {
  WSADATA data{};
  return ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

void StopSocketLayer() { ::WSACleanup(); }

}  // namespace platform::win32
