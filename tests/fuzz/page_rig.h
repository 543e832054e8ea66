// A page with everything around it that a fuzz target drives: the scripted
// host, the fuzzed panels, in-memory files and the panel address book. A
// click takes the next connection's script from the input; the boxes it
// showed are in LastBoxes().
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "fuzz_peer.h"
#include "pages/common/page_context.h"
#include "support/fake_file_system.h"
#include "support/fake_network.h"
#include "support/scripted_host.h"
#include "support/user_input.h"

namespace fuzz {

template <class PageType>
class PageRig {
 public:
  PageRig() { WatchHost(&host); }
  ~PageRig() { WatchHost(nullptr); }
  PageRig(const PageRig&) = delete;
  PageRig& operator=(const PageRig&) = delete;

  ScriptedConnection Click(int button, FuzzInput& input) {
    ScriptedConnection connection(network, input);
    Act([&] { testing_support::Click(page, button); });
    return connection;
  }
  void Act(const std::function<void()>& action) {
    const std::size_t from = host.boxes.size();
    action();
    host.ForgetUnusedAnswers();
    lastBoxes_ = BoxesSince(host, from);
  }
  const std::vector<std::string>& LastBoxes() const { return lastBoxes_; }
  const ui::ControlModel& Screen() const { return page.Controls(); }

  testing_support::ScriptedHost host;
  testing_support::FakeNetwork network;
  testing_support::FakeFileSystem files;
  rules::PanelAddressBook panels;
  PageType page{PageContext{host, ChosenPanel{network, panels}, files}};

 private:
  std::vector<std::string> lastBoxes_;
};

}  // namespace fuzz
