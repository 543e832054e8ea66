#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/ip_setting_record.h"

namespace {

const std::string kTenBlanks(10, ' ');

// Field values that differ per camera and per byte, so that a field read or
// written at a wrong offset or in a wrong byte order shows.
std::uint8_t MacByte(int c, int i) { return static_cast<std::uint8_t>(c * 7 + i * 31 + 1); }
std::uint8_t AddrByte(int c, int i) { return static_cast<std::uint8_t>(c * 3 + i * 41 + 5); }
std::uint8_t Kind(int c) { return static_cast<std::uint8_t>(c % 5); }
std::string Name(int c) { return std::to_string(1000 + c).insert(0, 1, 'N'); }  // 5 characters
std::uint16_t Alarm(int c) { return static_cast<std::uint16_t>(((c + 1) << 8) | (c ^ 0x5A)); }
std::uint8_t Flags(int c) { return static_cast<std::uint8_t>(c % 4); }
constexpr std::uint8_t kSwMac[6] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};
constexpr std::uint8_t kSwAddr[6] = {10, 1, 2, 3, 0x1F, 0x90};
constexpr std::uint8_t kSwInputs[5] = {7, 0, 100, 42, 1};

// The record written byte by byte from the layout's offsets, as numbers.
protocol::IpSettingRecord RawRecord() {
  protocol::IpSettingRecord record;
  auto& b = record.bytes;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    for (int i = 0; i < 6; ++i) {
      b[12 + 6 * c + i] = MacByte(c, i);
      b[612 + 6 * c + i] = AddrByte(c, i);
    }
    b[2032 + c] = Kind(c);
    std::memcpy(&b[2138 + 9 * c], Name(c).c_str(), Name(c).size() + 1);
    b[3038 + 2 * c] = static_cast<std::uint8_t>(Alarm(c) & 0xFF);  // low byte first
    b[3038 + 2 * c + 1] = static_cast<std::uint8_t>(Alarm(c) >> 8);
    b[3238 + c] = Flags(c);
  }
  std::memcpy(&b[2012], kSwMac, 6);
  std::memcpy(&b[2018], kSwAddr, 6);
  b[2132] = 1;
  std::memcpy(&b[2133], kSwInputs, 5);
  b[3338] = 0x03;
  b[3340] = 0xEE;
  return record;
}

TEST(IpSettingRecord, EveryFieldIsReadAtItsOffset) {
  const protocol::IpSettingRecord record = RawRecord();
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    SCOPED_TRACE(c);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(record.CamMac(c)[i], MacByte(c, i));
      EXPECT_EQ(record.CamAddr(c)[i], AddrByte(c, i));
    }
    EXPECT_EQ(record.CamKind(c), Kind(c));
    EXPECT_EQ(record.CamName(c), Name(c));
    EXPECT_EQ(record.CamAlarm(c), Alarm(c));
    EXPECT_EQ(record.CamFlags(c), Flags(c));
  }
  EXPECT_TRUE(std::equal(record.SwMac().begin(), record.SwMac().end(), kSwMac));
  EXPECT_TRUE(std::equal(record.SwAddr().begin(), record.SwAddr().end(), kSwAddr));
  EXPECT_EQ(record.SwKind(), 1);
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k)
    EXPECT_EQ(record.SwInput(k), kSwInputs[k]);
  EXPECT_EQ(record.SwFlags(), 0x03);
  EXPECT_EQ(record.Checksum(), 0xEE);
}

TEST(IpSettingRecord, WritingEveryFieldTouchesOnlyItsOwnBytes) {
  protocol::IpSettingRecord written;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    for (int i = 0; i < 6; ++i) {
      written.CamMac(c)[i] = MacByte(c, i);
      written.CamAddr(c)[i] = AddrByte(c, i);
    }
    written.CamKind(c) = Kind(c);
    written.SetCamName(c, Name(c));
    written.SetCamAlarm(c, Alarm(c));
    written.CamFlags(c) = Flags(c);
  }
  std::copy(kSwMac, kSwMac + 6, written.SwMac().begin());
  std::copy(kSwAddr, kSwAddr + 6, written.SwAddr().begin());
  written.SwKind() = 1;
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) written.SwInput(k) = kSwInputs[k];
  written.SwFlags() = 0x03;
  written.bytes[3340] = 0xEE;
  // The reserved stretches stay zero in both.
  EXPECT_EQ(written, RawRecord());
}

TEST(IpSettingRecord, KindCodesReadAsThePageHoldsThem) {
  protocol::IpSettingRecord record;
  for (int c = 0; c < protocol::kCameraCount; ++c) record.CamKind(c) = static_cast<std::uint8_t>(c);
  EXPECT_EQ(record.CamPageKind(0), protocol::kPageNoAsign);
  EXPECT_EQ(record.CamPageKind(1), protocol::kPageSerial);
  EXPECT_EQ(record.CamPageKind(2), protocol::kPageNetwork);
  EXPECT_EQ(record.CamPageKind(3), protocol::kPageCamDirect);
  EXPECT_EQ(record.CamPageKind(4), protocol::kPageIpDirect);
  EXPECT_EQ(record.CamPageKind(5), 5);
  EXPECT_EQ(record.CamKind(1), protocol::kWireSerial) << "the record keeps the wire code";
  record.SetCamPageKind(7, protocol::kPageCamDirect);
  EXPECT_EQ(record.bytes[protocol::IpSettingRecord::kCamKindAt + 7], protocol::kWireCamDirect);
}

TEST(IpSettingRecord, SettingThePageKindReadGivesBackEveryByteValue) {
  for (int start = 0; start < 256; start += protocol::kCameraCount) {
    protocol::IpSettingRecord record = RawRecord();
    for (int c = 0; c < protocol::kCameraCount; ++c)
      record.CamKind(c) = static_cast<std::uint8_t>(start + c);
    const protocol::IpSettingRecord original = record;
    for (int c = 0; c < protocol::kCameraCount; ++c)
      record.SetCamPageKind(c, record.CamPageKind(c));
    EXPECT_EQ(record, original) << "values from " << start;
  }
}

TEST(IpSettingRecord, ChecksumMakesTheRecordSumToZero) {
  protocol::IpSettingRecord zeros;
  protocol::ComputeChecksum(zeros);
  EXPECT_EQ(zeros.bytes[3340], 0);

  protocol::IpSettingRecord record = RawRecord();
  const protocol::IpSettingRecord before = record;
  protocol::ComputeChecksum(record);
  EXPECT_TRUE(protocol::IsZeroSum(record.bytes));
  record.bytes[3340] = before.bytes[3340];
  EXPECT_EQ(record, before) << "only the checksum byte changes";
}

TEST(IpSettingRecord, AnySingleChangedByteBreaksTheChecksum) {
  protocol::IpSettingRecord record = RawRecord();
  protocol::ComputeChecksum(record);
  for (std::size_t at = 0; at < protocol::IpSettingRecord::kSize; ++at) {
    protocol::IpSettingRecord changed = record;
    changed.bytes[at] ^= 0x80;
    EXPECT_FALSE(protocol::IsZeroSum(changed.bytes)) << "byte " << at;
  }
  EXPECT_TRUE(protocol::IsZeroSum({}));
}

TEST(IpSettingRecord, AddressEntryHoldsAddressAndPort) {
  protocol::IpSettingRecord record;
  const std::uint8_t entry[6] = {0xC0, 0xA8, 0x00, 0x0A, 0x00, 0x50};
  std::copy(entry, entry + 6, record.CamAddr(3).begin());
  EXPECT_EQ(protocol::GetIp(record.CamAddr(3)), 0xC0A8000Au);
  EXPECT_EQ(protocol::AddressText(protocol::GetIp(record.CamAddr(3))), "192.168.0.10");
  EXPECT_EQ(protocol::HttpPort(record.CamAddr(3)), 80);

  protocol::SetIp(record.CamAddr(3), 0x0A141E28);  // 10.20.30.40
  EXPECT_EQ(record.bytes[612 + 18], 10);
  EXPECT_EQ(record.bytes[612 + 21], 40);
  EXPECT_EQ(protocol::HttpPort(record.CamAddr(3)), 80) << "setting the address keeps the port";

  protocol::SetHttpPort(record.SwAddr(), 0x1F90);
  EXPECT_EQ(record.bytes[2022], 0x1F);
  EXPECT_EQ(record.bytes[2023], 0x90);
}

TEST(IpSettingRecord, MacTextIsUpperCaseHexWithColons) {
  const std::uint8_t mac[6] = {0x02, 0xAB, 0x00, 0x0F, 0x10, 0xFF};
  EXPECT_EQ(protocol::MacText(protocol::ConstMacField(mac, 6)), "02:AB:00:0F:10:FF");
}

TEST(IpSettingRecord, AlarmTextDependsOnCodeAndName) {
  struct Case {
    std::uint16_t code;
    std::string forMc27;
    std::string forOthers;
  };
  const Case cases[] = {
      {0x0100, kTenBlanks, "Pan Driver"},       {0x0200, kTenBlanks, "Tilt Driver"},
      {0x0300, "Motor Driver", "Motor Driver"}, {0x0400, "Pan Sensor", kTenBlanks},
      {0x0500, "Tilt Sensor", kTenBlanks},      {0xFF00, "FAN", "FAN"},
      {0x0000, kTenBlanks, kTenBlanks},         {0x0001, kTenBlanks, kTenBlanks},
      {0x0600, kTenBlanks, kTenBlanks},         {0x0301, kTenBlanks, kTenBlanks},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(protocol::AlarmText("TL-MC27", c.code), c.forMc27);
    EXPECT_EQ(protocol::AlarmText("TL-HC40", c.code), c.forOthers);
    EXPECT_EQ(protocol::AlarmText("TL-MC2", c.code), c.forOthers) << "the whole name must match";
    EXPECT_EQ(protocol::AlarmText("TL-MC270", c.code), c.forOthers);
  }
}

TEST(IpSettingRecord, AlarmTextReadsTheRecordsLittleEndianCode) {
  protocol::IpSettingRecord record;
  record.bytes[3038 + 2 * 4] = 0x00;
  record.bytes[3038 + 2 * 4 + 1] = 0x04;  // 0x0400, Pan Sensor
  std::memcpy(&record.bytes[2138 + 9 * 4], "TL-MC27\0garbage", 9);
  EXPECT_EQ(protocol::AlarmText(record, 4), "Pan Sensor");
  record.SetCamName(4, "TL-PX12");
  EXPECT_EQ(protocol::AlarmText(record, 4), kTenBlanks);
}

TEST(IpSettingRecord, NameStaysWithinItsNineBytes) {
  protocol::IpSettingRecord record;
  std::memset(&record.bytes[2138], 'A', 9 * protocol::kCameraCount);  // no NUL anywhere
  std::memset(&record.bytes[3038], 'B', 200);                         // what follows the last name
  EXPECT_EQ(record.CamName(0), "AAAAAAAAA");
  EXPECT_EQ(record.CamName(99), "AAAAAAAAA");

  record.SetCamName(1, "ABCDEFGHIJK");
  EXPECT_EQ(record.CamName(1), "ABCDEFGH") << "at most 8 characters and the NUL";
  EXPECT_EQ(record.CamName(2), "AAAAAAAAA") << "the next field is untouched";
}

TEST(IpSettingRecord, LabelsNumberCamerasAndGroups) {
  EXPECT_EQ(protocol::CameraLabel(0), "C001");
  EXPECT_EQ(protocol::CameraLabel(41), "C042");
  EXPECT_EQ(protocol::CameraLabel(99), "C100");
  EXPECT_EQ(protocol::GroupLabel(0), "1");
  EXPECT_EQ(protocol::GroupLabel(19), "20");
}

TEST(IpSettingRecord, SwitcherInputsHoldCameraNumbers) {
  protocol::IpSettingRecord record;
  record.bytes[2133 + 2] = 7;  // INPUT3 = C007
  EXPECT_TRUE(protocol::IsOnInput(record, 6, 3));
  EXPECT_EQ(protocol::InputOfCamera(record, 6), 3);
  EXPECT_FALSE(protocol::IsOnInput(record, 7, 3));
  EXPECT_EQ(protocol::InputOfCamera(record, 7), 0);

  // A zero input holds nobody, not camera index -1 or C000.
  for (int c = 0; c < protocol::kCameraCount; ++c) EXPECT_FALSE(protocol::IsOnInput(record, c, 1));

  // One camera on several inputs shows on the highest.
  record.SwInput(1) = 7;
  record.SwInput(4) = 7;
  EXPECT_EQ(protocol::InputOfCamera(record, 6), 5);

  record.SwInput(0) = 150;  // matches no camera
  for (int c = 0; c < protocol::kCameraCount; ++c) EXPECT_FALSE(protocol::IsOnInput(record, c, 1));
}

}  // namespace
