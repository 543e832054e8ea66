#include "io/note_lines.h"

#include "io/progress.h"

namespace cli {

void NoteLines::Print(const std::string& line) {
  const std::lock_guard lock(mutex_);
  if (progress_) progress_->Clear();
  const std::string text = line + "\n";
  // Standard error failing is nothing a panel's outcome depends on.
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fflush(out_);
}

}  // namespace cli
