// Resource and control ids of SetupTool. Shared by the resource script and
// the portable pages, so that both name the same controls.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Templates, strings, icon
#define IDD_VERSION 100
#define IDS_VERSION_MENU_ITEM 101
#define IDD_SETUPTOOL_DIALOG 102
#define IDS_SOCKETS_INIT_FAILED 103
#define IDR_MAINFRAME 128
#define IDD_FILE_OPE 129
#define IDD_IP_SETTING 130
#define IDD_UPGRADE 131
#define IDD_VK38_IPSET 132
#define IDD_USER_AUTH 146

// System menu command of the version box
#define IDM_VERSION 16

// Main window (102)
#define IDC_TAB 1000

// IP Address page (132)
#define IDC_VK1_ADDRESS 1004
#define IDC_VK2_ADDRESS 1005
#define IDC_VK3_ADDRESS 1006
#define IDC_VK4_ADDRESS 1007
#define IDC_VK5_ADDRESS 1008
#define IDC_IPSET_SET 1014

// ---- Setting page (130) ----------------------------------------------------
// Several values repeat ids of other pages; ids are unique within a template.
#define IDC_PANEL_SELECTOR 1023
#define IDC_SETTING_RENEW 1024
#define IDC_SETTING_KEEP 1015
#define IDC_SETTING_REFRESH 1020
#define IDC_SETTING_ALL_CLEAR 1019
#define IDC_SETTING_SET 1016
#define IDC_SETTING_CANCEL 1018
#define IDC_SETTING_SCROLL 1158
// Column headers, left to right
#define IDC_HEAD_CAMERA 1148
#define IDC_HEAD_GROUP 1149
#define IDC_HEAD_CAMERA_NO 1150
#define IDC_HEAD_TYPE 1151
#define IDC_HEAD_CAMERA_NAME 1152
#define IDC_HEAD_SW_INPUT 1153
#define IDC_HEAD_MAC 1154
#define IDC_HEAD_IP 1155
#define IDC_HEAD_HTTP_PORT 1175
#define IDC_HEAD_CAMERA_SELECT 1156
#define IDC_HEAD_ALARM 1157
// Group labels of rows 1-5, 6-10 and 11-15
#define IDC_GROUP_1 1064
#define IDC_GROUP_2 1065
#define IDC_GROUP_3 1066
// CAMERA No labels, rows 1 to 15, then the SW row
#define IDC_CAMERA_NO_01 1068
#define IDC_CAMERA_NO_02 1067
#define IDC_CAMERA_NO_03 1069
#define IDC_CAMERA_NO_04 1070
#define IDC_CAMERA_NO_05 1071
#define IDC_CAMERA_NO_06 1088
#define IDC_CAMERA_NO_07 1087
#define IDC_CAMERA_NO_08 1089
#define IDC_CAMERA_NO_09 1090
#define IDC_CAMERA_NO_10 1091
#define IDC_CAMERA_NO_11 1092
#define IDC_CAMERA_NO_12 1093
#define IDC_CAMERA_NO_13 1094
#define IDC_CAMERA_NO_14 1095
#define IDC_CAMERA_NO_15 1096
#define IDC_SW_CAMERA_NO 1159
// Type lists, rows 1 to 15, then the SW row
#define IDC_TYPE_01 1033
#define IDC_TYPE_02 1034
#define IDC_TYPE_03 1035
#define IDC_TYPE_04 1036
#define IDC_TYPE_05 1037
#define IDC_TYPE_06 1038
#define IDC_TYPE_07 1039
#define IDC_TYPE_08 1040
#define IDC_TYPE_09 1041
#define IDC_TYPE_10 1042
#define IDC_TYPE_11 1043
#define IDC_TYPE_12 1044
#define IDC_TYPE_13 1045
#define IDC_TYPE_14 1046
#define IDC_TYPE_15 1047
#define IDC_SW_TYPE 1048
// CAMERA Name texts, rows 1 to 15
#define IDC_CAMERA_NAME_01 1118
#define IDC_CAMERA_NAME_02 1119
#define IDC_CAMERA_NAME_03 1120
#define IDC_CAMERA_NAME_04 1121
#define IDC_CAMERA_NAME_05 1122
#define IDC_CAMERA_NAME_06 1123
#define IDC_CAMERA_NAME_07 1124
#define IDC_CAMERA_NAME_08 1125
#define IDC_CAMERA_NAME_09 1126
#define IDC_CAMERA_NAME_10 1127
#define IDC_CAMERA_NAME_11 1128
#define IDC_CAMERA_NAME_12 1129
#define IDC_CAMERA_NAME_13 1130
#define IDC_CAMERA_NAME_14 1131
#define IDC_CAMERA_NAME_15 1132
// SW Input lists, rows 1 to 15
#define IDC_SW_INPUT_01 1049
#define IDC_SW_INPUT_02 1050
#define IDC_SW_INPUT_03 1051
#define IDC_SW_INPUT_04 1052
#define IDC_SW_INPUT_05 1053
#define IDC_SW_INPUT_06 1054
#define IDC_SW_INPUT_07 1055
#define IDC_SW_INPUT_08 1056
#define IDC_SW_INPUT_09 1057
#define IDC_SW_INPUT_10 1058
#define IDC_SW_INPUT_11 1059
#define IDC_SW_INPUT_12 1060
#define IDC_SW_INPUT_13 1061
#define IDC_SW_INPUT_14 1062
#define IDC_SW_INPUT_15 1063
// MAC Address texts, rows 1 to 15, then the SW row
#define IDC_MAC_01 1098
#define IDC_MAC_02 1099
#define IDC_MAC_03 1100
#define IDC_MAC_04 1101
#define IDC_MAC_05 1102
#define IDC_MAC_06 1103
#define IDC_MAC_07 1104
#define IDC_MAC_08 1105
#define IDC_MAC_09 1106
#define IDC_MAC_10 1107
#define IDC_MAC_11 1108
#define IDC_MAC_12 1109
#define IDC_MAC_13 1110
#define IDC_MAC_14 1111
#define IDC_MAC_15 1112
#define IDC_SW_MAC 1113
// IP address controls, rows 1 to 15, then the SW row
#define IDC_IP_01 1115
#define IDC_IP_02 1116
#define IDC_IP_03 1117
#define IDC_IP_04 1007
#define IDC_IP_05 1008
#define IDC_IP_06 1012
#define IDC_IP_07 1009
#define IDC_IP_08 1010
#define IDC_IP_09 1013
#define IDC_IP_10 1032
#define IDC_IP_11 1014
#define IDC_IP_12 1017
#define IDC_IP_13 1027
#define IDC_IP_14 1021
#define IDC_IP_15 1025
#define IDC_SW_IP 1026
// HTTP Port texts, rows 1 to 15
#define IDC_HTTP_PORT_01 1114
#define IDC_HTTP_PORT_02 1160
#define IDC_HTTP_PORT_03 1161
#define IDC_HTTP_PORT_04 1162
#define IDC_HTTP_PORT_05 1163
#define IDC_HTTP_PORT_06 1164
#define IDC_HTTP_PORT_07 1165
#define IDC_HTTP_PORT_08 1166
#define IDC_HTTP_PORT_09 1167
#define IDC_HTTP_PORT_10 1168
#define IDC_HTTP_PORT_11 1169
#define IDC_HTTP_PORT_12 1170
#define IDC_HTTP_PORT_13 1171
#define IDC_HTTP_PORT_14 1172
#define IDC_HTTP_PORT_15 1173
// CAMERA Select lists, rows 1 to 15
#define IDC_CAMERA_SELECT_01 1072
#define IDC_CAMERA_SELECT_02 1073
#define IDC_CAMERA_SELECT_03 1074
#define IDC_CAMERA_SELECT_04 1075
#define IDC_CAMERA_SELECT_05 1076
#define IDC_CAMERA_SELECT_06 1077
#define IDC_CAMERA_SELECT_07 1078
#define IDC_CAMERA_SELECT_08 1079
#define IDC_CAMERA_SELECT_09 1080
#define IDC_CAMERA_SELECT_10 1081
#define IDC_CAMERA_SELECT_11 1082
#define IDC_CAMERA_SELECT_12 1083
#define IDC_CAMERA_SELECT_13 1084
#define IDC_CAMERA_SELECT_14 1085
#define IDC_CAMERA_SELECT_15 1086
// Alarm texts, rows 1 to 15
#define IDC_ALARM_01 1133
#define IDC_ALARM_02 1134
#define IDC_ALARM_03 1135
#define IDC_ALARM_04 1136
#define IDC_ALARM_05 1137
#define IDC_ALARM_06 1138
#define IDC_ALARM_07 1139
#define IDC_ALARM_08 1140
#define IDC_ALARM_09 1141
#define IDC_ALARM_10 1142
#define IDC_ALARM_11 1143
#define IDC_ALARM_12 1144
#define IDC_ALARM_13 1145
#define IDC_ALARM_14 1146
#define IDC_ALARM_15 1147
// ---- end of Setting page (130) ---------------------------------------------

// User Auth. page (146)
#define IDC_OLD_USER_NAME 1177
#define IDC_NEW_USER_NAME 1179
#define IDC_OLD_PASSWORD 1181
#define IDC_NEW_PASSWORD 1183
#define IDC_RETYPE_PASSWORD 1186
#define IDC_AUTH_REFRESH 1187
#define IDC_AUTH_SET 1015

// Upgrade page (131)
#define IDC_PROGRAM_PATH 1001
#define IDC_PROGRAM_LOAD 1002
#define IDC_PROGRAM_FILE 1003
#define IDC_FPGA_PATH 1005
#define IDC_FPGA_LOAD 1007
#define IDC_FPGA_FILE 1008

// File Operate page (129)
#define IDC_SETUP_FILE_PATH 1001
#define IDC_SETUP_LOAD 1002
#define IDC_SETUP_FILE 1003
#define IDC_SETUP_SAVE 1006
#define IDC_LOG_SAVE 1009
