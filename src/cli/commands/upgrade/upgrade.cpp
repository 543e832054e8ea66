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

// The image's bytes: the file mapped where the system maps files (it is
// then read as it is sent, and cannot be written meanwhile), else read
// whole into memory.
class ImageToSend {
 public:
  ImageToSend(Image kind, std::string file, std::unique_ptr<platform::MappedFile> mapped,
              std::string read)
      : kind(kind), file(std::move(file)), mapped_(std::move(mapped)), read_(std::move(read)) {}

  std::span<const std::uint8_t> Bytes() const {
    return mapped_ ? mapped_->Bytes() : BytesOf(read_);
  }
  std::string_view Text() const {
    const std::span<const std::uint8_t> bytes = Bytes();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }

  Image kind;
  std::string file;

 private:
  std::unique_ptr<platform::MappedFile> mapped_;
  std::string read_;
};

// The image read and checked, or nothing (told on standard error).
std::optional<ImageToSend> ReadImage(platform::FileSystem& files, Image kind,
                                     const std::string& file) {
  std::unique_ptr<platform::MappedFile> mapped =
      file == kStandardStream ? nullptr : files.MapForReading(file);
  // One too large is read, so that it is refused in the same words.
  if (mapped && mapped->Bytes().size() > kLargestImage) mapped.reset();
  WholeFile read;
  if (!mapped) read = ReadWholeFile(files, file, kLargestImage);
  if (read.failure) {
    fmt::print(stderr, "vk38: {}; no panel was touched\n", *read.failure);
    return std::nullopt;
  }
  ImageToSend image(kind, file, std::move(mapped), std::move(read.bytes));
  if (const std::optional<std::string> fault = ImageFault(image.Text())) {
    fmt::print(stderr, "vk38: {} {}; no panel was touched\n", file, *fault);
    return std::nullopt;
  }
  return image;
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
                  image.Bytes().size()),
      Echo::kShown);
  if (answer && IsYes(*answer)) return true;
  if (!context.Stopped()) fmt::print(stderr, "vk38: not confirmed; no panel was touched\n");
  return false;
}

PanelOutcome UpgradeOne(PanelTarget& target, const ImageToSend& image, ProgressLine& progress) {
  std::uint64_t moved = 0;
  bool writingFlash = false;
  PanelOutcome result =
      UpgradeImage(target.link, image.kind, image.Bytes(), [&](std::uint64_t total) {
        progress.Add(total - moved);
        moved = total;
        if (moved == image.Bytes().size() && !writingFlash) {
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
  ProgressLine progress(stderr, context.progress, image->Bytes().size() * panels.size());
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
