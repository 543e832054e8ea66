// Writes the seed corpora of the fuzz targets, each seed a valid exchange
// (or a valid exchange with one thing wrong) in the form the target reads:
//   fuzz_seeds tests/fuzz/corpus
// The committed corpora started from these seeds; fuzz sessions add to them.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "file_fuzz.h"
#include "fuzz_input.h"
#include "fuzz_peer.h"
#include "fuzz_steps.h"
#include "protocol/credential_record.h"
#include "sim/address_assignment.h"
#include "sim/credential_block.h"
#include "sim/default_camera_table.h"
#include "sim/setup_block.h"

namespace {

using fuzz::SeedWriter;
using Pieces = std::vector<std::string>;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009;
constexpr std::uint8_t kOk = 0;
constexpr std::uint8_t kCancelAnswer = 1;

std::string Line(const std::string& text) { return text + "\r\n" + '\0'; }

std::string AsText(const protocol::IpSettingRecord& record) {
  return std::string(record.bytes.begin(), record.bytes.end());
}
template <class Bytes>
std::string AsText(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

const std::string& PanelTable() {
  static const std::string table = AsText(sim::DefaultCameraTable(kVk1));
  return table;
}
std::string Proposal(sim::AssignMode mode) {
  return AsText(sim::ProposeAssignment(sim::DefaultCameraTable(kVk1), kVk1, mode));
}
// The record cut into pieces at a few uneven points.
Pieces InPieces(const std::string& bytes) {
  return {bytes.substr(0, 7), bytes.substr(7, 1500), bytes.substr(1507)};
}
std::string SetupBlock() { return AsText(sim::DefaultSetupBlock(kVk1)); }
std::string Credentials(const std::string& user, const std::string& password) {
  return AsText(sim::BuildCredentialRecord(user, password));
}

class Corpus {
 public:
  explicit Corpus(std::filesystem::path root) : root_(std::move(root)) {}
  void Write(const std::string& target, const std::string& name, const SeedWriter& seed) {
    const std::filesystem::path folder = root_ / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / ("seed-" + name), std::ios::binary) << seed.Bytes();
  }

 private:
  std::filesystem::path root_;
};

SeedWriter& Connect(SeedWriter& seed, const Pieces& pieces, std::uint8_t flags = fuzz::kAccepting) {
  fuzz::WriteConnection(seed, flags, pieces);
  return seed;
}

void SettingRefresh(Corpus& corpus) {
  using enum fuzz::steps::setting_refresh::Step;
  SeedWriter whole;
  Connect(whole.Byte(kRefresh), {PanelTable()}).Byte(kEveryPosition);
  corpus.Write("setting_refresh", "table-whole", whole);

  std::string damaged = PanelTable();
  damaged[100] ^= 1;
  SeedWriter pieces;
  Connect(pieces.Byte(kRefresh), InPieces(PanelTable())).Byte(kScroll).Byte(1).Byte(0);
  Connect(pieces.Byte(kRefresh), {damaged});
  corpus.Write("setting_refresh", "table-in-pieces-then-bad-sum", pieces);

  SeedWriter cut;
  Connect(cut.Byte(kRefresh), {PanelTable()});
  Connect(cut.Byte(kRefresh), {PanelTable().substr(0, 3000)}, fuzz::kFailsAfterReply);
  Connect(cut.Byte(kRefresh), {}, fuzz::kRefusing);
  corpus.Write("setting_refresh", "table-then-cut-and-refused", cut);
}

void SettingAssign(Corpus& corpus) {
  using enum fuzz::steps::setting_assign::Step;
  SeedWriter renew;
  Connect(renew.Byte(kRefresh), {PanelTable()});
  Connect(renew.Byte(kRenew), InPieces(Proposal(sim::AssignMode::kRenew)));
  Connect(renew.Byte(kSet).Byte(1), {Line("SETTING OK")});
  corpus.Write("setting_assign", "renew-and-set", renew);

  SeedWriter keep;
  Connect(keep.Byte(kRefresh), {PanelTable()});
  Connect(keep.Byte(kKeep), {Proposal(sim::AssignMode::kKeep)});
  Connect(keep.Byte(kKeep), {Proposal(sim::AssignMode::kKeep)});
  keep.Byte(kScroll).Byte(4);
  Connect(keep.Byte(kCancel), {PanelTable()});
  corpus.Write("setting_assign", "keep-retry-and-cancel", keep);

  SeedWriter refused;
  Connect(refused.Byte(kRenew), {Proposal(sim::AssignMode::kRenew)});
  Connect(refused.Byte(kSet).Byte(0), {});
  Connect(refused.Byte(kSet).Byte(1), {}, fuzz::kRefusing);
  Connect(refused.Byte(kSet).Byte(1), {Line("SETTING NG")});
  corpus.Write("setting_assign", "set-refused-then-not-ok", refused);
}

void SettingWrite(Corpus& corpus) {
  using enum fuzz::steps::setting_write::Step;
  const Pieces written = {Line("SETTING CHANGE OK"), Line("WRITE OK")};
  SeedWriter set;
  Connect(set.Byte(kRefresh), {PanelTable()});
  Connect(set.Byte(kSet).Byte(kOk), written);
  corpus.Write("setting_write", "read-and-write", set);

  SeedWriter edits;
  Connect(edits.Byte(kRefresh), {PanelTable()});
  edits.Byte(kPickType).Byte(0).Byte(5);    // row 1: CAM_Direct
  edits.Byte(kPickInput).Byte(1).Byte(3);   // row 2: INPUT2
  edits.Byte(kPickCamera).Byte(6).Byte(3);  // row 7: the third camera offered
  edits.Byte(kTypeAddress).Byte(2).Byte(192).Byte(168).Byte(0).Byte(200);
  edits.Byte(kScroll).Byte(3);
  edits.Byte(kPickType).Byte(15).Byte(1);  // the switcher: NoAsign
  Connect(edits.Byte(kSet).Byte(kOk), written);
  corpus.Write("setting_write", "edits-and-write", edits);

  SeedWriter clear;
  Connect(clear.Byte(kAllClear).Byte(kOk), written);
  corpus.Write("setting_write", "all-clear", clear);

  SeedWriter refused;
  Connect(refused.Byte(kRefresh), {PanelTable()});
  refused.Byte(kPickType).Byte(3).Byte(3);  // row 4: IP_Direct, asks about firmware
  Connect(refused.Byte(kSet).Byte(kCancelAnswer), written);
  Connect(refused.Byte(kSet).Byte(kOk), {Line("SETTING CHANGE NG")});
  Connect(refused.Byte(kSet).Byte(kOk), {Line("SETTING CHANGE OK"), Line("WRITE NG")});
  corpus.Write("setting_write", "prompt-cancelled-then-refused", refused);
}

void UserAuth(Corpus& corpus) {
  using enum fuzz::steps::user_auth::Step;
  using enum fuzz::steps::user_auth::FieldIndex;
  const auto type = [](SeedWriter& seed, std::uint8_t field, const std::string& text) {
    seed.Byte(kType).Byte(field).Piece(text);
  };
  SeedWriter change;
  Connect(change.Byte(kRefresh), {Credentials("staff", "48213")});
  type(change, kOldPassword, "48213");
  type(change, kNewUser, "operator");
  type(change, kNewPassword, "s3cret!");
  type(change, kRetype, "s3cret!");
  Connect(change.Byte(kSet), {Line("SETTING CHANGE OK"), Line("WRITE OK")});
  corpus.Write("user_auth", "refresh-and-change", change);

  SeedWriter filtered;
  type(filtered, kNewUser, "ab&cd");
  type(filtered, kNewPassword, "a;b:c\\d");
  Connect(filtered.Byte(kRefresh), {Credentials("with space", "1234")});
  Connect(filtered.Byte(kSet), {}, fuzz::kRefusing);
  corpus.Write("user_auth", "filtered-fields-and-refused-set", filtered);

  SeedWriter refused;
  type(refused, kOldUser, "staff");
  type(refused, kOldPassword, "48213");
  type(refused, kNewUser, "next");
  type(refused, kNewPassword, "abcd");
  type(refused, kRetype, "abcd");
  Connect(refused.Byte(kSet), {Line("SETTING CHANGE NG")});
  Connect(refused.Byte(kSet), {Line("SETTING CHANGE OK"), Line("WRITE NG")});
  corpus.Write("user_auth", "write-refused", refused);
}

void FileOpe(Corpus& corpus) {
  using enum fuzz::steps::file_ope::Step;
  const auto file = [](SeedWriter& seed, std::uint8_t flags, const std::string& content) {
    seed.Byte(flags);
    if (flags & fuzz::kReadFails) seed.Size(content.size() / 2);
    if (flags & fuzz::kWriteFails) seed.Size(100);
    seed.Piece(content);
  };
  SeedWriter load;
  file(load.Byte(kChooseFile).Byte(0), 0, SetupBlock());
  load.Byte(kTypePath).Piece("C:/elsewhere.v38");
  Connect(load.Byte(kLoad), {Line("SETTING CHANGE OK"), Line("WRITE OK")});
  file(load.Byte(kChooseFile).Byte(0), fuzz::kReadFails, SetupBlock());
  Connect(load.Byte(kLoad), {Line("SETTING CHANGE OK"), Line("WRITE OK")});
  corpus.Write("file_ope", "load", load);

  SeedWriter save;
  file(save.Byte(kSave).Byte(0), 0, "old");
  Connect(save, InPieces(SetupBlock()));
  file(save.Byte(kSave).Byte(0), fuzz::kCloseFails, "");
  Connect(save, {SetupBlock()});
  corpus.Write("file_ope", "save", save);

  const std::string log(5000, 'L');
  SeedWriter logSave;
  file(logSave.Byte(kSaveLog).Byte(0), 0, "");
  Connect(logSave, {log.substr(0, 1460), log.substr(1460, 1460), log.substr(2920)});
  file(logSave.Byte(kSaveLog).Byte(0), fuzz::kWriteFails, "");
  Connect(logSave, {log.substr(0, 1460), log.substr(1460)}, fuzz::kFailsAfterReply);
  corpus.Write("file_ope", "log-save", logSave);
}

void Upgrade(Corpus& corpus) {
  using enum fuzz::steps::upgrade::Step;
  std::string image(6000, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
  SeedWriter program;
  program.Byte(kChooseProgram).Byte(0).Byte(0).Piece(image);
  Connect(program.Byte(kLoadProgram),
          {Line("VER UP START OK"), Line("FILE OK"), Line("ERASE OK"), Line("WRITE OK")});
  corpus.Write("upgrade", "program", program);

  SeedWriter fpga;
  fpga.Byte(kChooseFpga).Byte(0).Byte(0).Piece(image.substr(0, 4096));
  Connect(fpga.Byte(kLoadFpga), {Line("VER UP START OK"), Line("FILE OK"), Line("WRITE OK")});
  Connect(fpga.Byte(kLoadFpga), {Line("VER UP START NG")});
  corpus.Write("upgrade", "fpga", fpga);
}

void PanelSession(Corpus& corpus) {
  using enum fuzz::steps::panel_session::Step;
  SeedWriter write;
  Connect(write, {Line("SETTING CHANGE OK"), "WRI", "TE OK\r\n", std::string(1, '\0')});
  write.Byte(kSendCommand).Piece("VK38 SETTING CHANGE\r\n").Byte(kReceiveReply);
  write.Byte(kSendFile).Size(0xFFFF).Piece(SetupBlock()).Byte(kReceiveReply);
  corpus.Write("panel_session", "write", write);

  SeedWriter read;
  Connect(read, InPieces(PanelTable()));
  read.Byte(kSendCommand).Piece("VK38 IP SETTING REQ\r\n").Byte(kReceiveUntilClosed);
  corpus.Write("panel_session", "read", read);

  SeedWriter stream;
  Connect(stream, {std::string(5000, 'L'), std::string(300, 'M')}, fuzz::kFailsAfterReply);
  stream.Byte(kSendCommand).Piece("VK38 LOG REQ\r\n").Byte(kReceiveStream);
  corpus.Write("panel_session", "stream", stream);
}

void Simulator(Corpus& corpus) {
  const auto seed = [&](const std::string& name, const Pieces& client) {
    SeedWriter writer;
    writer.Size(3000).Size(700).Byte(0);
    for (const std::string& piece : client) writer.Piece(piece);
    corpus.Write("simulator", name, writer);
  };
  seed("read-table", {"VK38 IP SETTING REQ\r\n"});
  seed("write-table",
       {"VK38 IP SETTING CHANGE\r\n", PanelTable().substr(0, 2000), PanelTable().substr(2000)});
  seed("renew", {"VK38 IP SET RENEW START\r\n"});
  seed("keep-set", {"VK38 IP SET KEEP SET\r\n"});
  seed("setup-read", {"VK38 SETTING REQ\r\n"});
  seed("setup-write", {"VK38 SETTING CHANGE\r\n" + SetupBlock()});
  seed("log", {"VK38 LOG REQ\r\n"});
  seed("program", {"VK38 VER UP START\r\n", std::string(3000, 'P')});
  seed("fpga", {"FPGA VER UP START\r\n", std::string(200, 'F')});
  seed("credentials-read", {"VK38 AUTH SETTING REQ\r\n"});
  seed("credentials-write", {"VK38 AUTH SETTING CHANGE\r\n", Credentials("admin", "1234")});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds CORPUS_FOLDER\n";
    return 2;
  }
  Corpus corpus(argv[1]);
  SettingRefresh(corpus);
  SettingAssign(corpus);
  SettingWrite(corpus);
  UserAuth(corpus);
  FileOpe(corpus);
  Upgrade(corpus);
  PanelSession(corpus);
  Simulator(corpus);
  return 0;
}
