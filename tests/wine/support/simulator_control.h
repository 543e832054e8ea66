// Client of the panel simulator's control channel (TCP 127.0.0.1:35699):
// one command line, answered by data lines and then "OK" or "ERR ...".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wine_driver {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(std::string_view hex);
std::string ToHex(const Bytes& bytes);

class SimulatorControl {
 public:
  static constexpr std::uint16_t kDefaultPort = 35699;
  explicit SimulatorControl(std::uint16_t port = kDefaultPort);

  // Sends one command and returns its data lines; throws DriverError on
  // "ERR", on a closed channel or when no answer comes in time.
  std::vector<std::string> Command(std::string_view line) const;

  // Every panel back to its first state, faults and records cleared.
  void Reset() const;
  // Makes a panel misbehave on one command: "close", "delay 500", ...
  void Fault(std::string_view panel, std::string_view fault, std::string_view command) const;
  // The bytes each connection to the panel sent, in connection order.
  std::vector<Bytes> Received(std::string_view panel) const;
  // A panel's stored block: camera-record, setup, credentials,
  // program-image or fpga-image.
  Bytes Get(std::string_view panel, std::string_view what) const;
  void Put(std::string_view panel, std::string_view what, const Bytes& bytes) const;

 private:
  std::uint16_t port_;
};

}  // namespace wine_driver
