// The controls of the Setting page by column, in row order (row 1 first),
// and the fixed items of its lists.
#pragma once

#include <array>
#include <string_view>

#include "resources/resource.h"
#include "rules/camera_table_words.h"

namespace setting_controls {

inline constexpr int kRowCount = 15;     // visible camera rows
inline constexpr int kSwitcherRow = 15;  // index of the SW row in 16-entry columns
inline constexpr int kGroupsShown = 3;
inline constexpr int kLastTopGroup = 17;  // groups 18 to 20 fill the last view

using RowIds = std::array<int, kRowCount>;

inline constexpr std::array<int, 11> kHeaders = {
    IDC_HEAD_CAMERA,      IDC_HEAD_GROUP,         IDC_HEAD_CAMERA_NO, IDC_HEAD_TYPE,
    IDC_HEAD_CAMERA_NAME, IDC_HEAD_SW_INPUT,      IDC_HEAD_MAC,       IDC_HEAD_IP,
    IDC_HEAD_HTTP_PORT,   IDC_HEAD_CAMERA_SELECT, IDC_HEAD_ALARM};

inline constexpr std::array<int, kGroupsShown> kGroupLabels = {IDC_GROUP_1, IDC_GROUP_2,
                                                               IDC_GROUP_3};

inline constexpr RowIds kCameraNo = {
    IDC_CAMERA_NO_01, IDC_CAMERA_NO_02, IDC_CAMERA_NO_03, IDC_CAMERA_NO_04, IDC_CAMERA_NO_05,
    IDC_CAMERA_NO_06, IDC_CAMERA_NO_07, IDC_CAMERA_NO_08, IDC_CAMERA_NO_09, IDC_CAMERA_NO_10,
    IDC_CAMERA_NO_11, IDC_CAMERA_NO_12, IDC_CAMERA_NO_13, IDC_CAMERA_NO_14, IDC_CAMERA_NO_15};

inline constexpr RowIds kType = {IDC_TYPE_01, IDC_TYPE_02, IDC_TYPE_03, IDC_TYPE_04, IDC_TYPE_05,
                                 IDC_TYPE_06, IDC_TYPE_07, IDC_TYPE_08, IDC_TYPE_09, IDC_TYPE_10,
                                 IDC_TYPE_11, IDC_TYPE_12, IDC_TYPE_13, IDC_TYPE_14, IDC_TYPE_15};

inline constexpr RowIds kCameraName = {IDC_CAMERA_NAME_01, IDC_CAMERA_NAME_02, IDC_CAMERA_NAME_03,
                                       IDC_CAMERA_NAME_04, IDC_CAMERA_NAME_05, IDC_CAMERA_NAME_06,
                                       IDC_CAMERA_NAME_07, IDC_CAMERA_NAME_08, IDC_CAMERA_NAME_09,
                                       IDC_CAMERA_NAME_10, IDC_CAMERA_NAME_11, IDC_CAMERA_NAME_12,
                                       IDC_CAMERA_NAME_13, IDC_CAMERA_NAME_14, IDC_CAMERA_NAME_15};

inline constexpr RowIds kSwInput = {
    IDC_SW_INPUT_01, IDC_SW_INPUT_02, IDC_SW_INPUT_03, IDC_SW_INPUT_04, IDC_SW_INPUT_05,
    IDC_SW_INPUT_06, IDC_SW_INPUT_07, IDC_SW_INPUT_08, IDC_SW_INPUT_09, IDC_SW_INPUT_10,
    IDC_SW_INPUT_11, IDC_SW_INPUT_12, IDC_SW_INPUT_13, IDC_SW_INPUT_14, IDC_SW_INPUT_15};

inline constexpr RowIds kMac = {IDC_MAC_01, IDC_MAC_02, IDC_MAC_03, IDC_MAC_04, IDC_MAC_05,
                                IDC_MAC_06, IDC_MAC_07, IDC_MAC_08, IDC_MAC_09, IDC_MAC_10,
                                IDC_MAC_11, IDC_MAC_12, IDC_MAC_13, IDC_MAC_14, IDC_MAC_15};

inline constexpr RowIds kIp = {IDC_IP_01, IDC_IP_02, IDC_IP_03, IDC_IP_04, IDC_IP_05,
                               IDC_IP_06, IDC_IP_07, IDC_IP_08, IDC_IP_09, IDC_IP_10,
                               IDC_IP_11, IDC_IP_12, IDC_IP_13, IDC_IP_14, IDC_IP_15};

inline constexpr RowIds kHttpPort = {
    IDC_HTTP_PORT_01, IDC_HTTP_PORT_02, IDC_HTTP_PORT_03, IDC_HTTP_PORT_04, IDC_HTTP_PORT_05,
    IDC_HTTP_PORT_06, IDC_HTTP_PORT_07, IDC_HTTP_PORT_08, IDC_HTTP_PORT_09, IDC_HTTP_PORT_10,
    IDC_HTTP_PORT_11, IDC_HTTP_PORT_12, IDC_HTTP_PORT_13, IDC_HTTP_PORT_14, IDC_HTTP_PORT_15};

inline constexpr RowIds kCameraSelect = {
    IDC_CAMERA_SELECT_01, IDC_CAMERA_SELECT_02, IDC_CAMERA_SELECT_03, IDC_CAMERA_SELECT_04,
    IDC_CAMERA_SELECT_05, IDC_CAMERA_SELECT_06, IDC_CAMERA_SELECT_07, IDC_CAMERA_SELECT_08,
    IDC_CAMERA_SELECT_09, IDC_CAMERA_SELECT_10, IDC_CAMERA_SELECT_11, IDC_CAMERA_SELECT_12,
    IDC_CAMERA_SELECT_13, IDC_CAMERA_SELECT_14, IDC_CAMERA_SELECT_15};

inline constexpr RowIds kAlarm = {IDC_ALARM_01, IDC_ALARM_02, IDC_ALARM_03, IDC_ALARM_04,
                                  IDC_ALARM_05, IDC_ALARM_06, IDC_ALARM_07, IDC_ALARM_08,
                                  IDC_ALARM_09, IDC_ALARM_10, IDC_ALARM_11, IDC_ALARM_12,
                                  IDC_ALARM_13, IDC_ALARM_14, IDC_ALARM_15};

// Rows 1 to 5 show the Type items of group 1 (Serial and CAM_Direct) only
// while group 1 is at the top.
inline constexpr int kRowsOfFirstGroup = 5;

// The Type and SW Input list items, shared with vk38.
using rules::kCameraTypes;
using rules::kNetworkTypeCount;
using rules::kSwInputs;
using rules::kSwitcherTypeCount;

// The one entry a CAMERA Select list holds before any camera is offered.
inline constexpr std::string_view kBlankEntry = " ";

}  // namespace setting_controls
