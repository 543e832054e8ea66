// The program and FPGA upload commands. After the image the panel answers
// one reply line per stage, each on its own after a pause: the program's
// "FILE OK", "ERASE OK" and "WRITE OK"; the FPGA's "FILE OK" and "WRITE OK".
#include "sim/command_handlers.h"

namespace sim {

namespace {

enum class Image { kProgram, kFpga };

void LoadImage(const Exchange& exchange, Image kind) {
  if (!exchange.AnswerLine("VER UP START OK", "VER UP START NG")) return;
  const std::optional<std::size_t> size = exchange.panel.ImageSize();
  Bytes image =
      size ? exchange.connection.ReceiveExactly(*size) : exchange.connection.ReceiveUntilIdle();
  if (exchange.fault.fileNg) {
    exchange.connection.SendLine("FILE NG");
    return;
  }
  if (!exchange.connection.SendLine("FILE OK") || !exchange.LineGap()) return;
  if (kind == Image::kProgram) {
    if (!exchange.connection.SendLine("ERASE OK") || !exchange.LineGap()) return;
  }
  exchange.Confirm(true, [&] {
    if (kind == Image::kProgram) {
      exchange.panel.StoreProgramImage(std::move(image));
    } else {
      exchange.panel.StoreFpgaImage(std::move(image));
    }
  });
}

}  // namespace

void LoadProgramImage(const Exchange& exchange) { LoadImage(exchange, Image::kProgram); }

void LoadFpgaImage(const Exchange& exchange) { LoadImage(exchange, Image::kFpga); }

}  // namespace sim
