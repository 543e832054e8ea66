#include "pages/common/outcome_report.h"

void ReportOutcome(ui::Page& page, const operations::Outcome& outcome, const ExchangeTexts& texts) {
  const std::string_view text = operations::WordsFor(outcome, texts);
  if (text.empty()) return;
  if (outcome.Done()) {
    page.ShowStatus(text);
  } else {
    page.ShowFailure(text);
  }
}

bool StoppedAtStart(const operations::Outcome& outcome) {
  return outcome.ending == operations::Ending::kNotConnected ||
         outcome.stage == operations::Stage::kCommand;
}
