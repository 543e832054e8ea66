#include "command_line/panel_work.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace cli {

void AddPanelWork(CLI::App& command, Invocation& invocation, PanelWork work) {
  const auto texts = std::make_shared<std::vector<std::string>>();
  AddPanelsArgument(command, *texts);
  command.callback([&invocation, texts, work = std::move(work)] {
    const std::optional<std::vector<Panel>> panels = invocation.Panels(*texts);
    if (!panels) return;
    invocation.exitCode = work(invocation.Context(), *panels);
  });
}

}  // namespace cli
