// The machine's own sockets and files under one name on both systems, for
// the simulator, vk38's tests and the page tests: BSD sockets and POSIX
// files natively; Winsock (its socket layer started for the object's
// lifetime) and Win32 files on Windows.
#pragma once

#include <memory>

#include "platform/file_system.h"
#include "platform/network.h"

namespace platform {

class SystemNetwork : public Network {
 public:
  SystemNetwork();
  ~SystemNetwork() override;
  SystemNetwork(const SystemNetwork&) = delete;
  SystemNetwork& operator=(const SystemNetwork&) = delete;

  // False when the socket layer could not start; no socket can be made then.
  bool Started() const { return started_; }

  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override {
    return system_->CreateStreamSocket(limit);
  }
  std::unique_ptr<ListeningSocket> Listen(const std::string& addressText, std::uint16_t port,
                                          std::string& error) override {
    return system_->Listen(addressText, port, error);
  }

 private:
  bool started_ = false;
  std::unique_ptr<Network> system_;
};

class SystemFileSystem : public FileSystem {
 public:
  SystemFileSystem();
  ~SystemFileSystem() override;

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    return system_->OpenForReading(path);
  }
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
    return system_->CreateForWriting(path);
  }
  std::unique_ptr<WritableFile> CreateNew(const std::string& path,
                                          std::optional<std::uint32_t> permissions) override {
    return system_->CreateNew(path, permissions);
  }
  std::unique_ptr<WritableFile> OpenStream(const std::string& path) override {
    return system_->OpenStream(path);
  }
  PathFacts Inspect(const std::string& path) override { return system_->Inspect(path); }
  bool MakeFolder(const std::string& path) override { return system_->MakeFolder(path); }
  std::optional<std::vector<std::string>> ListFolder(const std::string& path) override {
    return system_->ListFolder(path);
  }
  Moved Move(const std::string& from, const std::string& to, Existing existing) override {
    return system_->Move(from, to, existing);
  }
  bool Remove(const std::string& path) override { return system_->Remove(path); }
  std::string LastFailure() const override { return system_->LastFailure(); }

 private:
  std::unique_ptr<FileSystem> system_;
};

}  // namespace platform
