// The bare Winsock loop that image_wine_bench holds vk38.exe against: the
// upgrade start, its reply, the image file in the panel's 4,096-byte
// blocks of file reads and blocking sends, then the panel's three reply
// lines. Nothing but kernel and Winsock calls, so that the program costs
// no more to start than any Windows program does.
//   raw_winsock_upload.exe IMAGE   (exit 0 when the panel took it whole)
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kPanel = "192.168.0.9";  // VK1
constexpr u_short kPanelPort = 35600;
constexpr int kBlockSize = 4096;
constexpr char kStart[] = "VK38 VER UP START\r\n";

// Receives one reply line of the panel; false when the connection ends first.
bool ReceiveLine(SOCKET s) {
  char c = 0;
  for (;;) {
    if (recv(s, &c, 1, 0) != 1) return false;
    if (c == '\n') return true;
  }
}

bool SendAll(SOCKET s, const char* data, int length) {
  for (int sent = 0; sent < length;) {
    const int taken = send(s, data + sent, length - sent, 0);
    if (taken <= 0) return false;
    sent += taken;
  }
  return true;
}

bool SendImage(HANDLE file, SOCKET s) {
  std::vector<char> block(kBlockSize);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, block.data(), kBlockSize, &read, nullptr)) return false;
    if (read == 0) return true;
    if (!SendAll(s, block.data(), static_cast<int>(read))) return false;
  }
}

bool Upload(HANDLE file) {
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(kPanelPort);
  inet_pton(AF_INET, kPanel, &address.sin_addr);
  bool ok = connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            SendAll(s, kStart, static_cast<int>(sizeof kStart - 1)) && ReceiveLine(s) &&
            SendImage(file, s);
  for (int line = 0; ok && line < 3; ++line) ok = ReceiveLine(s);
  closesocket(s);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  WSADATA wsa;
  bool ok = WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
  if (ok) {
    ok = Upload(file);
    WSACleanup();
  }
  CloseHandle(file);
  return ok ? 0 : 1;
}
