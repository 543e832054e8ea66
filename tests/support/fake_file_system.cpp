#include "support/fake_file_system.h"

#include <algorithm>
#include <cstring>

namespace testing_support {

namespace {

class FakeReadable : public platform::ReadableFile {
 public:
  explicit FakeReadable(std::shared_ptr<FakeFile> file) : file_(std::move(file)) {}
  ~FakeReadable() override { file_->closed = true; }

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    if (file_->readFailsAfter && offset_ >= *file_->readFailsAfter) return -1;
    std::size_t count = std::min(capacity, file_->content.size() - offset_);
    if (file_->readFailsAfter) count = std::min(count, *file_->readFailsAfter - offset_);
    std::memcpy(buffer, file_->content.data() + offset_, count);
    offset_ += count;
    return static_cast<std::ptrdiff_t>(count);
  }

  std::optional<std::uint64_t> SizeHint() const override { return file_->sizeHint; }

 private:
  std::shared_ptr<FakeFile> file_;
  std::size_t offset_ = 0;
};

class FakeWritable : public platform::WritableFile {
 public:
  explicit FakeWritable(std::shared_ptr<FakeFile> file) : file_(std::move(file)) {}
  ~FakeWritable() override { file_->closed = true; }

  bool Write(const std::uint8_t* data, std::size_t length) override {
    if (file_->writeFailsAfter && file_->content.size() + length > *file_->writeFailsAfter) {
      return false;
    }
    file_->content.append(reinterpret_cast<const char*>(data), length);
    return true;
  }

  bool Sync() override { return !file_->syncFails; }

  bool Close() override {
    file_->closed = true;
    return !file_->closeFails;
  }

 private:
  std::shared_ptr<FakeFile> file_;
};

// A stream keeps what was written into it, whole or not.
class FakeStream : public platform::WritableFile {
 public:
  explicit FakeStream(std::string& into) : into_(into) {}
  bool Write(const std::uint8_t* data, std::size_t length) override {
    into_.append(reinterpret_cast<const char*>(data), length);
    return true;
  }
  bool Sync() override { return true; }
  bool Close() override { return true; }

 private:
  std::string& into_;
};

}  // namespace

std::unique_ptr<platform::WritableFile> FakeFileSystem::CreateNew(
    const std::string& path, std::optional<std::uint32_t> permissions) {
  const bool taken = files.count(path) != 0 || folders.count(path) != 0 ||
                     streams.count(path) != 0 || links.count(path) != 0;
  if (taken || locked.count(path) != 0) return nullptr;
  std::shared_ptr<FakeFile>& file = files[path];
  file = std::make_shared<FakeFile>(newFile);
  file->permissions = permissions;
  return std::make_unique<FakeWritable>(file);
}

std::unique_ptr<platform::WritableFile> FakeFileSystem::OpenStream(const std::string& path) {
  if (streams.count(path) == 0) return nullptr;
  return std::make_unique<FakeStream>(streamed[path]);
}

platform::PathFacts FakeFileSystem::Inspect(const std::string& path) {
  if (folders.count(path) != 0) return {.kind = platform::PathKind::kFolder};
  if (streams.count(path) != 0) return {.kind = platform::PathKind::kStream};
  const auto link = links.find(path);
  const std::string& file = link != links.end() ? link->second : path;
  const auto found = files.find(file);
  if (found == files.end()) return {};
  return {
      .kind = platform::PathKind::kFile, .file = file, .permissions = found->second->permissions};
}

bool FakeFileSystem::MakeFolder(const std::string& path) {
  if (files.count(path) != 0 || streams.count(path) != 0 || locked.count(path) != 0) return false;
  folders.insert(path);
  return true;
}

std::optional<std::vector<std::string>> FakeFileSystem::ListFolder(const std::string& path) {
  if (folders.count(path) == 0) return std::nullopt;
  const std::string prefix = path.ends_with('/') ? path : path + "/";
  std::vector<std::string> names;
  const auto take = [&](const std::string& held) {
    if (held.starts_with(prefix) && held.find('/', prefix.size()) == std::string::npos) {
      names.push_back(held.substr(prefix.size()));
    }
  };
  for (const auto& [held, file] : files) take(held);
  for (const std::string& held : folders) take(held);
  for (const std::string& held : streams) take(held);
  return names;
}

FakeFile& FakeFileSystem::Add(const std::string& path, FakeFile file) {
  files[path] = std::make_shared<FakeFile>(std::move(file));
  return *files[path];
}

std::unique_ptr<platform::ReadableFile> FakeFileSystem::OpenForReading(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) return nullptr;
  it->second->closed = false;
  return std::make_unique<FakeReadable>(it->second);
}

std::unique_ptr<platform::WritableFile> FakeFileSystem::CreateForWriting(const std::string& path) {
  if (locked.count(path) != 0) return nullptr;
  std::shared_ptr<FakeFile>& file = files[path];
  // Creating keeps a scripted failure of the same path but empties it; a
  // new path takes the failures scripted for new files.
  if (!file) file = std::make_shared<FakeFile>(newFile);
  file->content.clear();
  file->closed = false;
  return std::make_unique<FakeWritable>(file);
}

platform::Moved FakeFileSystem::Move(const std::string& from, const std::string& to,
                                     platform::Existing existing) {
  const auto source = files.find(from);
  if (movesFail || source == files.end()) return platform::Moved::kFailed;
  if (existing == platform::Existing::kKeep && files.count(to) != 0) {
    return platform::Moved::kTargetExists;
  }
  std::shared_ptr<FakeFile> file = source->second;
  files.erase(source);
  links.erase(to);  // a move replaces a link itself, never its file
  files[to] = std::move(file);
  return platform::Moved::kDone;
}

bool FakeFileSystem::Remove(const std::string& path) { return files.erase(path) != 0; }

}  // namespace testing_support
