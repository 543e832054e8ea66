// The steps of each fuzz target: one input byte, taken modulo kStepCount,
// picks the next one. The targets read them and fuzz_seeds writes them, so
// both take the numbering from here.
#pragma once

#include <cstdint>

namespace fuzz::steps {

namespace setting_refresh {
enum Step : std::uint8_t { kRefresh, kScroll, kEveryPosition, kStepCount };
}

namespace setting_assign {
enum Step : std::uint8_t { kRenew, kKeep, kSet, kCancel, kRefresh, kScroll, kStepCount };
}

namespace setting_write {
enum Step : std::uint8_t {
  kRefresh,
  kPickType,
  kPickInput,
  kPickCamera,
  kTypeAddress,
  kScroll,
  kSet,
  kAllClear,
  kStepCount
};
}

namespace user_auth {
enum Step : std::uint8_t { kType, kRefresh, kSet, kStepCount };
// The field a kType step types into, by the byte after it.
enum FieldIndex : std::uint8_t {
  kOldUser,
  kNewUser,
  kOldPassword,
  kNewPassword,
  kRetype,
  kFieldCount
};
}  // namespace user_auth

namespace file_ope {
enum Step : std::uint8_t { kChooseFile, kLoad, kSave, kSaveLog, kTypePath, kStepCount };
}

namespace upgrade {
enum Step : std::uint8_t { kChooseProgram, kChooseFpga, kLoadProgram, kLoadFpga, kStepCount };
}

namespace panel_session {
enum Step : std::uint8_t {
  kReceiveReply,
  kReceiveUntilClosed,
  kReceiveStream,
  kSendCommand,
  kSendFile,
  kStepCount
};
}

}  // namespace fuzz::steps
