#pragma once
// Resource and control ids of the program's templates, shared by the resource script and code.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TARVEX_DIALOG 102
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

// The system menu command that opens the About box.
#define IDM_ABOUTBOX 0x0010
// The framework's help command.
#define ID_HELP 0xE146
