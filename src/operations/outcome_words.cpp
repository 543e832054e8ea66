#include "operations/outcome_words.h"

namespace operations {

std::string_view WordsFor(const Outcome& outcome, const OutcomeWords& words) {
  switch (outcome.ending) {
    case Ending::kDone:
      return words.done;
    case Ending::kNoSocket:
      return words.noSocket;
    case Ending::kNotConnected:
      return words.notConnected;
    case Ending::kSilent:
    case Ending::kOverdue:
    case Ending::kBroken:
      return outcome.stage < Stage::kPayload ? words.lost : words.payloadLost;
    case Ending::kRefused:
      return words.refused;
    case Ending::kBlockCut:
      return words.payloadLost;
    case Ending::kNotWritten:
      return words.notWritten;
    case Ending::kBadData:
      return words.badData;
    case Ending::kNoFile:
      return words.noFile;
    case Ending::kFileFailed:
      return words.fileFailed;
  }
  return {};
}

}  // namespace operations
