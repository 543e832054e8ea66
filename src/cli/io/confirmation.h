// What a person answers at the terminal before vk38 changes a panel: the
// answer read as yes or no, and the questions of panels worked on at once
// asked one after another.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "io/machine.h"

namespace cli {

// "y" or "yes" in any case.
bool IsYes(std::string answer);

// A change that must be confirmed can go ahead: --yes (`yes`) says so, or a
// terminal can ask. Otherwise false, told on standard error with `what`
// ("assigning addresses"): nothing was sent.
bool ConfirmationPossible(Machine& machine, bool yes, std::string_view what);

// Asks one panel's question at a time, after the lines it is about.
class PanelQuestions {
 public:
  explicit PanelQuestions(Machine& machine) : machine_(machine) {}
  // True when the person answered yes to `question` (after `lines`, each
  // headed by `heading`); false for anything else, the end of input included.
  bool Ask(std::string_view heading, const std::vector<std::string>& lines,
           const std::string& question);

 private:
  Machine& machine_;
  std::mutex asking_;
};

}  // namespace cli
