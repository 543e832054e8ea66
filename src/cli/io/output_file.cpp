#include "io/output_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include <fmt/format.h>

namespace cli {

namespace {

// More numbered names than this are not tried: something else is wrong.
constexpr int kMostNumberedNames = 9999;

// How many temporary names are tried before the folder counts as unusable:
// a name is taken only by chance, or by someone who prepared it.
constexpr int kTemporaryNameTries = 8;

// "<path>.<8 hex digits>.part": beside the final name, so that the move
// stays within one folder, and unlike any name vk38 gives a finished file.
// The digits come from the system's random source, so that nobody can
// foretell the name.
std::string TemporaryPath(const std::string& path) {
  std::random_device source;
  return fmt::format("{}.{:08x}.part", path, source());
}

// "a.v38", 2 -> "a_2.v38"; a name without an extension gets "_2" at its end.
std::string NumberedPath(const std::string& path, int number) {
  const std::size_t folderEnd = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  const bool hasExtension =
      dot != std::string::npos && (folderEnd == std::string::npos || dot > folderEnd + 1);
  const std::size_t stemEnd = hasExtension ? dot : path.size();
  return fmt::format("{}_{}{}", path.substr(0, stemEnd), number, path.substr(stemEnd));
}

// Where a file output goes: the name given, and the file that takes the
// new bytes (another where the name is a link to a file, which stays).
struct FilePlace {
  std::string name;
  std::string file;
  std::optional<std::uint32_t> permissions{};  // those of the file replaced
};

class FileOutput : public OutputFile {
 public:
  FileOutput(platform::FileSystem& files, FilePlace place, Naming naming,
             std::unique_ptr<platform::WritableFile> file, std::string temporary)
      : files_(files),
        name_(std::move(place.name)),
        target_(std::move(place.file)),
        naming_(naming),
        file_(std::move(file)),
        temporary_(std::move(temporary)) {}
  ~FileOutput() override { Discard(); }
  FileOutput(const FileOutput&) = delete;
  FileOutput& operator=(const FileOutput&) = delete;

  bool Write(std::span<const std::uint8_t> bytes) override {
    if (file_ && file_->Write(bytes.data(), bytes.size())) return true;
    return Fail("cannot write");
  }

  bool Finish() override {
    if (!file_) return Fail("cannot write");
    const bool onDisk = file_->Sync();
    const bool closed = file_->Close();
    file_.reset();
    if (!onDisk || !closed) return Fail("cannot write");
    if (!TakeFinalName()) return Fail("cannot name");
    temporary_.clear();
    return true;
  }

  const std::string& Name() const override { return name_; }
  const std::string& Failure() const override { return failure_; }

 private:
  // Moves the temporary file to its name, or with kNumbered to the first
  // numbered name that no file has.
  bool TakeFinalName() {
    if (naming_ == Naming::kReplace) {
      return files_.Move(temporary_, target_, platform::Existing::kReplace) ==
             platform::Moved::kDone;
    }
    for (int number = 1; number <= kMostNumberedNames; ++number) {
      const std::string name = number == 1 ? name_ : NumberedPath(name_, number);
      switch (files_.Move(temporary_, name, platform::Existing::kKeep)) {
        case platform::Moved::kDone:
          name_ = name;
          return true;
        case platform::Moved::kTargetExists:
          continue;
        case platform::Moved::kFailed:
          return false;
      }
    }
    return false;
  }

  // Notes the failure with the system's reason and gives the data up.
  bool Fail(std::string_view what) {
    if (failure_.empty()) failure_ = fmt::format("{} {}: {}", what, name_, files_.LastFailure());
    Discard();
    return false;
  }

  void Discard() {
    file_.reset();
    if (!temporary_.empty()) files_.Remove(temporary_);
    temporary_.clear();
  }

  platform::FileSystem& files_;
  std::string name_;
  std::string target_;  // kReplace: the file that takes the bytes
  Naming naming_;
  std::unique_ptr<platform::WritableFile> file_;
  std::string temporary_;  // empty once moved or removed
  std::string failure_;
};

// A device, pipe or socket that had the name: written into as it stands
// and closed, never replaced.
class StreamOutput : public OutputFile {
 public:
  StreamOutput(platform::FileSystem& files, std::string name,
               std::unique_ptr<platform::WritableFile> stream)
      : files_(files), name_(std::move(name)), stream_(std::move(stream)) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    return (stream_ && stream_->Write(bytes.data(), bytes.size())) || Fail();
  }
  bool Finish() override {
    const bool closed = stream_ && stream_->Close();
    stream_.reset();
    return closed || Fail();
  }

  const std::string& Name() const override { return name_; }
  const std::string& Failure() const override { return failure_; }

 private:
  bool Fail() {
    if (failure_.empty())
      failure_ = fmt::format("cannot write {}: {}", name_, files_.LastFailure());
    stream_.reset();
    return false;
  }

  platform::FileSystem& files_;
  std::string name_;
  std::unique_ptr<platform::WritableFile> stream_;
  std::string failure_;
};

class StandardOutput : public OutputFile {
 public:
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
    return Fail();
  }

  bool Finish() override { return (std::fflush(stdout) == 0 && !std::ferror(stdout)) || Fail(); }

  const std::string& Name() const override { return name_; }
  const std::string& Failure() const override { return failure_; }

 private:
  bool Fail() {
    if (failure_.empty()) {
      failure_ = "cannot write standard output: " + std::generic_category().message(errno);
    }
    return false;
  }

  const std::string name_{kStandardStream};
  std::string failure_;
};

// Hands the operation's writes to the output; finishing is the caller's.
class OutputWriter : public platform::WritableFile {
 public:
  explicit OutputWriter(OutputFile& output) : output_(output) {}
  bool Write(const std::uint8_t* data, std::size_t length) override {
    return output_.Write({data, length});
  }
  // The output is put on the disk when it is finished.
  bool Sync() override { return true; }
  bool Close() override { return true; }

 private:
  OutputFile& output_;
};

// A file output: its temporary file made beside the file that takes the
// bytes, new (never an existing file or a link), with the permissions of
// the file it replaces.
std::unique_ptr<OutputFile> NewFileOutput(platform::FileSystem& files, FilePlace place,
                                          Naming naming, std::string& failure) {
  for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
    std::string temporary = TemporaryPath(place.file);
    std::unique_ptr<platform::WritableFile> file = files.CreateNew(temporary, place.permissions);
    if (file) {
      return std::make_unique<FileOutput>(files, std::move(place), naming, std::move(file),
                                          std::move(temporary));
    }
  }
  failure = fmt::format("cannot create {}: {}", place.name, files.LastFailure());
  return nullptr;
}

}  // namespace

std::unique_ptr<OutputFile> CreateOutput(platform::FileSystem& files, const std::string& path,
                                         Naming naming, std::string& failure) {
  if (path == kStandardStream) return std::make_unique<StandardOutput>();
  platform::PathFacts facts = files.Inspect(path);
  switch (facts.kind) {
    case platform::PathKind::kStream: {
      std::unique_ptr<platform::WritableFile> stream = files.OpenStream(path);
      if (!stream) {
        failure = fmt::format("cannot open {}: {}", path, files.LastFailure());
        return nullptr;
      }
      return std::make_unique<StreamOutput>(files, path, std::move(stream));
    }
    case platform::PathKind::kFolder:
      failure = fmt::format("cannot write {}: it is a folder", path);
      return nullptr;
    case platform::PathKind::kFile:
      // A numbered output goes beside the file; a replacing one takes its place.
      if (naming == Naming::kReplace) {
        return NewFileOutput(
            files, {.name = path, .file = std::move(facts.file), .permissions = facts.permissions},
            naming, failure);
      }
      break;
    case platform::PathKind::kNothing:
      break;
  }
  return NewFileOutput(files, {.name = path, .file = path}, naming, failure);
}

Saved SaveWhole(platform::FileSystem& files, const std::string& path, Naming naming,
                std::span<const std::uint8_t> bytes) {
  std::string failure;
  const std::unique_ptr<OutputFile> output = CreateOutput(files, path, naming, failure);
  if (!output) return {.name = path, .failure = failure};
  if (!output->Write(bytes) || !output->Finish()) {
    return {.name = path, .failure = output->Failure()};
  }
  return {.name = output->Name(), .failure = std::nullopt};
}

PanelOutcome WithSaved(PanelOutcome done, const Saved& saved) {
  const std::string file = saved.name == kStandardStream ? std::string() : saved.name;
  if (saved.failure) return Failure(Code::kFile, "File write error", *saved.failure, file);
  done.file = file;
  return done;
}

std::unique_ptr<platform::WritableFile> WriterInto(OutputFile& output) {
  return std::make_unique<OutputWriter>(output);
}

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace cli
