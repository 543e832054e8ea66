// The Type list's codes beside the record's: every type byte reads as the
// page holds it and is set back unchanged; CAMERA Select's choice of types
// by wire code.
#include "rules/camera_table_words.h"

#include <gtest/gtest.h>

namespace {

TEST(CameraTypeCodes, KindCodesReadAsThePageHoldsThem) {
  protocol::IpSettingRecord record;
  for (int c = 0; c < protocol::kCameraCount; ++c) record.CamKind(c) = static_cast<std::uint8_t>(c);
  EXPECT_EQ(rules::CamPageKind(record, 0), rules::kPageNoAsign);
  EXPECT_EQ(rules::CamPageKind(record, 1), rules::kPageSerial);
  EXPECT_EQ(rules::CamPageKind(record, 2), rules::kPageNetwork);
  EXPECT_EQ(rules::CamPageKind(record, 3), rules::kPageCamDirect);
  EXPECT_EQ(rules::CamPageKind(record, 4), rules::kPageIpDirect);
  EXPECT_EQ(rules::CamPageKind(record, 5), 5);
  EXPECT_EQ(record.CamKind(1), protocol::kWireSerial) << "the record keeps the wire code";
  rules::SetCamPageKind(record, 7, rules::kPageCamDirect);
  EXPECT_EQ(record.bytes[protocol::IpSettingRecord::kCamKindAt + 7], protocol::kWireCamDirect);
}

TEST(CameraTypeCodes, SettingThePageKindReadGivesBackEveryByteValue) {
  for (int start = 0; start < 256; start += protocol::kCameraCount) {
    protocol::IpSettingRecord record;
    for (int c = 0; c < protocol::kCameraCount; ++c)
      record.CamKind(c) = static_cast<std::uint8_t>(start + c);
    const protocol::IpSettingRecord original = record;
    for (int c = 0; c < protocol::kCameraCount; ++c)
      rules::SetCamPageKind(record, c, rules::CamPageKind(record, c));
    EXPECT_EQ(record, original) << "values from " << start;
  }
}

TEST(CameraTypeCodes, OnlyNoAsignNetworkAndIpDirectTakePartInCameraSelect) {
  for (int wire = 0; wire < 256; ++wire) {
    const auto kind = static_cast<std::uint8_t>(wire);
    const bool expected = wire == 0 || wire == 2 || wire == 4;  // NoAsign, Network, IP_Direct
    EXPECT_EQ(rules::TakesPartInCameraSelect(kind), expected) << wire;
  }
}

}  // namespace
