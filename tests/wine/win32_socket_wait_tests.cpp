// The Windows socket layer under a slow panel: calls behave as blocking
// calls with the POSIX layer's results; with the program's waiting the
// windows keep repainting while a call waits, no other input is dispatched,
// and the wait costs no CPU; with the plain waiting no window takes part.
// clang-format off
#include <winsock2.h>
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "desktop/repainting_socket_waiting.h"
#include "desktop/wait_cursor.h"
#include "platform/system.h"
#include "platform/win32/win32_network.h"
#include "support/loopback_peer.h"

namespace {

using namespace std::chrono_literals;
using wine_test::LoopbackPeer;

// Far above any wait these tests expect to end by itself.
constexpr platform::WaitLimit kWaitLimit = 20s;

// A plain window that counts what reaches its window procedure.
class ProbeWindow {
 public:
  ProbeWindow() {
    WNDCLASSW type{};
    type.lpfnWndProc = &ProbeWindow::Procedure;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = L"SocketWaitProbe";
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&type);  // a second registration fails harmlessly
    hwnd_ = ::CreateWindowExW(0, L"SocketWaitProbe", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                              10, 200, 120, nullptr, nullptr, type.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PumpAll();  // the first paint and activation are not part of any test
    paints = 0;
    inputs = 0;
  }
  ~ProbeWindow() {
    ::DestroyWindow(hwnd_);
    PumpAll();
  }
  ProbeWindow(const ProbeWindow&) = delete;
  ProbeWindow& operator=(const ProbeWindow&) = delete;

  HWND Handle() const { return hwnd_; }

  static void PumpAll() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }

  int paints = 0;
  int inputs = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProbeWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
      if (message == WM_PAINT) ++self->paints;
      if (message == WM_LBUTTONDOWN || message == WM_KEYDOWN) ++self->inputs;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
};

std::unique_ptr<platform::StreamSocket> ConnectedSocket(platform::Network& network,
                                                        const LoopbackPeer& peer) {
  auto socket = network.CreateStreamSocket(kWaitLimit);
  if (socket == nullptr || !socket->Connect(LoopbackPeer::Address(), peer.Port())) return nullptr;
  return socket;
}

std::string ReceiveUntilClosed(platform::StreamSocket& socket) {
  std::string received;
  std::uint8_t buffer[4096];
  for (;;) {
    const std::ptrdiff_t n = socket.Receive(buffer, sizeof buffer);
    if (n <= 0) return received;
    received.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
  }
}

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return -1;
  auto ticks = [](const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;  // 100 ns units
}

// The sockets as the program makes them.
class SocketWait : public testing::Test {
 protected:
  desktop::WaitCursor waitCursor;
  desktop::RepaintingSocketWaiting programWaiting{waitCursor};
  platform::win32::Win32Network network{programWaiting};
};

TEST_F(SocketWait, RepaintsButKeepsInputQueuedWhileAReceiveWaits) {
  ProbeWindow probe;
  const HWND window = probe.Handle();
  ::PostMessageW(window, WM_KEYDOWN, 'A', 0);  // queued before the call
  LoopbackPeer peer([window](SOCKET panel) {
    std::this_thread::sleep_for(300ms);
    ::InvalidateRect(window, nullptr, TRUE);  // something uncovers the window
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // a click meanwhile
    std::this_thread::sleep_for(300ms);
    ::InvalidateRect(window, nullptr, TRUE);
    std::this_thread::sleep_for(300ms);
    LoopbackPeer::SendText(panel, "WRITE OK\r\n.");
  });
  auto socket = ConnectedSocket(network, peer);
  ASSERT_NE(socket, nullptr);

  const auto started = std::chrono::steady_clock::now();
  std::uint8_t buffer[64];
  const std::ptrdiff_t got = socket->Receive(buffer, sizeof buffer);
  const auto waited = std::chrono::steady_clock::now() - started;

  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer), got > 0 ? got : 0), "WRITE OK\r\n.");
  EXPECT_GE(waited, 800ms) << "the receive did not wait for the panel";
  EXPECT_GE(probe.paints, 2) << "the window was not repainted during the wait";
  EXPECT_EQ(probe.inputs, 0) << "input was dispatched during the wait";

  ProbeWindow::PumpAll();
  EXPECT_EQ(probe.inputs, 2) << "input queued during the wait was lost";
}

TEST_F(SocketWait, ConnectAndSendAlsoKeepInputQueued) {
  ProbeWindow probe;
  const HWND window = probe.Handle();
  // The panel reads slowly, so a large send has to wait for room.
  const std::string image(8 * 1024 * 1024, 'x');
  std::string arrived;
  {
    LoopbackPeer peer([&arrived](SOCKET panel) {
      std::this_thread::sleep_for(500ms);
      arrived = LoopbackPeer::ReceiveAll(panel);
    });
    auto socket = ConnectedSocket(network, peer);
    ASSERT_NE(socket, nullptr);
    ::PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    std::size_t sent = 0;
    while (sent < image.size()) {
      const std::ptrdiff_t n = socket->Send(
          reinterpret_cast<const std::uint8_t*>(image.data()) + sent, image.size() - sent);
      ASSERT_GT(n, 0);
      sent += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(probe.inputs, 0);
  }  // closes the socket, then waits for the panel to read everything
  EXPECT_EQ(arrived.size(), image.size());
  EXPECT_EQ(arrived, image);
}

TEST_F(SocketWait, AWaitOfOneSecondCostsNoCpu) {
  // The measurement itself must see CPU time, or the check below says nothing.
  // (On a loaded machine a busy thread gets only part of a core, so this
  // spins until the CPU time moves rather than for a fixed time.)
  const double busyStart = ThreadCpuSeconds();
  ASSERT_GE(busyStart, 0);
  const auto giveUp = std::chrono::steady_clock::now() + 10s;
  volatile std::uint64_t spin = 0;
  while (ThreadCpuSeconds() - busyStart < 0.15 && std::chrono::steady_clock::now() < giveUp) {
    for (int i = 0; i < 100000; ++i) spin = spin + 1;
  }
  ASSERT_GE(ThreadCpuSeconds() - busyStart, 0.15) << "thread CPU time is not measured here";

  ProbeWindow probe;
  LoopbackPeer peer([](SOCKET panel) {
    std::this_thread::sleep_for(1000ms);
    LoopbackPeer::SendText(panel, "FILE OK\r\n.");
  });
  auto socket = ConnectedSocket(network, peer);
  ASSERT_NE(socket, nullptr);

  const double before = ThreadCpuSeconds();
  const auto started = std::chrono::steady_clock::now();
  std::uint8_t buffer[64];
  EXPECT_EQ(socket->Receive(buffer, sizeof buffer), 10);
  EXPECT_GE(std::chrono::steady_clock::now() - started, 900ms);
  EXPECT_LT(ThreadCpuSeconds() - before, 0.2) << "the wait kept the CPU busy";
}

// The results match the POSIX layer's, so the panel session behaves alike.
TEST_F(SocketWait, ResultsOfConnectReceiveAndClose) {
  {
    auto socket = network.CreateStreamSocket(kWaitLimit);
    ASSERT_NE(socket, nullptr);
    EXPECT_FALSE(socket->Connect("127.0.0.1", wine_test::UnusedLoopbackPort()))
        << "a refused connection counted as made";
  }
  {
    auto socket = network.CreateStreamSocket(kWaitLimit);
    ASSERT_NE(socket, nullptr);
    EXPECT_FALSE(socket->Connect("127.0.0.256", 35600));
    EXPECT_FALSE(socket->Connect("not an address", 35600));
  }
  {
    // Pieces arrive one by one; an orderly close reads as 0.
    LoopbackPeer peer([](SOCKET panel) {
      for (const char* piece : {"SETTING", " CHANGE", " OK\r\n."}) {
        LoopbackPeer::SendText(panel, piece);
        std::this_thread::sleep_for(100ms);
      }
    });
    auto socket = ConnectedSocket(network, peer);
    ASSERT_NE(socket, nullptr);
    EXPECT_EQ(ReceiveUntilClosed(*socket), "SETTING CHANGE OK\r\n.");
    std::uint8_t byte;
    EXPECT_EQ(socket->Receive(&byte, 1), 0) << "a closed connection must keep reading as 0";
  }
}

// Wine reports a reset to recv as an orderly close; the layer still tells
// the two apart, so a log cut by a reset never looks complete.
TEST_F(SocketWait, AResetAfterSomeDataIsAFailedReceive) {
  LoopbackPeer peer([](SOCKET panel) {
    LoopbackPeer::SendText(panel, std::string(3000, 'L'));
    std::this_thread::sleep_for(200ms);
    const linger abort{1, 0};
    ::setsockopt(panel, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    ::closesocket(panel);
  });
  auto socket = ConnectedSocket(network, peer);
  ASSERT_NE(socket, nullptr);
  std::size_t received = 0;
  std::uint8_t buffer[4096];
  std::ptrdiff_t got;
  while ((got = socket->Receive(buffer, sizeof buffer)) > 0)
    received += static_cast<std::size_t>(got);
  EXPECT_EQ(received, 3000u);
  EXPECT_EQ(got, -1) << "a reset read as the end of the data";
}

TEST_F(SocketWait, ASilentPeerEndsEachWaitAfterTheLimit) {
  const std::string image(64 * 1024 * 1024, 'x');
  LoopbackPeer peer([](SOCKET) { std::this_thread::sleep_for(3s); });
  auto socket = ConnectedSocket(network, peer);
  ASSERT_NE(socket, nullptr);
  socket->SetWaitLimit(300ms);

  auto started = std::chrono::steady_clock::now();
  std::uint8_t buffer[64];
  EXPECT_EQ(socket->Receive(buffer, sizeof buffer), platform::StreamSocket::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - started, 300ms);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);

  // A peer that reads nothing: the send fails once the buffers are full.
  started = std::chrono::steady_clock::now();
  std::size_t sent = 0;
  std::ptrdiff_t n = 0;
  while (sent < image.size() &&
         (n = socket->Send(reinterpret_cast<const std::uint8_t*>(image.data()) + sent,
                           image.size() - sent)) > 0) {
    sent += static_cast<std::size_t>(n);
  }
  EXPECT_EQ(n, platform::StreamSocket::kTimedOut);
  EXPECT_LT(sent, image.size());
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2500ms);
}

// The wait cursor shows while a socket (an exchange) lives, but not while
// a message box waits for the user, and the cursor from before returns.
TEST_F(SocketWait, TheWaitCursorShowsForTheExchangeButNotOverABox) {
  const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
  ::SetCursor(arrow);
  {
    auto socket = network.CreateStreamSocket(kWaitLimit);
    ASSERT_NE(socket, nullptr);
    EXPECT_EQ(::GetCursor(), wait);
    {
      const desktop::WaitCursor::Pause box(waitCursor);
      EXPECT_EQ(::GetCursor(), arrow);
    }
    EXPECT_EQ(::GetCursor(), wait);
  }
  EXPECT_EQ(::GetCursor(), arrow);
}

// vk38 and the simulator make their sockets through SystemNetwork and wait
// on threads of their own, several at once: a silent peer ends each wait at
// the limit, and no window and no wait cursor take part, not even on a
// thread that has windows.
TEST_F(SocketWait, PlainWaitsTimeOutOnAnyThreadWithoutTouchingWindows) {
  ProbeWindow probe;
  ::InvalidateRect(probe.Handle(), nullptr, TRUE);  // paint work that a plain wait leaves alone
  const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  ::SetCursor(arrow);
  platform::SystemNetwork plain;
  {
    const auto socket = plain.CreateStreamSocket(kWaitLimit);
    EXPECT_EQ(::GetCursor(), arrow) << "a plain socket showed the wait cursor";
  }
  const auto silentReceive = [&plain] {
    LoopbackPeer peer([](SOCKET) { std::this_thread::sleep_for(1s); });
    auto socket = ConnectedSocket(plain, peer);
    if (socket == nullptr) return std::ptrdiff_t{0};
    socket->SetWaitLimit(200ms);
    std::uint8_t byte;
    return socket->Receive(&byte, 1);
  };

  std::vector<std::ptrdiff_t> onWorkers(3);
  std::vector<std::thread> workers;
  for (std::ptrdiff_t& result : onWorkers) {
    workers.emplace_back([&result, &silentReceive] { result = silentReceive(); });
  }
  const std::ptrdiff_t onThisThread = silentReceive();
  for (std::thread& worker : workers) worker.join();

  EXPECT_EQ(onThisThread, platform::StreamSocket::kTimedOut);
  for (const std::ptrdiff_t onWorker : onWorkers) {
    EXPECT_EQ(onWorker, platform::StreamSocket::kTimedOut);
  }
  EXPECT_EQ(probe.paints, 0) << "a plain wait dispatched paint messages";
}

}  // namespace
