// upgrade: the upgrade page's Load of a program or FPGA image, for many
// panels, with one progress line for all of them.
#include <fmt/format.h>

#include <filesystem>
#include <system_error>

#include "cli/panel_calls.h"
#include "cli/progress.h"
#include "cli/subcommands.h"

namespace cli {

namespace {

struct UpgradeOptions {
  std::vector<std::string> panels{};
  std::string program{};
  std::string fpga{};
};

std::optional<std::uint64_t> FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(
      std::filesystem::path(std::u8string(path.begin(), path.end())), error);
  if (error) return std::nullopt;
  return size;
}

int Upgrade(const RunContext& context, const std::vector<PanelAddress>& panels, Image image,
            const std::string& file) {
  // An image that cannot be opened is refused before any panel is asked.
  const std::optional<std::uint64_t> size = FileSize(file);
  if (!size || !context.machine.Files().OpenForReading(file)) {
    fmt::print(stderr, "vk38: {}: File Open Error!!\n", file);
    return kExitFileRefused;
  }
  ProgressLine progress(stderr, context.progress, *size * panels.size());
  return RunOnPanels(context, panels,
                     [&](PanelAddress panel) -> PanelOutcome {
                       PanelTarget target(context, panel);
                       std::unique_ptr<platform::ReadableFile> source =
                           context.machine.Files().OpenForReading(file);
                       if (!source) return Failure(Code::kFile, "File Open Error!!", "", file);
                       std::uint64_t moved = 0;
                       PanelOutcome result = UpgradeImage(target.link, image, std::move(source),
                                                          [&](std::uint64_t total) {
                                                            progress.Add(total - moved);
                                                            moved = total;
                                                          });
                       result.file = file;
                       result.bytes = moved;
                       return result;
                     },
                     {.progress = &progress});
}

}  // namespace

void AddUpgrade(CLI::App& app, Invocation& invocation) {
  const auto options = std::make_shared<UpgradeOptions>();
  CLI::App* upgrade = app.add_subcommand("upgrade", "load a firmware image into each panel");
  AddPanelsArgument(*upgrade, options->panels);
  CLI::Option* program = upgrade->add_option("--program", options->program, "the program image");
  CLI::Option* fpga = upgrade->add_option("--fpga", options->fpga, "the FPGA image");
  program->excludes(fpga);
  upgrade->callback([&invocation, options] {
    if (options->program.empty() && options->fpga.empty()) {
      throw CLI::RequiredError("--program FILE or --fpga FILE");
    }
    const bool isProgram = !options->program.empty();
    invocation.exitCode = Upgrade(invocation.Context(), Resolve(options->panels),
                                  isProgram ? Image::kProgram : Image::kFpga,
                                  isProgram ? options->program : options->fpga);
  });
}

}  // namespace cli
