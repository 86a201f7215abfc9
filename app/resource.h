#pragma once
// Resource and control ids of the program's templates, shared by the resource script and code.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TARVEX_DIALOG 102
#define IDD_CAMPAIGN 103
#define IDD_TEXT_LIST 104
#define IDR_MAINFRAME 128

#define IDC_LIST 1000
#define IDC_MONTH 1001
#define IDC_LOAD 1002
#define IDC_SAVE_SUMMARY 1003
#define IDC_SAVE_DETAIL_SELECTED 1004
#define IDC_SAVE_DETAIL_ALL 1005
#define IDC_DAY 1006
#define IDC_FROM_HOUR 1007
#define IDC_FROM_MINUTE 1008
#define IDC_TO_HOUR 1009
#define IDC_TO_MINUTE 1010
#define IDC_STRIP_PATHS 1011
#define IDC_TIME_FILTER 1012
#define IDC_CAMPAIGN 1013

// The campaign dialog.
#define IDC_BOOKING_PATH 1100
#define IDC_BROWSE_BOOKING 1101
#define IDC_PANELS 1102
#define IDC_ADD_FOLDER 1103
#define IDC_REMOVE_PANELS 1104
#define IDC_PANEL_PATH 1105
#define IDC_ADD_PANEL 1106
#define IDC_GAP 1107
#define IDC_AS_OF 1108
#define IDC_PER_CLIENT 1109
#define IDC_EVALUATE 1110
#define IDC_PROGRESS 1111
#define IDC_STOP 1112
#define IDC_RESULTS 1113
#define IDC_RESULT_NOTE 1114
#define IDC_OPEN_PAGE 1115
#define IDC_OPEN_FOLDER 1116
#define IDC_VERIFY 1117
#define IDC_REGISTER_PATH 1118
#define IDC_BROWSE_REGISTER 1119
#define IDC_AUDIENCE_PATH 1120
#define IDC_BROWSE_AUDIENCE 1121
#define IDC_RECOUNT 1122
#define IDC_PLAY_LISTS 1123

// The box of a list of lines (booking errors, verify results).
#define IDC_LINES 1200
#define IDC_COPY 1201

// The system menu command that opens the About box.
#define IDM_ABOUTBOX 0x0010
// The framework's help command.
#define ID_HELP 0xE146
