// What every exchange of the Setting page with the panel shares: its
// failure messages, fetching and taking a received record, and the
// read-time copies of the addresses.
#include <algorithm>

#include "pages/common/outcome_texts.h"
#include "pages/common/panel_exchange.h"
#include "pages/setting/ip_setting.h"

// Every exchange of the page: a socket that cannot be made and a block
// that does not get through, or is not answered, end silently.
const ExchangeTexts IPSetting::kExchangeTexts{.noSocket = kSilent,
                                              .notConnected = kNoConnect,
                                              .lost = kSocketError,
                                              .refused = kCommandError,
                                              .blockLost = kSilent,
                                              .notWritten = kWriteError,
                                              .written = kWriteOk};

bool IPSetting::FetchRecord(std::string_view command) {
  PanelExchange exchange(*this, link_, kExchangeTexts);
  switch (exchange.Start(command)) {
    case ExchangeStart::kFailed:
      return false;
    case ExchangeStart::kNoSocket:
      return true;
    case ExchangeStart::kSent:
      break;
  }
  CPanelSession& session = exchange.Session();
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
  camAddrAtRead = rules::CameraAddresses(table_);
  swAddrAtRead = rules::SwitcherAddress(table_);
}

void IPSetting::ShowDuplication(ConstAddrField address) {
  ShowFailure(rules::DuplicationText(address));
}
