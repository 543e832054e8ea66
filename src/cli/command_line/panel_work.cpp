#include "command_line/panel_work.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace cli {

CLI::Option* AddPanelWork(CLI::App& command, Invocation& invocation, PanelWork work) {
  const auto texts = std::make_shared<std::vector<std::string>>();
  CLI::Option* option = AddPanelsArgument(command, *texts);
  command.callback([&invocation, texts, option, work = std::move(work)] {
    if (texts->empty() && !option->get_required()) {
      invocation.exitCode = work(invocation.Context(), {});
      return;
    }
    const std::optional<std::vector<Panel>> panels = invocation.Panels(*texts);
    if (!panels) return;
    invocation.exitCode = work(invocation.Context(), *panels);
  });
  return option;
}

}  // namespace cli
