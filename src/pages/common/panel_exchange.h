// One exchange of a page with the current panel, in the shape every page
// shares: open the session, send the command line, judge the reply, move the
// payload, judge the confirmation. What differs between pages — the texts
// each ending shows, and which endings stay silent — is an ExchangeTexts
// value that the page writes out where it starts the exchange.
#pragma once

#include <functional>
#include <string_view>

#include "protocol/panel_link.h"
#include "protocol/panel_session.h"
#include "ui/page.h"

// An ending that shows no message.
inline constexpr std::string_view kSilent{};

// The message for each way an exchange can end; kSilent shows none. Every
// failure shows with ui::Page::ShowFailure, the confirmation with ShowStatus.
struct ExchangeTexts {
  std::string_view noSocket = kSilent;      // the socket could not be created
  std::string_view notConnected = kSilent;  // the panel did not take the connection
  std::string_view lost = kSilent;          // the command did not go out, or no reply came
  std::string_view refused = kSilent;       // the reply was not the one expected
  std::string_view blockLost = kSilent;     // the block did not go out whole, or no reply came
  std::string_view notWritten = kSilent;    // the panel's last reply was not "WRITE OK"
  std::string_view written = kSilent;       // the panel confirmed the write
};

// How the start of an exchange went: the socket could not be made, the
// connection or the command failed, or the command is on its way. Each
// ending has been reported as the texts say.
enum class ExchangeStart { kNoSocket, kFailed, kSent };

// How a page's block went out in a write: whole, not whole (a send or a
// read of its source failed), or abandoned by the page after reporting why.
enum class BlockDelivery { kSent, kCut, kAbandoned };

class PanelExchange {
 public:
  using BlockSender = std::function<BlockDelivery(CPanelSession&)>;

  PanelExchange(ui::Page& page, const PanelLink& link, const ExchangeTexts& texts)
      : page_(page), session_(link), texts_(texts) {}

  // Opens the session and sends `command`.
  ExchangeStart Start(std::string_view command);
  // Waits for the reply line; reports `lost` when none comes.
  bool AwaitReply();
  // True when the last reply begins with `expected`; reports `refused` when not.
  bool CheckReply(std::string_view expected);
  // AwaitReply, then CheckReply.
  bool AwaitAcceptance(std::string_view expected) { return AwaitReply() && CheckReply(expected); }
  // A write: `command`, the panel's "SETTING CHANGE OK", the block that
  // `send` puts on the wire, and the panel's "WRITE OK". True only when the
  // panel confirmed the write; every ending is reported as the texts say.
  bool Write(std::string_view command, const BlockSender& send);

  CPanelSession& Session() { return session_; }

 private:
  void Report(std::string_view failure);

  ui::Page& page_;
  CPanelSession session_;
  ExchangeTexts texts_;
};
