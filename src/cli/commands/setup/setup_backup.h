// setup backup's run itself, for the fleet benchmark and the tests.
#pragma once

#include <string>
#include <vector>

#include "panels/panel_names.h"
#include "run/run_context.h"

namespace cli {

// Every panel's setup block into `folder` (or, one panel, a stream).
int SetupBackup(const RunContext& context, const std::vector<Panel>& panels,
                const std::string& folder);

}  // namespace cli
