// upgrade: the upgrade page's Load of a program or FPGA image, for many
// panels, with one progress line for all of them. The image is read and
// checked before any panel is touched, and a fleet upgrade is confirmed
// first.
#include <fmt/format.h>

#include "command_line/panel_work.h"
#include "commands/commands.h"
#include "commands/upgrade/firmware_image.h"
#include "io/confirmation.h"
#include "io/output_file.h"
#include "io/progress.h"
#include "io/whole_file.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"

namespace cli {

namespace {

struct UpgradeOptions {
  std::string program{};
  std::string fpga{};
  bool yes = false;  // a fleet upgrade needs no confirmation
};

struct ImageToSend {
  Image kind;
  std::string file;
  std::string bytes;
};

// The image read whole and checked, or nothing (told on standard error).
std::optional<ImageToSend> ReadImage(platform::FileSystem& files, Image kind,
                                     const std::string& file) {
  WholeFile image = ReadWholeFile(files, file, kLargestImage);
  if (image.failure) {
    fmt::print(stderr, "vk38: {}; no panel was touched\n", *image.failure);
    return std::nullopt;
  }
  if (const std::optional<std::string> fault = ImageFault(image.bytes)) {
    fmt::print(stderr, "vk38: {} {}; no panel was touched\n", file, *fault);
    return std::nullopt;
  }
  return ImageToSend{kind, file, std::move(image.bytes)};
}

// More than one panel is upgraded only when a person said yes at the
// terminal, or --yes did.
bool FleetConfirmed(const RunContext& context, const std::vector<Panel>& panels,
                    const ImageToSend& image, bool yes) {
  if (yes || panels.size() < 2) return true;
  if (!context.machine.InputOnTerminal()) {
    fmt::print(stderr,
               "vk38: upgrading {} panels needs --yes when no terminal can confirm it; no panel "
               "was touched\n",
               panels.size());
    return false;
  }
  std::string list;
  for (const Panel& panel : panels) list += (list.empty() ? "" : ", ") + PanelText(panel);
  const std::optional<std::string> answer = context.machine.ReadTerminalLine(
      fmt::format("Upgrade {} panels ({}) with the {} image {} ({} bytes)? [y/N] ", panels.size(),
                  list, image.kind == Image::kProgram ? "program" : "FPGA", image.file,
                  image.bytes.size()),
      Echo::kShown);
  if (answer && IsYes(*answer)) return true;
  if (!context.Stopped()) fmt::print(stderr, "vk38: not confirmed; no panel was touched\n");
  return false;
}

PanelOutcome UpgradeOne(PanelTarget& target, const ImageToSend& image, ProgressLine& progress) {
  std::uint64_t moved = 0;
  bool writingFlash = false;
  PanelOutcome result =
      UpgradeImage(target.link, image.kind, BytesOf(image.bytes), [&](std::uint64_t total) {
        progress.Add(total - moved);
        moved = total;
        if (moved == image.bytes.size() && !writingFlash) {
          writingFlash = true;
          progress.FlashWriteBegins();
        }
      });
  if (writingFlash) progress.FlashWriteEnds();
  if (image.file != kStandardStream) result.file = image.file;
  result.bytes = moved;
  return result;
}

int Upgrade(const RunContext& context, const std::vector<Panel>& panels, Image kind,
            const std::string& file, bool yes) {
  const std::optional<ImageToSend> image = ReadImage(context.machine.Files(), kind, file);
  if (!image) return kExitFileRefused;
  if (!FleetConfirmed(context, panels, *image, yes)) {
    return context.Stopped() ? kExitStopped : kExitFileRefused;
  }
  ProgressLine progress(stderr, context.progress, image->bytes.size() * panels.size());
  return RunOnPanels(context, panels,
                     [&](PanelTarget& target) { return UpgradeOne(target, *image, progress); },
                     {.progress = &progress, .changesPanels = true});
}

}  // namespace

void AddUpgrade(CLI::App& app, Invocation& invocation) {
  const auto options = std::make_shared<UpgradeOptions>();
  CLI::App* upgrade = app.add_subcommand(
      "upgrade",
      "Load a program or FPGA image into each PANEL, which writes it to its flash and "
      "reports the verdict: \"Ver Up Finish\" when it took the image, \"File Error!!\" when "
      "not.");
  AddPanelWork(*upgrade, invocation,
               [options](const RunContext& context, const std::vector<Panel>& panels) {
                 if (options->program.empty() && options->fpga.empty()) {
                   throw CLI::RequiredError("--program FILE or --fpga FILE");
                 }
                 const bool isProgram = !options->program.empty();
                 return Upgrade(context, panels, isProgram ? Image::kProgram : Image::kFpga,
                                isProgram ? options->program : options->fpga, options->yes);
               });
  CLI::Option* program = upgrade->add_option("--program", options->program,
                                             "the program image to load, or - for standard input");
  CLI::Option* fpga = upgrade->add_option("--fpga", options->fpga,
                                          "the FPGA image to load, or - for standard input");
  program->excludes(fpga);
  upgrade->add_flag("--yes", options->yes,
                    "upgrade more than one PANEL without asking (for scripts; without a "
                    "terminal a fleet upgrade needs it)");
  upgrade->footer(
      "The image is read whole and checked before any panel is touched: not empty, not larger "
      "than 64 MiB, not text. Each panel writes its flash after the image (up to 10 minutes); on "
      "a terminal the progress line on standard error says so, with the time waited. Standard "
      "output: the outcome lines and the summary.");
}

}  // namespace cli
