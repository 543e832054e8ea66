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

}  // namespace cli
