#include "sim/simulated_panel.h"

#include "sim/credential_block.h"
#include "sim/default_camera_table.h"
#include "sim/setup_block.h"

namespace sim {

SimulatedPanel::SimulatedPanel(protocol::PanelAddress address) : address_(address) {
  ResetLocked();
}

void SimulatedPanel::Reset() {
  std::lock_guard lock(mutex_);
  ResetLocked();
}

void SimulatedPanel::ResetLocked() {
  const protocol::IpSettingRecord table = DefaultCameraTable(address_);
  cameraRecord_.assign(table.bytes.begin(), table.bytes.end());
  setupBlock_ = DefaultSetupBlock(address_);
  credentials_ = BuildCredentialRecord(protocol::kFactoryUserName, protocol::kFactoryPassword);
  log_ = LogShape{};
  logBytes_.reset();
  programImage_.clear();
  fpgaImage_.clear();
  imageSize_.reset();
  timing_ = PanelTiming{};
  proposals_.clear();
  faults_.clear();
  received_.clear();
  ended_ = 0;
  ++generation_;
}

void SimulatedPanel::SetCameraRecord(Bytes bytes) {
  std::lock_guard lock(mutex_);
  cameraRecord_ = std::move(bytes);
}

void SimulatedPanel::SetCameraRecord(const protocol::IpSettingRecord& record) {
  SetCameraRecord(Bytes(record.bytes.begin(), record.bytes.end()));
}

Bytes SimulatedPanel::CameraRecord() const {
  std::lock_guard lock(mutex_);
  return cameraRecord_;
}

void SimulatedPanel::SetSetupBlock(Bytes bytes) {
  std::lock_guard lock(mutex_);
  setupBlock_ = std::move(bytes);
}

Bytes SimulatedPanel::SetupBlock() const {
  std::lock_guard lock(mutex_);
  return setupBlock_;
}

void SimulatedPanel::SetCredentials(Bytes bytes) {
  std::lock_guard lock(mutex_);
  credentials_ = std::move(bytes);
}

Bytes SimulatedPanel::Credentials() const {
  std::lock_guard lock(mutex_);
  return credentials_;
}

void SimulatedPanel::SetLog(LogShape shape) {
  std::lock_guard lock(mutex_);
  log_ = shape;
  logBytes_.reset();
}

void SimulatedPanel::SetLogBytes(Bytes bytes) {
  std::lock_guard lock(mutex_);
  log_.size = bytes.size();
  logBytes_ = std::move(bytes);
}

std::optional<Bytes> SimulatedPanel::LogBytes() const {
  std::lock_guard lock(mutex_);
  return logBytes_;
}

LogShape SimulatedPanel::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

Bytes SimulatedPanel::ProgramImage() const {
  std::lock_guard lock(mutex_);
  return programImage_;
}

Bytes SimulatedPanel::FpgaImage() const {
  std::lock_guard lock(mutex_);
  return fpgaImage_;
}

void SimulatedPanel::StoreProgramImage(Bytes bytes) {
  std::lock_guard lock(mutex_);
  programImage_ = std::move(bytes);
}

void SimulatedPanel::StoreFpgaImage(Bytes bytes) {
  std::lock_guard lock(mutex_);
  fpgaImage_ = std::move(bytes);
}

void SimulatedPanel::SetImageSize(std::optional<std::size_t> size) {
  std::lock_guard lock(mutex_);
  imageSize_ = size;
}

std::optional<std::size_t> SimulatedPanel::ImageSize() const {
  std::lock_guard lock(mutex_);
  return imageSize_;
}

void SimulatedPanel::SetTiming(PanelTiming timing) {
  std::lock_guard lock(mutex_);
  timing_ = timing;
}

PanelTiming SimulatedPanel::Timing() const {
  std::lock_guard lock(mutex_);
  return timing_;
}

void SimulatedPanel::SetProposal(AssignMode mode, Bytes record) {
  std::lock_guard lock(mutex_);
  proposals_[mode] = std::move(record);
}

std::optional<Bytes> SimulatedPanel::Proposal(AssignMode mode) const {
  std::lock_guard lock(mutex_);
  const auto found = proposals_.find(mode);
  if (found == proposals_.end()) return std::nullopt;
  return found->second;
}

void SimulatedPanel::SetFault(std::string_view commandLine, Fault fault) {
  std::lock_guard lock(mutex_);
  faults_[CommandKey(commandLine)] = std::move(fault);
}

void SimulatedPanel::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

Fault SimulatedPanel::FaultFor(std::string_view commandLine) const {
  std::lock_guard lock(mutex_);
  const auto found = faults_.find(CommandKey(commandLine));
  return found == faults_.end() ? Fault{} : found->second;
}

std::vector<Bytes> SimulatedPanel::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::size_t SimulatedPanel::ConnectionsEnded() const {
  std::lock_guard lock(mutex_);
  return ended_;
}

bool SimulatedPanel::WaitForConnections(std::size_t count,
                                        std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return connectionEnded_.wait_for(lock, timeout, [&] { return ended_ >= count; });
}

SimulatedPanel::ConnectionId SimulatedPanel::BeginConnection() {
  std::lock_guard lock(mutex_);
  received_.emplace_back();
  return {generation_, received_.size() - 1};
}

void SimulatedPanel::AppendReceived(ConnectionId connection, std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (connection.generation != generation_) return;
  Bytes& into = received_[connection.index];
  into.insert(into.end(), bytes.begin(), bytes.end());
}

void SimulatedPanel::EndConnection(ConnectionId connection) {
  {
    std::lock_guard lock(mutex_);
    if (connection.generation != generation_) return;
    ++ended_;
  }
  connectionEnded_.notify_all();
}

}  // namespace sim
