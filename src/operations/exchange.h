// The steps the panel operations share, on one CPanelSession: the start
// (connection and command line), a reply line judged by how it begins, a
// block read until the panel closes, and the write shape (command, "SETTING
// CHANGE OK", block, "WRITE OK"). A failed step gives the outcome that ends
// the operation; nothing means the step went through.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "operations/outcome.h"
#include "protocol/panel_link.h"
#include "protocol/panel_session.h"

namespace operations {

using Step = std::optional<Outcome>;

// The ending of a step at `stage` whose send or receive did not complete,
// by why the session's last wait ended.
Outcome Interrupted(const protocol::CPanelSession& session, Stage stage);

// Opens the session and sends `command`.
Step Start(protocol::CPanelSession& session, std::string_view command);
// Waits for the panel's acceptance of the command: a reply line that
// begins with `expected` (kRefused, with the line, when another came).
Step ExpectAcceptance(protocol::CPanelSession& session, std::string_view expected);
// The verdict that follows a write or an image: done when the next reply
// line (waited for as `wait` says) begins with `success`, kNotWritten with
// the line otherwise; `stage` is where a failed wait ends the operation.
Outcome AwaitVerdict(protocol::CPanelSession& session, std::string_view success, Stage stage,
                     protocol::ReplyWait wait = protocol::ReplyWait::kProgress);
// What the panel sends before it closes (cut at the reply buffer's size), in
// `received`; it stays valid until the session's next receive.
Step ReceiveBlock(protocol::CPanelSession& session, std::span<const std::uint8_t>& received);

// Puts a write's block on the wire; nothing when it went out whole.
using BlockSender = std::function<Step(protocol::CPanelSession&)>;
// Sends a block whose bytes are at hand.
BlockSender BytesSender(std::span<const std::uint8_t> bytes);
// Sends a file, opened once the block is due.
BlockSender FileSender(const std::function<std::unique_ptr<platform::ReadableFile>()>& open,
                       const protocol::CPanelSession::Progress& progress = {});

// A write: `command`, the panel's "SETTING CHANGE OK", the block, and its
// verdict "WRITE OK". An incomplete block is not answered: no verdict is
// awaited after one.
Outcome Write(const protocol::PanelLink& link, std::string_view command, const BlockSender& send);

}  // namespace operations
