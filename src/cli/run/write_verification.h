// --verify: after a panel confirmed a write ("WRITE OK"), what it holds is
// read back and set beside what was sent. A difference, or a read-back that
// fails, ends the panel "not-verified" with what differs: the camera and
// field of a table, the first differing byte and the count of a setup
// block, which of the user name and password (never their values).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/credential_record.h"
#include "protocol/ip_setting_record.h"
#include "protocol/panel_link.h"
#include "run/panel_outcome.h"

namespace cli {

// Each takes the write's outcome (which must be ok) and gives it back
// marked verified, or the failure.
// `prepared` is the table as sent, the MAC rule applied.
PanelOutcome VerifyCameraTable(const protocol::PanelLink& link,
                               const protocol::IpSettingRecord& prepared, PanelOutcome written);
PanelOutcome VerifySetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> sent,
                              PanelOutcome written);
PanelOutcome VerifyCredentials(const protocol::PanelLink& link,
                               const protocol::CredentialRecord& sent, PanelOutcome written);

// Where two blocks differ: the first differing offset and how many bytes
// differ, a byte that only one of them has counting as differing.
struct BlockDifference {
  std::size_t first = 0;
  std::size_t count = 0;
};
std::optional<BlockDifference> CompareBlocks(std::span<const std::uint8_t> sent,
                                             std::span<const std::uint8_t> read);

}  // namespace cli
