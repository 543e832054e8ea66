#include "sim/address_assignment.h"

#include <bitset>
#include <vector>

namespace sim {

namespace {

constexpr protocol::PanelAddress kNetworkMask = 0xFFFFFF00u;
constexpr std::uint8_t kAssignmentFlags = protocol::kHighlightFlag | protocol::kDuplicateFlag;

// One entry of the table that an assignment may give an address.
struct Entry {
  protocol::AddrField addr;
  std::uint8_t& flags;
};

bool IsNetworkedCamera(std::uint8_t wireKind) {
  return wireKind == protocol::kWireNetwork || wireKind == protocol::kWireIpDirect;
}

void ClearAssignmentFlags(protocol::IpSettingRecord& record) {
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    record.CamFlags(c) &= static_cast<std::uint8_t>(~kAssignmentFlags);
  }
  record.SwFlags() &= static_cast<std::uint8_t>(~kAssignmentFlags);
}

// The networked entries: the cameras in order, then the switcher.
std::vector<Entry> NetworkedEntries(protocol::IpSettingRecord& record) {
  std::vector<Entry> entries;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (IsNetworkedCamera(record.CamKind(c)))
      entries.push_back({record.CamAddr(c), record.CamFlags(c)});
  }
  if (record.SwKind() == protocol::kSwitcherNetwork)
    entries.push_back({record.SwAddr(), record.SwFlags()});
  return entries;
}

// Hands out the last octets of the panel's network, counting up from the
// panel's own and skipping those in use.
class OctetCounter {
 public:
  explicit OctetCounter(unsigned panelOctet) : next_(panelOctet) { Take(panelOctet); }
  bool InUse(unsigned octet) const { return used_.test(octet); }
  void Take(unsigned octet) { used_.set(octet); }
  unsigned NextFree() {
    do {
      next_ = next_ >= 254 ? 1 : next_ + 1;
    } while (InUse(next_));
    Take(next_);
    return next_;
  }

 private:
  unsigned next_;
  std::bitset<256> used_;
};

// Addresses of the panel's network that entries outside the assignment
// hold (NoAsign, Serial and CAM_Direct cameras, a NoAsign switcher): no
// networked entry is given one of them, so the proposal never collides
// with an address the tool's duplicate test would refuse.
void ReserveOthers(const protocol::IpSettingRecord& record, protocol::PanelAddress panel,
                   OctetCounter& octets) {
  const auto reserve = [&](protocol::ConstAddrField addr) {
    const protocol::PanelAddress address = protocol::GetIp(addr);
    if ((address & kNetworkMask) == (panel & kNetworkMask) &&
        protocol::IsValidPanelAddress(address)) {
      octets.Take(address & 0xFFu);
    }
  };
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (!IsNetworkedCamera(record.CamKind(c))) reserve(record.CamAddr(c));
  }
  if (record.SwKind() != protocol::kSwitcherNetwork) reserve(record.SwAddr());
}

void MoveTo(Entry& entry, protocol::PanelAddress address) {
  if (protocol::GetIp(entry.addr) != address) entry.flags |= protocol::kHighlightFlag;
  protocol::SetIp(entry.addr, address);
}

void Renew(std::vector<Entry>& entries, protocol::PanelAddress panel, OctetCounter& octets) {
  for (Entry& entry : entries) MoveTo(entry, (panel & kNetworkMask) | octets.NextFree());
}

void Keep(std::vector<Entry>& entries, protocol::PanelAddress panel, OctetCounter& octets) {
  const protocol::PanelAddress network = panel & kNetworkMask;
  std::vector<Entry*> toMove;
  for (Entry& entry : entries) {
    const protocol::PanelAddress address = protocol::GetIp(entry.addr);
    const unsigned octet = address & 0xFFu;
    const bool ours = (address & kNetworkMask) == network && protocol::IsValidPanelAddress(address);
    if (ours && !octets.InUse(octet)) {
      octets.Take(octet);
      continue;
    }
    if (ours) entry.flags |= protocol::kDuplicateFlag;
    toMove.push_back(&entry);
  }
  for (Entry* entry : toMove) MoveTo(*entry, network | octets.NextFree());
}

}  // namespace

protocol::IpSettingRecord ProposeAssignment(const protocol::IpSettingRecord& table,
                                            protocol::PanelAddress panel, AssignMode mode) {
  protocol::IpSettingRecord proposal = table;
  ClearAssignmentFlags(proposal);
  std::vector<Entry> entries = NetworkedEntries(proposal);
  OctetCounter octets(panel & 0xFFu);
  ReserveOthers(proposal, panel, octets);
  if (mode == AssignMode::kRenew) {
    Renew(entries, panel, octets);
  } else {
    Keep(entries, panel, octets);
  }
  protocol::ComputeChecksum(proposal);
  return proposal;
}

protocol::IpSettingRecord SettledTable(const protocol::IpSettingRecord& proposal) {
  protocol::IpSettingRecord table = proposal;
  ClearAssignmentFlags(table);
  protocol::ComputeChecksum(table);
  return table;
}

}  // namespace sim
