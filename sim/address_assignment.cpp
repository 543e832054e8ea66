#include "sim/address_assignment.h"

#include <bitset>
#include <vector>

namespace sim {

namespace {

constexpr PanelAddress kNetworkMask = 0xFFFFFF00u;
constexpr std::uint8_t kAssignmentFlags = kHighlightFlag | kDuplicateFlag;

// One entry of the table that an assignment may give an address.
struct Entry {
  AddrField addr;
  std::uint8_t& flags;
};

bool IsNetworkedCamera(std::uint8_t wireKind) {
  return wireKind == kWireNetwork || wireKind == kWireIpDirect;
}

void ClearAssignmentFlags(IpSettingRecord& record) {
  for (int c = 0; c < kCameraCount; ++c) {
    record.CamFlags(c) &= static_cast<std::uint8_t>(~kAssignmentFlags);
  }
  record.SwFlags() &= static_cast<std::uint8_t>(~kAssignmentFlags);
}

// The networked entries: the cameras in order, then the switcher.
std::vector<Entry> NetworkedEntries(IpSettingRecord& record) {
  std::vector<Entry> entries;
  for (int c = 0; c < kCameraCount; ++c) {
    if (IsNetworkedCamera(record.CamKind(c)))
      entries.push_back({record.CamAddr(c), record.CamFlags(c)});
  }
  if (record.SwKind() == kSwitcherNetwork) entries.push_back({record.SwAddr(), record.SwFlags()});
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
void ReserveOthers(const IpSettingRecord& record, PanelAddress panel, OctetCounter& octets) {
  const auto reserve = [&](ConstAddrField addr) {
    const PanelAddress address = GetIp(addr);
    if ((address & kNetworkMask) == (panel & kNetworkMask) && IsValidPanelAddress(address)) {
      octets.Take(address & 0xFFu);
    }
  };
  for (int c = 0; c < kCameraCount; ++c) {
    if (!IsNetworkedCamera(record.CamKind(c))) reserve(record.CamAddr(c));
  }
  if (record.SwKind() != kSwitcherNetwork) reserve(record.SwAddr());
}

void MoveTo(Entry& entry, PanelAddress address) {
  if (GetIp(entry.addr) != address) entry.flags |= kHighlightFlag;
  SetIp(entry.addr, address);
}

void Renew(std::vector<Entry>& entries, PanelAddress panel, OctetCounter& octets) {
  for (Entry& entry : entries) MoveTo(entry, (panel & kNetworkMask) | octets.NextFree());
}

void Keep(std::vector<Entry>& entries, PanelAddress panel, OctetCounter& octets) {
  const PanelAddress network = panel & kNetworkMask;
  std::vector<Entry*> toMove;
  for (Entry& entry : entries) {
    const PanelAddress address = GetIp(entry.addr);
    const unsigned octet = address & 0xFFu;
    const bool ours = (address & kNetworkMask) == network && IsValidPanelAddress(address);
    if (ours && !octets.InUse(octet)) {
      octets.Take(octet);
      continue;
    }
    if (ours) entry.flags |= kDuplicateFlag;
    toMove.push_back(&entry);
  }
  for (Entry* entry : toMove) MoveTo(*entry, network | octets.NextFree());
}

}  // namespace

IpSettingRecord ProposeAssignment(const IpSettingRecord& table, PanelAddress panel,
                                  AssignMode mode) {
  IpSettingRecord proposal = table;
  ClearAssignmentFlags(proposal);
  std::vector<Entry> entries = NetworkedEntries(proposal);
  OctetCounter octets(panel & 0xFFu);
  ReserveOthers(proposal, panel, octets);
  if (mode == AssignMode::kRenew) {
    Renew(entries, panel, octets);
  } else {
    Keep(entries, panel, octets);
  }
  ComputeChecksum(proposal);
  return proposal;
}

IpSettingRecord SettledTable(const IpSettingRecord& proposal) {
  IpSettingRecord table = proposal;
  ClearAssignmentFlags(table);
  ComputeChecksum(table);
  return table;
}

}  // namespace sim
