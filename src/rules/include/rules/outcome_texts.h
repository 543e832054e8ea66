// Each panel operation's words on the page that runs it: the text the page
// shows for each ending, none where the page stays silent. The pages report
// their operations with these as they stand; vk38 gives the same endings
// the same words and adds its own only where a page says nothing.
#pragma once

#include <string_view>

#include "operations/outcome_words.h"

namespace rules {

// The texts most exchanges share.
inline constexpr std::string_view kNoConnect = "No Connect!!";        // no connection
inline constexpr std::string_view kSocketError = "Socket Error!!";    // command or reply lost
inline constexpr std::string_view kCommandError = "Command Error!!";  // command refused
inline constexpr std::string_view kWriteOk = "Write OK";              // write confirmed
inline constexpr std::string_view kWriteError = "Write Error!!";      // write not confirmed

// A file that the File Operate and upgrade pages send cannot be opened.
inline constexpr std::string_view kSendFileOpenError = "File Open Error!!";
// A file that the File Operate page saves into cannot be made or written.
inline constexpr std::string_view kSaveFileOpenError = "File open error";
inline constexpr std::string_view kSaveFileWriteError = "File write error";

// The Setting page's REFRESH (and the assignment's proposal) shows only
// that the connection or the command failed: a socket that cannot be made,
// a record that does not arrive, and an empty or damaged one end silently.
inline constexpr operations::OutcomeWords kCameraTableReadWords{.notConnected = kNoConnect,
                                                                .lost = kSocketError};
// Its SET: a socket that cannot be made and a block that does not get
// through, or is not answered, end silently.
inline constexpr operations::OutcomeWords kCameraTableWriteWords{.notConnected = kNoConnect,
                                                                 .lost = kSocketError,
                                                                 .refused = kCommandError,
                                                                 .notWritten = kWriteError,
                                                                 .done = kWriteOk};
// The confirmation of an address assignment (SET while RENEW or KEEP shows
// a proposal): kAssignmentFinished when the panel answered "SETTING OK",
// kSettingError for any other answer.
inline constexpr std::string_view kAssignmentFinished = "Finish!!";
inline constexpr std::string_view kSettingError = "Setting Error!!";
inline constexpr operations::OutcomeWords kAssignmentConfirmWords{.notConnected = kNoConnect,
                                                                  .lost = kSocketError,
                                                                  .notWritten = kSettingError,
                                                                  .done = kAssignmentFinished};

// The File Operate page's Load: every failure after the connection is a
// write error, but for a file that cannot be opened.
inline constexpr operations::OutcomeWords kSetupLoadWords{.noSocket = kWriteError,
                                                          .notConnected = kNoConnect,
                                                          .lost = kSocketError,
                                                          .refused = kCommandError,
                                                          .payloadLost = kWriteError,
                                                          .notWritten = kWriteError,
                                                          .noFile = kSendFileOpenError,
                                                          .fileFailed = kWriteError,
                                                          .done = kWriteOk};
// Its Save shows only a refused connection; a block that did not arrive
// whole with a good sum ends it silently. Once the block is in a file the
// page says so with kSetupSaved.
inline constexpr operations::OutcomeWords kSetupSaveWords{.notConnected = kNoConnect};
inline constexpr std::string_view kSetupSaved = "Save OK";
// Its Save Log.
inline constexpr operations::OutcomeWords kLogSaveWords{.notConnected = kNoConnect,
                                                        .lost = kSocketError,
                                                        .payloadLost = kSocketError,
                                                        .noFile = kSaveFileOpenError,
                                                        .fileFailed = kSaveFileWriteError,
                                                        .done = "Save OK!!"};

// The upgrade page's Load: these, then kUpgradeFailed for every failure;
// kUpgradeFinished when the panel took the image.
inline constexpr operations::OutcomeWords kImageSendWords{.notConnected = kNoConnect,
                                                          .lost = kSocketError,
                                                          .refused = kCommandError,
                                                          .noFile = kSendFileOpenError};
inline constexpr std::string_view kUpgradeFailed = "File Error!!";
inline constexpr std::string_view kUpgradeFinished = "Ver Up Finish";

// The User Auth. page words the shared endings its own way. Its REFRESH
// shows only that the connection or the command failed.
inline constexpr std::string_view kAuthNotConnected = "Not connected.";
inline constexpr std::string_view kAuthSocketError = "Socket error.";
inline constexpr operations::OutcomeWords kCredentialReadWords{.notConnected = kAuthNotConnected,
                                                               .lost = kAuthSocketError};
// Its SET: a socket that cannot be made and a block that does not get
// through, or is not answered, end silently.
inline constexpr operations::OutcomeWords kCredentialWriteWords{
    .notConnected = kAuthNotConnected,
    .lost = kAuthSocketError,
    .refused = "Command error.",
    .notWritten = "Write error.",
    .done = "Write OK.\nPlease reboot TL-VK38."};

}  // namespace rules
