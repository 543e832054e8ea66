// The words a face (a page, vk38) gives the endings of its operations: one
// text for each way an operation can end, an empty one where that face says
// nothing. Which text an outcome gets is decided here once, for every face.
#pragma once

#include <string_view>

#include "operations/outcome.h"

namespace operations {

struct OutcomeWords {
  std::string_view noSocket{};      // no socket could be made
  std::string_view notConnected{};  // the panel did not take the connection
  std::string_view lost{};          // the command did not go out, or no acceptance came
  std::string_view refused{};       // the panel did not accept the command
  std::string_view payloadLost{};   // the block, image or log was cut, or no verdict came
  std::string_view notWritten{};    // the panel did not take what was sent
  std::string_view badData{};       // what the panel sent cannot be used
  std::string_view noFile{};        // the local file could not be opened or created
  std::string_view fileFailed{};    // the local file could not be read or written
  std::string_view done{};          // the operation went through
};

// The text `words` give the outcome. A connection that fell silent, ran out
// of time or broke is "lost" up to the acceptance and "payloadLost" from
// the payload on.
std::string_view WordsFor(const Outcome& outcome, const OutcomeWords& words);

}  // namespace operations
