// How the Setting page and vk38 show a camera table's entries: MAC text,
// the Alarm column with its camera-model exception, the labels.
#include "rules/camera_table_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const std::string kTenBlanks(10, ' ');

TEST(CameraTableTexts, MacTextIsUpperCaseHexWithColons) {
  const std::uint8_t mac[6] = {0x02, 0xAB, 0x00, 0x0F, 0x10, 0xFF};
  EXPECT_EQ(rules::MacText(protocol::ConstMacField(mac, 6)), "02:AB:00:0F:10:FF");
}

TEST(CameraTableTexts, AlarmTextDependsOnCodeAndName) {
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
    EXPECT_EQ(rules::AlarmText("TL-MC27", c.code), c.forMc27);
    EXPECT_EQ(rules::AlarmText("TL-HC40", c.code), c.forOthers);
    EXPECT_EQ(rules::AlarmText("TL-MC2", c.code), c.forOthers) << "the whole name must match";
    EXPECT_EQ(rules::AlarmText("TL-MC270", c.code), c.forOthers);
  }
}

TEST(CameraTableTexts, AlarmTextReadsTheRecordsLittleEndianCode) {
  protocol::IpSettingRecord record;
  record.bytes[3038 + 2 * 4] = 0x00;
  record.bytes[3038 + 2 * 4 + 1] = 0x04;  // 0x0400, Pan Sensor
  std::memcpy(&record.bytes[2138 + 9 * 4], "TL-MC27\0garbage", 9);
  EXPECT_EQ(rules::AlarmText(record, 4), "Pan Sensor");
  record.SetCamName(4, "TL-PX12");
  EXPECT_EQ(rules::AlarmText(record, 4), kTenBlanks);
}

TEST(CameraTableTexts, LabelsNumberCamerasAndGroups) {
  EXPECT_EQ(rules::CameraLabel(0), "C001");
  EXPECT_EQ(rules::CameraLabel(41), "C042");
  EXPECT_EQ(rules::CameraLabel(99), "C100");
  EXPECT_EQ(rules::GroupLabel(0), "1");
  EXPECT_EQ(rules::GroupLabel(19), "20");
}

}  // namespace
