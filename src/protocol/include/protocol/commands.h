// The command lines the tool sends to a panel and the replies it judges.
// Every command is one line ending in CR LF, sent without a NUL; a reply is
// judged by how it begins.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace protocol {

namespace commands {

// Camera table.
inline constexpr std::string_view kCameraTableRequest = "VK38 IP SETTING REQ\r\n";
inline constexpr std::string_view kCameraTableChange = "VK38 IP SETTING CHANGE\r\n";
inline constexpr std::string_view kRenewStart = "VK38 IP SET RENEW START\r\n";
inline constexpr std::string_view kRenewRetry = "VK38 IP SET RENEW RETRY\r\n";
inline constexpr std::string_view kRenewSet = "VK38 IP SET RENEW SET\r\n";
inline constexpr std::string_view kKeepStart = "VK38 IP SET KEEP START\r\n";
inline constexpr std::string_view kKeepRetry = "VK38 IP SET KEEP RETRY\r\n";
inline constexpr std::string_view kKeepSet = "VK38 IP SET KEEP SET\r\n";

// Setup block and log.
inline constexpr std::string_view kSetupRequest = "VK38 SETTING REQ\r\n";
inline constexpr std::string_view kSetupChange = "VK38 SETTING CHANGE\r\n";
inline constexpr std::string_view kLogRequest = "VK38 LOG REQ\r\n";

// Firmware images.
inline constexpr std::string_view kProgramUpgradeStart = "VK38 VER UP START\r\n";
inline constexpr std::string_view kFpgaUpgradeStart = "FPGA VER UP START\r\n";

// Credentials.
inline constexpr std::string_view kCredentialRequest = "VK38 AUTH SETTING REQ\r\n";
inline constexpr std::string_view kCredentialChange = "VK38 AUTH SETTING CHANGE\r\n";

// The commands that only ask: the panel sends what it holds and changes
// nothing. Every other command may leave the panel holding something new
// once it went out.
inline constexpr std::array kQuestions = {kCameraTableRequest, kSetupRequest, kLogRequest,
                                          kCredentialRequest};
constexpr bool IsQuestion(std::string_view commandLine) {
  return std::find(kQuestions.begin(), kQuestions.end(), commandLine) != kQuestions.end();
}

}  // namespace commands

namespace replies {

// A CHANGE command accepted: the block may follow.
inline constexpr std::string_view kChangeAccepted = "SETTING CHANGE OK\r\n";
// A block or image written.
inline constexpr std::string_view kWriteOk = "WRITE OK";
// An address assignment applied.
inline constexpr std::string_view kSettingOk = "SETTING OK";
// An upgrade start accepted, and the image received whole.
inline constexpr std::string_view kUpgradeAccepted = "VER UP START OK\r\n";
inline constexpr std::string_view kFileOk = "FILE OK";

}  // namespace replies

}  // namespace protocol
