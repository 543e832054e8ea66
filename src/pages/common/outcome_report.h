// How a page shows the outcome of a panel operation: the texts it gives each
// ending (an empty one shows none), every failure with ui::Page::ShowFailure and
// the success with ShowStatus. The texts are the operation's words in
// rules/outcome_texts.h, which vk38 shares:
//
//   ReportOutcome(*this, operations::WriteSetupBlock(link, open), rules::kSetupLoadWords);
#pragma once

#include "operations/outcome.h"
#include "operations/outcome_words.h"
#include "ui/page.h"

using ExchangeTexts = operations::OutcomeWords;

// Shows the text `texts` give the outcome, if any.
void ReportOutcome(ui::Page& page, const operations::Outcome& outcome, const ExchangeTexts& texts);

// True when the panel did not take the connection or the command did not go
// out: the pages then leave what they show as it is. A socket that could not
// be made is not such an ending; the pages go on as after a silent panel.
bool StoppedAtStart(const operations::Outcome& outcome);
