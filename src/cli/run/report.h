// Each panel's outcome as a line, printed as the panel ends: plain
// ("192.168.0.9: Write OK", "192.168.0.21 studio-a-left: FAILED: Socket
// Error!! - ...") or one JSON object with the same fields for every command
// ("name": null for a panel without a name); then a summary line ("3
// panels: 2 succeeded, 1 failed", then the interrupted and the not started
// where there are any) or object ({"summary": ...}).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "run/panel_outcome.h"

namespace cli {

enum class ReportForm { kPlain, kJson };

std::string OutcomeLine(const PanelOutcome& outcome, ReportForm form);
// A text from a panel or a page for one line of a terminal: its lines
// joined by a space, no CR or other control character left (each other
// one shown as '?'), so that nothing a panel sends can move the cursor or
// start a line without its panel.
std::string OneLine(std::string_view text);
std::string SummaryLine(const std::vector<PanelOutcome>& outcomes, ReportForm form);

// Writes the lines to one stream, each flushed at once. A line that cannot
// be written is noted, never thrown.
class Reporter {
 public:
  // With `failuresOnly` (--quiet), a panel that succeeded is not told.
  Reporter(std::FILE* out, ReportForm form, bool failuresOnly = false)
      : out_(out), form_(form), failuresOnly_(failuresOnly) {}

  void Outcome(const PanelOutcome& outcome) {
    if (!failuresOnly_ || !outcome.Ok()) Print(OutcomeLine(outcome, form_));
  }
  void Summary(const std::vector<PanelOutcome>& outcomes) { Print(SummaryLine(outcomes, form_)); }
  // False once a line could not be written whole.
  bool Written() const { return written_; }

 private:
  void Print(const std::string& line);

  std::FILE* out_;
  ReportForm form_;
  bool failuresOnly_;
  bool written_ = true;
};

}  // namespace cli
