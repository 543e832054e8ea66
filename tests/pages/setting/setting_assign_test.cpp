// RENEW and KEEP: the panel's proposal shown read-only, confirmed with SET
// or abandoned with CANCEL.
#include <functional>
#include <map>

#include "setting_page_fixture.h"

namespace setting_test {
namespace {

using testing_support::ScriptedPeer;

using Assignment = SettingPageWithPanel;
using AssignmentScripted = SettingPageScripted;

const ui::ControlColors kYellowLabel{std::nullopt, ui::Rgb{255, 255, 0}};

std::string Sent(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The enabled state of every control an assignment changes, or keeps.
template <class Fixture>
std::map<int, bool> EnabledStates(const Fixture& test) {
  std::map<int, bool> states;
  for (const sc::RowIds* column : {&sc::kIp, &sc::kType, &sc::kSwInput, &sc::kCameraSelect}) {
    for (int id : *column) states[id] = test.Screen().IsEnabled(id);
  }
  for (int id :
       {IDC_SW_IP, IDC_SW_TYPE, IDC_SETTING_RENEW, IDC_SETTING_KEEP, IDC_SETTING_SET,
        IDC_SETTING_SCROLL, IDC_SETTING_CANCEL, IDC_SETTING_ALL_CLEAR, IDC_SETTING_REFRESH}) {
    states[id] = test.Screen().IsEnabled(id);
  }
  return states;
}

// The control table: in an assignment only RENEW, KEEP, SET, the scroll bar
// and CANCEL can be used.
std::map<int, bool> DuringAssignment(std::map<int, bool> states) {
  for (auto& [id, enabled] : states) {
    enabled = id == IDC_SETTING_RENEW || id == IDC_SETTING_KEEP || id == IDC_SETTING_SET ||
              id == IDC_SETTING_SCROLL || id == IDC_SETTING_CANCEL;
  }
  return states;
}

TEST_F(Assignment, RenewShowsTheProposalReadOnlyWithTheMovedCamerasMarked) {
  protocol::IpSettingRecord table = PanelTable();
  table.CamKind(1) = protocol::kWireNoAsign;  // takes no part: keeps its address, unmarked
  Load(table);
  const std::map<int, bool> idle = EnabledStates(*this);

  EXPECT_EQ(Press(IDC_SETTING_RENEW), Texts{});
  EXPECT_EQ(Sent(Vk1().Received().back()), "VK38 IP SET RENEW START\r\n");
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kRenewMode);
  EXPECT_EQ(AddressShown(0), Ip(192, 168, 0, 10));  // fresh addresses after the panel's
  EXPECT_EQ(AddressShown(1), Ip(10, 0, 0, 2));
  EXPECT_EQ(AddressShown(2), Ip(192, 168, 0, 11));
  EXPECT_EQ(EnabledStates(*this), DuringAssignment(idle));
  for (int r = 0; r < 5; ++r) EXPECT_EQ(Screen().Items(sc::kCameraSelect[r]), Texts{" "});
  EXPECT_FALSE(host.repaints.empty());

  EXPECT_EQ(page.OnCtlColor(sc::kCameraNo[0]), kYellowLabel);
  EXPECT_EQ(page.OnCtlColor(sc::kCameraNo[1]), std::nullopt);
  EXPECT_EQ(page.OnCtlColor(IDC_SW_CAMERA_NO), kYellowLabel);
  // Paging through the proposal is allowed, and marks follow their cameras.
  Scroll(ui::kSbBottom);
  EXPECT_EQ(page.OnCtlColor(sc::kCameraNo[14]), kYellowLabel);  // C100
}

TEST_F(Assignment, KeepDuringARenewRetriesInKeepModeAndSetConfirmsIt) {
  Load(PanelTable());
  Press(IDC_SETTING_RENEW);
  EXPECT_EQ(Press(IDC_SETTING_KEEP), Texts{});
  EXPECT_EQ(Sent(Vk1().Received().back()), "VK38 IP SET KEEP RETRY\r\n");
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kKeepMode);
  const protocol::IpSettingRecord proposal = page.Table();
  const std::map<int, bool> assigning = EnabledStates(*this);

  EXPECT_EQ(Press(IDC_SETTING_SET), (Texts{"IP Setting Start", "Finish!!"}));
  EXPECT_EQ(host.boxes[0].style, ui::kMbYesNo);
  EXPECT_EQ(host.boxes[1].style, ui::kMbOk);
  EXPECT_EQ(host.boxes[1].caption, testing_support::kApplicationName);
  EXPECT_EQ(Sent(Vk1().Received().back()), "VK38 IP SET KEEP SET\r\n");
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kNoAssignment);
  EXPECT_EQ(page.Table(), proposal) << "the proposal stays on the page";
  const std::map<int, bool> idle = EnabledStates(*this);
  EXPECT_EQ(DuringAssignment(idle), assigning);
  EXPECT_TRUE(idle.at(IDC_SETTING_REFRESH) && idle.at(sc::kIp[0]) && idle.at(sc::kCameraSelect[9]));
  EXPECT_TRUE(idle.at(sc::kCameraSelect[0])) << "rows 1 to 5 offer cameras again";
  EXPECT_FALSE(idle.at(IDC_SETTING_CANCEL));
  EXPECT_EQ(page.OnCtlColor(sc::kCameraNo[0]), std::nullopt);

  // The proposal's addresses count as read: a later write keeps the MACs.
  EXPECT_EQ(Press(IDC_SETTING_SET), Texts{"Write OK"});
  const Bytes stored = Vk1().CameraRecord();
  ASSERT_EQ(stored.size(), protocol::IpSettingRecord::kSize);
  protocol::IpSettingRecord written;
  std::copy(stored.begin(), stored.end(), written.bytes.begin());
  EXPECT_EQ(protocol::GetIp(written.CamAddr(0)), protocol::GetIp(proposal.CamAddr(0)));
  EXPECT_TRUE(std::ranges::equal(written.CamMac(0), proposal.CamMac(0)));
  EXPECT_EQ(written.CamMac(0)[3], 0xA0) << "not cleared";
}

TEST_F(Assignment, NoAtIpSettingStartSendsNothing) {
  Load(PanelTable());
  Press(IDC_SETTING_RENEW);
  const std::size_t connections = Vk1().Received().size();
  host.AnswerNextBox(ui::kIdNo);
  EXPECT_EQ(Press(IDC_SETTING_SET), Texts{"IP Setting Start"});
  EXPECT_EQ(Vk1().Received().size(), connections);
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kRenewMode);
  EXPECT_TRUE(Screen().IsEnabled(IDC_SETTING_CANCEL));
}

TEST_F(Assignment, CancelShowsThePanelsTableNotTheProposal) {
  Load(PanelTable());
  const protocol::IpSettingRecord panelTable = page.Table();
  const std::map<int, bool> idle = EnabledStates(*this);
  Press(IDC_SETTING_RENEW);
  ASSERT_NE(page.Table(), panelTable);

  EXPECT_EQ(Press(IDC_SETTING_CANCEL), Texts{});
  EXPECT_EQ(Sent(Vk1().Received().back()), "VK38 IP SETTING REQ\r\n");
  EXPECT_EQ(page.Table(), panelTable);
  EXPECT_EQ(AddressShown(0), Ip(10, 0, 0, 1));
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kNoAssignment);
  EXPECT_EQ(EnabledStates(*this), idle);
}

TEST_F(AssignmentScripted, KeepReportsEveryFlaggedDuplicateInOrder) {
  Load(PanelTable());
  protocol::IpSettingRecord proposal = PanelTable();
  proposal.CamFlags(16) = protocol::kDuplicateFlag;
  proposal.CamFlags(3) = protocol::kDuplicateFlag | protocol::kHighlightFlag;
  proposal.CamFlags(5) = protocol::kHighlightFlag;  // moved, not duplicated
  proposal.SwFlags() = protocol::kDuplicateFlag;
  network.Expect(ScriptedPeer::Answering({AsText(Sealed(proposal))}));
  EXPECT_EQ(Press(IDC_SETTING_KEEP), (Texts{"IP(10.0.0.4) Duplication", "IP(10.0.0.17) Duplication",
                                            "IP(10.0.1.1) Duplication"}));
  for (const auto& box : host.boxes) EXPECT_EQ(box.style, ui::kMbOk | ui::kMbIconError);
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kKeepMode);
  EXPECT_EQ(network.Connections().back()->received, "VK38 IP SET KEEP START\r\n");

  // The same flags in a renew proposal give no messages.
  network.Expect(ScriptedPeer::Answering({AsText(Sealed(proposal))}));
  EXPECT_EQ(Press(IDC_SETTING_RENEW), Texts{});
  EXPECT_EQ(network.Connections().back()->received, "VK38 IP SET RENEW RETRY\r\n");
  EXPECT_EQ(page.CurrentAssignMode(), IPSetting::kRenewMode);
}

TEST_F(AssignmentScripted, StartAndRetryFailuresFollowTheStateTable) {
  protocol::IpSettingRecord other = PanelTable();
  other.SetCamName(0, "OTHER");
  std::string badSum = AsText(Sealed(other));
  badSum[100] ^= 0x10;
  struct Case {
    const char* situation;
    std::function<void()> script;
    Texts messages;
    bool entered;
  };
  const Case cases[] = {
      {"connection fails",
       [&] { network.Expect(ScriptedPeer::Refusing()); },
       {"No Connect!!"},
       false},
      {"command send fails",
       [&] { network.Expect(ScriptedPeer::Answering({}).TakingOnly(0)); },
       {"Socket Error!!"},
       false},
      {"socket not created", [&] { network.socketCreationFails = true; }, {}, true},
      {"receive fails",
       [&] { network.Expect(ScriptedPeer::Answering({badSum.substr(0, 50)}).ThenFailing()); },
       {},
       true},
      {"sum not 0", [&] { network.Expect(ScriptedPeer::Answering({badSum})); }, {}, true},
      {"nothing received", [&] { network.Expect(ScriptedPeer::Answering({})); }, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    network.socketCreationFails = false;
    Load(PanelTable());
    const protocol::IpSettingRecord before = page.Table();
    const std::map<int, bool> idle = EnabledStates(*this);
    c.script();
    EXPECT_EQ(Press(IDC_SETTING_RENEW), c.messages);
    EXPECT_EQ(page.Table(), before);
    EXPECT_EQ(page.CurrentAssignMode(),
              c.entered ? IPSetting::kRenewMode : IPSetting::kNoAssignment);
    EXPECT_EQ(EnabledStates(*this), c.entered ? DuringAssignment(idle) : idle);
    network.socketCreationFails = false;
    if (c.entered) Press(IDC_SETTING_CANCEL);  // reads the table again: back to idle
  }
}

TEST_F(AssignmentScripted, TheFinishReplyDecidesBetweenFinishAndSettingError) {
  struct Case {
    const char* situation;
    std::function<void()> script;
    Texts messages;  // after "IP Setting Start"
    bool left;
  };
  const Case cases[] = {
      {"SETTING OK",
       [&] { network.Expect(ScriptedPeer::Answering({"SETTING OK\r\n\x01"})); },
       {"Finish!!"},
       true},
      {"SETTING OK and more",
       [&] {
         network.Expect(ScriptedPeer::Answering({"SETTING O", "KAY, applied"}));
       },
       {"Finish!!"},
       true},
      {"shorter than 10 bytes",
       [&] { network.Expect(ScriptedPeer::Answering({"SETTING O"})); },
       {"Setting Error!!"},
       true},
      {"other text",
       [&] { network.Expect(ScriptedPeer::Answering({"SETTING NG\r\n\x01"})); },
       {"Setting Error!!"},
       true},
      {"receive fails",
       [&] { network.Expect(ScriptedPeer::Answering({"SETT"}).ThenFailing()); },
       {},
       true},
      {"socket not created", [&] { network.socketCreationFails = true; }, {}, true},
      {"connection fails",
       [&] { network.Expect(ScriptedPeer::Refusing()); },
       {"No Connect!!"},
       false},
      {"command send fails",
       [&] { network.Expect(ScriptedPeer::Answering({}).TakingOnly(0)); },
       {"Socket Error!!"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    network.socketCreationFails = false;
    Load(PanelTable());
    network.Expect(ScriptedPeer::Answering({AsText(Sealed(PanelTable()))}));
    Press(IDC_SETTING_KEEP);
    c.script();
    Texts expected{"IP Setting Start"};
    expected.insert(expected.end(), c.messages.begin(), c.messages.end());
    EXPECT_EQ(Press(IDC_SETTING_SET), expected);
    if (c.messages == Texts{"Setting Error!!"}) {
      EXPECT_EQ(host.boxes.back().style, ui::kMbOk | ui::kMbIconError);
    }
    EXPECT_EQ(page.CurrentAssignMode(), c.left ? IPSetting::kNoAssignment : IPSetting::kKeepMode);
    EXPECT_EQ(Screen().IsEnabled(IDC_SETTING_CANCEL), !c.left);
    network.socketCreationFails = false;
    if (!c.left) Press(IDC_SETTING_CANCEL);
  }
}

}  // namespace
}  // namespace setting_test
