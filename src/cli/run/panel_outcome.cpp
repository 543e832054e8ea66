#include "run/panel_outcome.h"

namespace cli {

std::string_view CodeName(Code code) {
  switch (code) {
    case Code::kOk:
      return "ok";
    case Code::kUnreachable:
      return "unreachable";
    case Code::kTimeout:
      return "timeout";
    case Code::kBroken:
      return "broken";
    case Code::kRefused:
      return "refused";
    case Code::kBadData:
      return "bad-data";
    case Code::kFile:
      return "file";
    case Code::kInterrupted:
      return "interrupted";
    case Code::kNotVerified:
      return "not-verified";
    case Code::kNotStarted:
      return "not-started";
  }
  return "broken";
}

std::string_view ChangeName(Change change) {
  switch (change) {
    case Change::kNo:
      return "no";
    case Change::kMaybe:
      return "maybe";
    case Change::kYes:
      return "yes";
  }
  return "maybe";
}

PanelOutcome Failure(Code code, std::string message, std::string cause, std::string file) {
  return {.panel = 0,
          .name = {},
          .code = code,
          .message = std::move(message),
          .cause = std::move(cause),
          .file = std::move(file),
          .bytes = std::nullopt,
          .mayRetry = false,
          .changed = std::nullopt};
}

}  // namespace cli
