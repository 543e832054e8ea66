// Each panel's outcome as a line: plain ("192.168.0.9: Write OK") or one
// JSON object ({"panel": "192.168.0.9", "ok": true, "message": "Write OK"}).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/fleet.h"

namespace cli {

enum class ReportForm { kPlain, kJson };

std::string OutcomeLine(const PanelOutcome& outcome, ReportForm form);
void PrintOutcomes(std::FILE* out, const std::vector<PanelOutcome>& outcomes, ReportForm form);
bool AllSucceeded(const std::vector<PanelOutcome>& outcomes);

}  // namespace cli
