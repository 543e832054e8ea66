// Where vk38 puts one panel's data: a file that takes its final name only
// once it is whole and on the disk, or a stream (standard output, or a
// device, pipe or socket that has the name), written into as it stands. An
// output is written, then finished; a file output that is not finished
// leaves nothing behind: its temporary file is removed and the final name
// keeps what it had. A file replaced keeps its permissions, and a link to a
// file stays a link: the file it leads to takes the new bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "run/panel_outcome.h"

namespace cli {

// The name that stands for standard output (and input) on the command line.
inline constexpr std::string_view kStandardStream = "-";

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all bytes; false when they could not all be written.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Makes what was written the output; false when it could not. Nothing
  // may be written afterwards.
  virtual bool Finish() = 0;
  // Where the data is once finished: the file's final path, or "-".
  virtual const std::string& Name() const = 0;
  // Why the last Write or Finish failed, with the system's reason.
  virtual const std::string& Failure() const = 0;
};

// What an output takes when a file already has its name: that file's place
// (kReplace), or a numbered name beside it (kNumbered: "a_2.v38", "a_3.v38").
enum class Naming { kReplace, kNumbered };

// The output for `path` ("-": standard output); nothing, with the reason in
// `failure`, when its temporary file cannot be made.
std::unique_ptr<OutputFile> CreateOutput(platform::FileSystem& files, const std::string& path,
                                         Naming naming, std::string& failure);

// What SaveWhole did: the name the data took, or why it has none.
struct Saved {
  std::string name;
  std::optional<std::string> failure;
};
// Writes `bytes` to a new output for `path` and finishes it.
Saved SaveWhole(platform::FileSystem& files, const std::string& path, Naming naming,
                std::span<const std::uint8_t> bytes);

// `done` with the name its data was saved under (none for standard
// output), or a failure of the file when it was not saved.
PanelOutcome WithSaved(PanelOutcome done, const Saved& saved);

// A platform::WritableFile that writes into `output`, for the operations
// that stream into a file they are given; closing it leaves the output
// unfinished, for the caller to finish once the exchange went through.
std::unique_ptr<platform::WritableFile> WriterInto(OutputFile& output);

// The bytes of `text`, for writing it.
std::span<const std::uint8_t> BytesOf(std::string_view text);

}  // namespace cli
