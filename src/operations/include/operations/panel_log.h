// The panel's log, streamed to a local file as it arrives: a log of any size
// needs no more memory than one piece.
#pragma once

#include "operations/local_files.h"
#include "operations/outcome.h"
#include "protocol/panel_link.h"

namespace operations {

// The log until the panel closes, into the file `create` gives once the
// panel was asked for it. A file that cannot be created still lets
// the panel end its send (the log is read and dropped: kNoFile). A piece that
// cannot be written is lost but the rest still arrives (kFileFailed), unless
// the connection failed first (kSilent, kBroken). The file is closed at the end.
Outcome SaveLog(const protocol::PanelLink& link, const CreateSink& create,
                const Progress& progress = {});

}  // namespace operations
