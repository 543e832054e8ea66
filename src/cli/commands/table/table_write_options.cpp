#include "commands/table/table_write_options.h"

namespace cli {

void AddTableWriteRules(CLI::App& command, TableWriteRules& rules) {
  command.add_flag("--yes", rules.yes,
                   "answer the page's firmware questions with OK (without it, a table that asks "
                   "them is not written)");
  command.add_flag("--strict", rules.strict,
                   "refuse to write a table in which two entries share an address (the page "
                   "only reports it and writes)");
}

CLI::Option* AddPlanOption(CLI::App& command, std::optional<std::string>& plan) {
  return command.add_option(
      "--plan", plan,
      "save a plan in FILE once every panel was read: for each panel the SHA-256 of the table "
      "read and the table to be written, for table set --plan to write exactly that (see "
      "\"Plans\" in the README)");
}

}  // namespace cli
