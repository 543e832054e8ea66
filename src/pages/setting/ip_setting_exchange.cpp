// What every exchange of the Setting page with the panel shares: the start
// of the session with its failure messages, taking a received record, and
// the read-time copies of the addresses.
#include <algorithm>
#include <cstdio>

#include "pages/common/outcome_texts.h"
#include "pages/setting/ip_setting.h"

IPSetting::ExchangeStart IPSetting::StartExchange(CPanelSession& session,
                                                  std::string_view command) {
  switch (session.Open()) {
    case OpenResult::kSocketNotCreated:
      return ExchangeStart::kNoSocket;
    case OpenResult::kNotConnected:
      ShowFailure(kNoConnect);
      return ExchangeStart::kFailed;
    case OpenResult::kOpen:
      break;
  }
  if (!session.SendCommand(command)) {
    ShowFailure(kSocketError);
    return ExchangeStart::kFailed;
  }
  return ExchangeStart::kSent;
}

bool IPSetting::FetchRecord(std::string_view command) {
  CPanelSession session(link_);
  switch (StartExchange(session, command)) {
    case ExchangeStart::kFailed:
      return false;
    case ExchangeStart::kNoSocket:
      return true;
    case ExchangeStart::kSent:
      break;
  }
  if (const auto received = session.ReceiveUntilClosed()) {
    TakeRecord(session.ReplyBuffer().first(*received));
  }
  return true;
}

bool IPSetting::TakeRecord(std::span<const std::uint8_t> received) {
  // A panel always sends the whole record. Anything shorter or longer is
  // dropped like a record with a bad sum, so that a cut reply can never
  // mix with the table it would partly overwrite.
  if (received.size() != IpSettingRecord::kSize || !IsChecksumValid(received)) return false;
  std::copy(received.begin(), received.end(), table_.bytes.begin());
  DecodeKinds(table_);
  return true;
}

void IPSetting::TakeReadTimeCopies() {
  for (int c = 0; c < kCameraCount; ++c) {
    const ConstAddrField entry = table_.CamAddr(c);
    std::copy(entry.begin(), entry.end(), camAddrAtRead[c].begin());
  }
  const ConstAddrField sw = table_.SwAddr();
  std::copy(sw.begin(), sw.end(), swAddrAtRead.begin());
}

void IPSetting::ShowDuplication(ConstAddrField address) {
  char text[40];
  std::snprintf(text, sizeof text, "IP(%d.%d.%d.%d) Duplication", address[0], address[1],
                address[2], address[3]);
  ShowFailure(text);
}
