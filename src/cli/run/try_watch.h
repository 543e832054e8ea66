// What vk38 learns from the steps of the sessions of one try at a panel:
// whether a command that may change the panel went out (after which the
// panel is never tried again), and, with -v, a trace of each step on
// standard error ("192.168.0.9 studio-a: > VK38 SETTING REQ"). The steps
// come from the session itself; a block shows as its size only, so that no
// password is ever traced.
#pragma once

#include <string>

#include "io/note_lines.h"
#include "panels/panel_names.h"
#include "protocol/session_steps.h"

namespace cli {

// "> VK38 SETTING REQ", "< SETTING CHANGE OK", "> 4096 bytes",
// "< 2048 bytes", "connected", "no connection", "the panel closed the
// connection", ...
std::string StepText(const protocol::SessionStep& step);

class TryWatch final : public protocol::SessionObserver {
 public:
  // `trace`, when given, takes a line for each step.
  TryWatch(const Panel& panel, NoteLines* trace) : panel_(panel), trace_(trace) {}

  void Step(const protocol::SessionStep& step) override;
  // True once a command that may change the panel went out (or began to).
  bool ChangeSent() const { return changeSent_; }

 private:
  const Panel& panel_;
  NoteLines* trace_;
  bool changeSent_ = false;
};

}  // namespace cli
