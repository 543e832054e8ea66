#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/ip_setting_record.h"

namespace {

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

}  // namespace
