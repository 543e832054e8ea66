// Notes on standard error from the threads that work on panels (the notes
// of tries again, the trace of -v): each written whole at once, with the
// progress line cleared first so that it is drawn again below them.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace cli {

class ProgressLine;

class NoteLines {
 public:
  // `progress`, when given, must outlive this object.
  explicit NoteLines(ProgressLine* progress, std::FILE* out = stderr)
      : progress_(progress), out_(out) {}

  void Print(const std::string& line);

 private:
  ProgressLine* progress_;
  std::FILE* out_;
  std::mutex mutex_;
};

}  // namespace cli
