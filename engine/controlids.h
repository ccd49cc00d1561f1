#pragma once

// Identifiers of the main dialog's controls. The engine addresses every
// control through these numbers and never holds a widget; the dialog gives
// each widget its number so that both sides agree.

// Commands. (Not IDOK/IDCANCEL: windows.h defines those as macros.)
constexpr int IDC_OK = 1;
constexpr int IDC_CANCEL = 2;
constexpr int IDC_START_TEST = 1063;
constexpr int IDC_ABOUT = 57670;
constexpr int IDM_ABOUTBOX = 16;

// Frames and headings.
constexpr int IDC_SETUP_FRAME = 1001;
constexpr int IDC_BATTERY_FRAME = 1002;
constexpr int IDC_PORT_HEADING = 1047;
constexpr int IDC_GPS_MFG_HEADING = 1024;
constexpr int IDC_MANUFACTURER_HEADING = 1018;
constexpr int IDC_TYPE_HEADING = 1023;
constexpr int IDC_MAH_HEADING = 1030;
constexpr int IDC_COMMENTS_HEADING = 1031;
constexpr int IDC_STATUS_FRAME = 1040;
constexpr int IDC_START_TIME_FRAME = 1052;
constexpr int IDC_LAST_RESPONSE_FRAME = 1053;
constexpr int IDC_ENDURANCE_FRAME = 1058;

// Per-unit controls: unit k (0..3) uses base + k.
constexpr int IDC_PORT_CHECK_BASE = 1003;
constexpr int IDC_GPS_MFG_BASE = 1007;
constexpr int IDC_BATTERY_MAKER_BASE = 1014;
constexpr int IDC_BATTERY_TYPE_BASE = 1019;
constexpr int IDC_CAPACITY_BASE = 1026;
constexpr int IDC_COMMENTS_BASE = 1036;
constexpr int IDC_UNIT_LABEL_BASE = 1043;
constexpr int IDC_START_TIME_BASE = 1048;
constexpr int IDC_LAST_RESPONSE_BASE = 1054;
constexpr int IDC_ENDURANCE_BASE = 1059;

// Activity lamps, left to right.
constexpr int IDC_LAMP_BASE = 1064;
constexpr int LAMP_COUNT = 4;
