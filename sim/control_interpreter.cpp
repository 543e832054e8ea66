#include "sim/control_interpreter.h"

#include <map>

#include "sim/hex.h"

namespace sim {

namespace {

// The contents that get and put name.
enum class Content { kCameraRecord, kSetup, kCredentials, kLog, kProgramImage, kFpgaImage };

std::optional<Content> ParseContent(std::string_view name) {
  static const std::map<std::string_view, Content> names = {
      {"camera-record", Content::kCameraRecord}, {"setup", Content::kSetup},
      {"credentials", Content::kCredentials},    {"log", Content::kLog},
      {"program-image", Content::kProgramImage}, {"fpga-image", Content::kFpgaImage},
  };
  const auto found = names.find(name);
  if (found == names.end()) return std::nullopt;
  return found->second;
}

std::string Joined(const Words& words) {
  std::string text;
  for (std::string_view word : words) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

}  // namespace

std::vector<std::string> ControlInterpreter::Execute(std::string_view line) {
  using Command = Failure (ControlInterpreter::*)(const Words&, Lines&);
  static const std::map<std::string_view, Command> commands = {
      {"reset", &ControlInterpreter::Reset},    {"panels", &ControlInterpreter::Panels},
      {"fault", &ControlInterpreter::SetFault}, {"received", &ControlInterpreter::Received},
      {"get", &ControlInterpreter::Get},        {"put", &ControlInterpreter::Put},
      {"log", &ControlInterpreter::Log},        {"image-size", &ControlInterpreter::ImageSize},
      {"timing", &ControlInterpreter::Timing},  {"wait", &ControlInterpreter::Wait},
  };
  const Words words = SplitWords(line);
  Lines out;
  Failure failure;
  if (words.empty()) {
    failure = "empty command";
  } else if (const auto command = commands.find(words[0]); command == commands.end()) {
    failure = "unknown command " + std::string(words[0]);
  } else {
    failure = (this->*command->second)(Words(words.begin() + 1, words.end()), out);
  }
  if (failure) {
    out.assign(1, "ERR " + *failure);
  } else {
    out.push_back("OK");
  }
  return out;
}

SimulatedPanel* ControlInterpreter::PanelArg(const Words& args, Failure& failure) {
  if (args.empty()) {
    failure = "panel address missing";
    return nullptr;
  }
  const std::optional<protocol::PanelAddress> address = protocol::ParseAddressText(args[0]);
  SimulatedPanel* panel = address ? simulator_.FindPanel(*address) : nullptr;
  if (!panel) failure = "no panel at " + std::string(args[0]);
  return panel;
}

ControlInterpreter::Failure ControlInterpreter::Reset(const Words&, Lines&) {
  simulator_.Reset();
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Panels(const Words&, Lines& out) {
  for (protocol::PanelAddress address : simulator_.Addresses())
    out.push_back("panel " + protocol::AddressText(address));
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::SetFault(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  std::string error;
  const std::optional<FaultWords> words =
      SplitFaultWords(Words(args.begin() + 1, args.end()), error);
  if (!words) return error;
  const std::string command = Joined(words->command);
  Fault fault = panel->FaultFor(command);
  if (!ApplyFaultWords(words->fault, fault, error)) return error;
  panel->SetFault(command, fault);
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Received(const Words& args, Lines& out) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const std::vector<Bytes> connections = panel->Received();
  for (std::size_t i = 0; i < connections.size(); ++i) {
    out.push_back("conn " + std::to_string(i) + " " + HexText(connections[i]));
  }
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Get(const Words& args, Lines& out) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const std::optional<Content> content = args.size() == 2 ? ParseContent(args[1]) : std::nullopt;
  if (!content) return "get <panel> camera-record|setup|credentials|log|program-image|fpga-image";
  switch (*content) {
    case Content::kCameraRecord:
      out.push_back(HexText(panel->CameraRecord()));
      break;
    case Content::kSetup:
      out.push_back(HexText(panel->SetupBlock()));
      break;
    case Content::kCredentials:
      out.push_back(HexText(panel->Credentials()));
      break;
    case Content::kLog: {
      const std::optional<Bytes> log = panel->LogBytes();
      if (!log) return "the log is generated, not stored";
      out.push_back(HexText(*log));
      break;
    }
    case Content::kProgramImage:
      out.push_back(HexText(panel->ProgramImage()));
      break;
    case Content::kFpgaImage:
      out.push_back(HexText(panel->FpgaImage()));
      break;
  }
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Put(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const std::optional<Content> content =
      args.size() == 2 || args.size() == 3 ? ParseContent(args[1]) : std::nullopt;
  std::optional<Bytes> bytes = args.size() == 3 ? BytesFromHex(args[2]) : Bytes{};
  if (!content || !bytes) return "put <panel> camera-record|setup|credentials|log <hex>";
  switch (*content) {
    case Content::kCameraRecord:
      panel->SetCameraRecord(std::move(*bytes));
      break;
    case Content::kSetup:
      panel->SetSetupBlock(std::move(*bytes));
      break;
    case Content::kCredentials:
      panel->SetCredentials(std::move(*bytes));
      break;
    case Content::kLog:
      panel->SetLogBytes(std::move(*bytes));
      break;
    default:
      return "images are only received";
  }
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Log(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const auto size = args.size() == 3 ? ParseNumber(args[1]) : std::nullopt;
  const auto piece = args.size() == 3 ? ParseNumber(args[2]) : std::nullopt;
  if (!size || !piece || *piece == 0) return "log <panel> <size> <piece>";
  panel->SetLog({*size, static_cast<std::size_t>(*piece)});
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::ImageSize(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  if (args.size() == 2 && args[1] == "none") {
    panel->SetImageSize(std::nullopt);
    return std::nullopt;
  }
  const auto size = args.size() == 2 ? ParseNumber(args[1]) : std::nullopt;
  if (!size) return "image-size <panel> <n>|none";
  panel->SetImageSize(static_cast<std::size_t>(*size));
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Timing(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const auto ms = args.size() == 3 ? ParseNumber(args[2]) : std::nullopt;
  PanelTiming timing = panel->Timing();
  static const std::map<std::string_view, std::chrono::milliseconds PanelTiming::*> pauses = {
      {"idle-gap", &PanelTiming::idleGap},
      {"line-gap", &PanelTiming::lineGap},
      {"piece-gap", &PanelTiming::pieceGap},
      {"peer-wait", &PanelTiming::peerWait},
  };
  const auto pause = args.size() == 3 ? pauses.find(args[1]) : pauses.end();
  if (!ms || pause == pauses.end())
    return "timing <panel> idle-gap|line-gap|piece-gap|peer-wait <ms>";
  timing.*(pause->second) = std::chrono::milliseconds(*ms);
  panel->SetTiming(timing);
  return std::nullopt;
}

ControlInterpreter::Failure ControlInterpreter::Wait(const Words& args, Lines&) {
  Failure failure;
  SimulatedPanel* panel = PanelArg(args, failure);
  if (!panel) return failure;
  const auto count = args.size() >= 2 ? ParseNumber(args[1]) : std::nullopt;
  const auto ms = args.size() == 3 ? ParseNumber(args[2]) : std::optional<std::uint64_t>(10000);
  if (!count || !ms || args.size() > 3) return "wait <panel> <count> [timeout-ms]";
  if (!panel->WaitForConnections(static_cast<std::size_t>(*count),
                                 std::chrono::milliseconds(*ms))) {
    return "timeout after " + std::to_string(panel->ConnectionsEnded()) + " connections";
  }
  return std::nullopt;
}

}  // namespace sim
