#include "sim/exchange.h"

namespace sim {

bool Exchange::Misanswers(std::string_view wrongLine) const {
  if (fault.firstReply) {
    connection.Send(*fault.firstReply);
    return true;
  }
  if (fault.wrongReply) {
    connection.SendLine(wrongLine);
    return true;
  }
  return false;
}

bool Exchange::AnswerLine(std::string_view line, std::string_view wrongLine) const {
  if (Misanswers(wrongLine)) return false;
  return connection.SendLine(line);
}

void Exchange::SendBlock(Bytes block, std::optional<std::size_t> checksumAt) const {
  if (fault.badChecksum && checksumAt && *checksumAt < block.size()) ++block[*checksumAt];
  if (fault.oversize && *fault.oversize > block.size()) block.resize(*fault.oversize, 0);
  connection.Send(block);
}

void Exchange::Confirm(bool valid, const std::function<void()>& store) const {
  if (valid && !fault.writeNg) {
    if (!fault.keepOld) store();
    connection.SendLine("WRITE OK");
  } else {
    connection.SendLine("WRITE NG");
  }
}

}  // namespace sim
