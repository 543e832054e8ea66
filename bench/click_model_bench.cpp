// The actions of click_wine_bench on the page model alone, natively: the
// main window and its pages with a scripted host instead of windows, the
// panel simulated in this process. Set beside the figures under Wine, they
// show what the window mirror adds to each click.
//   click_model_bench [REPEATS]   (200 by default)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/setup_tool_dlg.h"
#include "latency.h"
#include "platform/system.h"
#include "resources/resource.h"
#include "sim/panel_simulator.h"
#include "support/private_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"
#include "wine/setting_table.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009;
constexpr int kDefaultRepeats = 200;
const char* const kTabNames[] = {"Setting", "File Operate", "IP Address", "User Auth."};

// `act` timed `repeats` times after one round that warms up; `reset` runs
// untimed after each.
std::vector<double> Samples(int repeats, const std::function<void()>& act,
                            const std::function<void()>& reset = {}) {
  std::vector<double> samples;
  for (int i = 0; i <= repeats; ++i) {
    const auto start = Clock::now();
    act();
    if (i > 0)
      samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (reset) reset();
  }
  return samples;
}

void Report(const std::string& action, const std::vector<double>& samples) {
  bench::PrintLatency(action, bench::Summarize(samples));
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::EnsurePrivateNetwork(argc, argv);
  const int repeats = argc > 1 ? std::atoi(argv[1]) : kDefaultRepeats;
  if (argc > 2 || repeats < 1) {
    std::fprintf(stderr, "usage: click_model_bench [REPEATS]\n");
    return 2;
  }
  platform::SystemNetwork network;
  platform::SystemFileSystem files;
  sim::PanelSimulator simulator{network, {kVk1}};
  std::string error;
  if (!simulator.Start(&error)) {
    std::fprintf(stderr, "simulator: %s\n", error.c_str());
    return 1;
  }
  simulator.Panel(kVk1).SetCameraRecord(setting_table::ExampleTable());

  testing_support::ScriptedHost host;
  rules::PanelAddressBook panels;
  CSetupToolDlg dlg{PageContext{host, ChosenPanel{network, panels}, files}};
  dlg.OnInitDialog();
  IPSetting& setting = dlg.m_setting;

  std::printf("the page model alone, natively, %d times each\n", repeats);
  bench::PrintLatencyHead();
  Report("REFRESH",
         Samples(repeats, [&] { testing_support::Click(setting, IDC_SETTING_REFRESH); }));
  if (setting.Controls().Text(IDC_CAMERA_NO_01) != "C001" || !host.boxes.empty()) {
    std::fprintf(stderr, "click_model_bench: REFRESH did not show the panel's table\n");
    return 1;
  }
  const auto scroll = [&](int request) { setting.OnVScroll(request, 0, IDC_SETTING_SCROLL); };
  const auto toTop = [&] { scroll(ui::kSbTop); };
  Report("scroll one row", Samples(
                               repeats, [&] { scroll(ui::kSbLineDown); }, toTop));
  Report("scroll one page", Samples(
                                repeats, [&] { scroll(ui::kSbPageDown); }, toTop));
  Report("scroll to the end", Samples(
                                  repeats, [&] { scroll(ui::kSbBottom); }, toTop));
  for (int tab = 1; tab < 4; ++tab) {
    std::vector<double> both;
    for (const int to : {tab, 0}) {
      const std::vector<double> one = Samples(
          repeats, [&] { testing_support::SelectTab(dlg, IDC_TAB, to); },
          [&] { testing_support::SelectTab(dlg, IDC_TAB, to == 0 ? tab : 0); });
      both.insert(both.end(), one.begin(), one.end());
    }
    Report(std::string("tab ") + kTabNames[tab] + " and back", both);
  }
  // SET with VK1 blank: the box, answered at once by the scripted host.
  testing_support::EnterAddress(dlg.m_ipset, IDC_VK1_ADDRESS, 0);
  Report("message box shown and closed",
         Samples(repeats, [&] { testing_support::Click(dlg.m_ipset, IDC_IPSET_SET); }));
  if (host.boxes.size() != static_cast<std::size_t>(repeats) + 1 ||
      host.boxes.front().text.rfind("Unavailable network setting!", 0) != 0) {
    std::fprintf(stderr, "click_model_bench: SET showed no \"Unavailable network setting!\" box\n");
    return 1;
  }
  return 0;
}
