// How a panel operation ended, for the program's pages and for vk38 alike:
// what happened (the ending) and at which step of the exchange (the stage).
// Each face turns an outcome into its own words; the operation says nothing.
#pragma once

#include <string>

namespace operations {

enum class Ending {
  kDone,
  kNoSocket,      // no socket could be made
  kNotConnected,  // the panel did not take the connection
  kSilent,        // the panel sent nothing for the whole wait limit
  kOverdue,       // the exchange's time in all ran out (a panel that trickles its bytes)
  kBroken,        // the connection broke, or the panel closed it before its answer
  kRefused,       // the panel did not accept the command (another reply came)
  kBlockCut,      // the block or image did not go out whole
  kNotWritten,    // the panel did not take what was sent: its verdict was another
                  // reply than the one of success ("FILE OK", "WRITE OK", "SETTING OK")
  kBadData,       // what the panel sent is not a usable record or block
  kNoFile,        // the local file could not be opened or created
  kFileFailed,    // the local file could not be read or written to its end
};

// The steps of an exchange, in the order they happen.
enum class Stage {
  kConnect,     // making the socket and the connection
  kCommand,     // sending the command line
  kAcceptance,  // the reply that lets a block or image follow
  kPayload,     // the block or image going out, or the record, block or log coming in
  kReceipt,     // "FILE OK" after a program image: received whole
  kVerdict,     // the reply that says whether the panel wrote it
};

// What was wrong with what the panel sent (kBadData).
enum class Flaw {
  kNone,
  kEmpty,   // nothing came
  kShort,   // fewer bytes than the record has
  kLong,    // more bytes than the record has, or than the reply buffer holds
  kBadSum,  // its bytes do not add up to zero
};

struct Outcome {
  Ending ending = Ending::kDone;
  Stage stage = Stage::kPayload;
  Flaw flaw = Flaw::kNone;
  // The panel's reply line when it refused the command or did not take
  // what was sent (kRefused, kNotWritten): its printable text without CR LF.
  std::string reply{};

  bool Done() const { return ending == Ending::kDone; }
  // The command line reached the panel: the exchange got past its start.
  bool CommandSent() const { return stage > Stage::kCommand; }
};

}  // namespace operations
