#include "rules/camera_table_texts.h"

#include <array>
#include <cassert>
#include <cstdio>

namespace rules {

namespace {

constexpr std::string_view kTenBlanks = "          ";
// The camera model whose alarm codes read otherwise.
constexpr std::string_view kNameWithOwnAlarms = "TL-MC27";

}  // namespace

std::string MacText(protocol::ConstMacField mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::string AlarmText(std::string_view name, std::uint16_t code) {
  const bool ownAlarms = name == kNameWithOwnAlarms;
  switch (code) {
    case protocol::kAlarmPanDriver:
      return std::string(ownAlarms ? kTenBlanks : "Pan Driver");
    case protocol::kAlarmTiltDriver:
      return std::string(ownAlarms ? kTenBlanks : "Tilt Driver");
    case protocol::kAlarmMotorDriver:
      return "Motor Driver";
    case protocol::kAlarmPanSensor:
      return std::string(ownAlarms ? "Pan Sensor" : kTenBlanks);
    case protocol::kAlarmTiltSensor:
      return std::string(ownAlarms ? "Tilt Sensor" : kTenBlanks);
    case protocol::kAlarmFan:
      return "FAN";
    default:
      return std::string(kTenBlanks);
  }
}

std::string AlarmText(const protocol::IpSettingRecord& record, int c) {
  return AlarmText(record.CamName(c), record.CamAlarm(c));
}

const std::string& CameraLabel(int c) {
  static const auto labels = [] {
    std::array<std::string, protocol::kCameraCount> texts;
    char text[8];
    for (int i = 0; i < protocol::kCameraCount; ++i) {
      std::snprintf(text, sizeof text, "C%03d", i + 1);
      texts[static_cast<std::size_t>(i)] = text;
    }
    return texts;
  }();
  assert(c >= 0 && c < protocol::kCameraCount);
  return labels[static_cast<std::size_t>(c)];
}

const std::string& GroupLabel(int g) {
  static const auto labels = [] {
    std::array<std::string, protocol::kGroupCount> texts;
    for (int i = 0; i < protocol::kGroupCount; ++i)
      texts[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    return texts;
  }();
  assert(g >= 0 && g < protocol::kGroupCount);
  return labels[static_cast<std::size_t>(g)];
}

}  // namespace rules
