// Trying a panel again when the network failed it (--retries): a panel
// that took no connection, fell silent or broke off is tried again after a
// growing pause, unless a command that may change it had gone out by then
// (a write is never sent twice), or the failure was the panel's answer,
// bad data or a file's. Ctrl-C ends the pause and the tries.
#pragma once

#include <chrono>

#include "io/note_lines.h"
#include "operations/outcome.h"
#include "run/outcome_cause.h"
#include "run/panel_target.h"
#include "run/run_context.h"

namespace cli {

// Whether another try might go through: the network ended the exchange
// (not a socket the machine could not make, the panel's answer, data it
// sent or a file), and for an exchange that sends, before its command went
// out. A read that got nothing at all is the panel closing at once, as a
// busy panel does, and is no data to judge.
bool MayRetry(const operations::Outcome& outcome, const ExchangeTerms& terms);

// The pause before the `retry`th try again (from 1): 1 s, 2 s, 4 s, 8 s,
// then 16 s each.
std::chrono::milliseconds RetryPauseBefore(int retry);

// The outcome of `task` on `panel`, tried up to context.retries times more
// while a try ends in a failure that may be tried again. Each try again is
// noted on `lines` (not with --quiet); with --verbose each step of each
// exchange is traced there.
PanelOutcome TryPanel(const RunContext& context, const Panel& panel, const TargetTask& task,
                      NoteLines& lines);

}  // namespace cli
