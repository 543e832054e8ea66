// What the operator feels of the real SetupTool.exe under Wine: for each
// action, the time from the message that a click, a scroll or a tab sends
// to the window repainted, taken many times, as p50, p95, the worst and the
// share over one 60 Hz frame. The actions: REFRESH with the panel answering
// at once; a scroll of one row, of one page and to the end; a switch to each
// tab and back; a message box shown, and closed.
//   click_wine_bench.exe [REPEATS] PATH-OF-SetupTool.exe   (200 by default)
// Runs beside the panel simulator, inside the private network:
// scripts/bench builds and runs it.
#include <windows.h>
#include <winsock2.h>

#include <commctrl.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "controls.h"
#include "dialogs.h"
#include "latency.h"
#include "program.h"
#include "resources/resource.h"
#include "simulator_control.h"
#include "window.h"
#include "wine/setting_table.h"
#include "wine_bench_arguments.h"

namespace {

using Clock = std::chrono::steady_clock;
using wine_driver::DriverError;

constexpr const char* kPanel = "192.168.0.9";  // VK1, the panel the Setting page starts on
constexpr int kSettingTab = 0;
constexpr int kIpAddressTab = 2;
constexpr int kDefaultRepeats = 200;
const wchar_t* const kTabNames[] = {L"Setting", L"File Operate", L"IP Address", L"User Auth."};

// Has the program's thread paint now whatever waits to be painted in
// `window` and its children: the paint is done when this returns.
void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls `probe` every millisecond, so that the wait adds no more than that
// to a sample; throws when the driver's time limit passes first.
template <class Probe>
auto WaitClosely(Probe probe, const char* what) -> decltype(probe()) {
  const auto deadline = Clock::now() + wine_driver::kTimeout;
  for (;;) {
    if (auto value = probe()) return value;
    if (Clock::now() >= deadline) throw DriverError(std::string("timed out waiting for ") + what);
    Sleep(1);
  }
}

class ClickBench {
 public:
  ClickBench(wine_driver::ProgramUnderTest& program, int repeats)
      : program_(program),
        main_(program.WaitForMainWindow()),
        tab_(wine_driver::Child(main_, IDC_TAB)),
        repeats_(repeats) {}

  void Refresh() {
    const HWND page = program_.SettingPage();
    const HWND refresh = wine_driver::Child(page, IDC_SETTING_REFRESH);
    Report("REFRESH", Samples([&] { wine_driver::Send(refresh, BM_CLICK); }));
    // The table read must have reached the screen, and nothing gone wrong.
    if (wine_driver::Text(wine_driver::Child(page, IDC_CAMERA_NO_01)) != L"C001" ||
        program_.FindMessageBox()) {
      throw DriverError("REFRESH did not show the panel's table");
    }
  }

  // The scroll bar's request, each time from the top of the table.
  void Scroll(const char* action, int request) {
    const HWND page = program_.SettingPage();
    const HWND bar = wine_driver::Child(page, IDC_SETTING_SCROLL);
    const auto scroll = [&](int what) {
      wine_driver::Send(page, WM_VSCROLL, MAKEWPARAM(what, 0), reinterpret_cast<LPARAM>(bar));
    };
    Report(action, Samples([&] { scroll(request); },
                           [&] {
                             scroll(SB_TOP);
                             PaintNow(main_);
                           }));
  }

  // From the Setting tab to each other tab, and back: both clicks count.
  void Tabs() {
    for (int tab = kSettingTab + 1; tab < 4; ++tab) {
      std::vector<double> samples;
      for (int i = 0; i <= repeats_; ++i) {  // the first round warms up
        for (const int to : {tab, kSettingTab}) {
          const auto start = Clock::now();
          wine_driver::Send(tab_, TCM_SETCURFOCUS, to);
          PaintNow(main_);
          if (i > 0) samples.push_back(MillisecondsSince(start));
        }
      }
      Report("tab " + wine_driver::Narrow(kTabNames[tab]) + " and back", samples);
    }
    if (wine_driver::SelectedTab(tab_) != kSettingTab) throw DriverError("tabs did not switch");
  }

  // The IP Address page's SET with VK1 blank: "Unavailable network
  // setting!", then its OK.
  void MessageBox() {
    wine_driver::SelectTab(tab_, kIpAddressTab);
    const HWND page = program_.IpAddressPage();
    wine_driver::TypeIpAddress(wine_driver::Child(page, IDC_VK1_ADDRESS), L"");
    const HWND set = wine_driver::Child(page, IDC_IPSET_SET);
    std::vector<double> shown;
    std::vector<double> closed;
    for (int i = 0; i <= repeats_; ++i) {  // the first round warms up
      auto start = Clock::now();
      wine_driver::Post(set, BM_CLICK);
      const HWND box = WaitClosely(
          [&]() -> HWND {
            const std::vector<HWND> dialogs = program_.Dialogs();
            return dialogs.empty() ? nullptr : dialogs.front();
          },
          "the message box");
      PaintNow(box);
      if (i > 0) shown.push_back(MillisecondsSince(start));
      if (i == 0) ExpectUnavailableSetting();
      start = Clock::now();
      wine_driver::Post(wine_driver::Child(box, IDOK), BM_CLICK);
      WaitClosely([&] { return !IsWindow(box) || !IsWindowVisible(box); }, "the box to close");
      PaintNow(main_);
      if (i > 0) closed.push_back(MillisecondsSince(start));
    }
    Report("message box shown", shown);
    Report("message box closed", closed);
    wine_driver::SelectTab(tab_, kSettingTab);
  }

 private:
  // `act` and the repaint it causes, timed `repeats_` times after one
  // round that warms up; `reset` runs untimed after each.
  std::vector<double> Samples(const std::function<void()>& act,
                              const std::function<void()>& reset = {}) {
    std::vector<double> samples;
    for (int i = 0; i <= repeats_; ++i) {
      const auto start = Clock::now();
      act();
      PaintNow(main_);
      if (i > 0) samples.push_back(MillisecondsSince(start));
      if (reset) reset();
    }
    return samples;
  }

  void ExpectUnavailableSetting() const {
    const std::optional<wine_driver::MessageBoxView> box = program_.FindMessageBox();
    if (!box || box->text.rfind(L"Unavailable network setting!", 0) != 0) {
      throw DriverError("SET showed no \"Unavailable network setting!\" box");
    }
  }

  static void Report(const std::string& action, const std::vector<double>& samples) {
    bench::PrintLatency(action, bench::Summarize(samples));
    std::fflush(stdout);
  }

  wine_driver::ProgramUnderTest& program_;
  const HWND main_;
  const HWND tab_;
  const int repeats_;
};

int Run(const std::wstring& programPath, int repeats) {
  const wine_driver::SimulatorControl simulator;
  simulator.Reset();
  simulator.Put(kPanel, "camera-record", setting_table::ExampleTable());
  wine_driver::ProgramUnderTest program(programPath);
  ClickBench bench(program, repeats);
  std::printf("SetupTool.exe under Wine, %d times each\n", repeats);
  bench::PrintLatencyHead();
  bench.Refresh();
  bench.Scroll("scroll one row", SB_LINEDOWN);
  bench.Scroll("scroll one page", SB_PAGEDOWN);
  bench.Scroll("scroll to the end", SB_BOTTOM);
  bench.Tabs();
  bench.MessageBox();
  return 0;
}

}  // namespace

int main() {
  const auto arguments = bench::ReadWineBenchArguments(kDefaultRepeats);
  if (!arguments || arguments->number > 100000) {
    std::fprintf(stderr, "usage: click_wine_bench [REPEATS] PATH-OF-SetupTool.exe\n");
    return 2;
  }

  WSADATA wsa;  // for the simulator's control channel
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  int status = 1;
  try {
    status = Run(arguments->program, static_cast<int>(arguments->number));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "click_wine_bench: %s\n", error.what());
  }
  WSACleanup();
  return status;
}
