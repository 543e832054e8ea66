// Waiting for a kernel event on the user-interface thread while the windows
// keep repainting. Only paint messages are dispatched during the wait: clicks,
// key presses and posted messages stay queued until the caller's loop runs.
#pragma once

#include <windows.h>

#include <chrono>

#include "platform/win32/socket_waiting.h"

namespace desktop {

// Blocks until `event` is signalled, until `limit` has passed or until the
// wait fails. The thread sleeps meanwhile; it wakes only for the event and
// for paint work, which does not extend the limit.
platform::win32::EventWait WaitRepaintingWindows(HANDLE event, std::chrono::milliseconds limit);

}  // namespace desktop
