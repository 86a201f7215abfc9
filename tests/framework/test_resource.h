#pragma once
// Ids of the test dialog template.
#define IDD_TEST_DIALOG 200
#define IDC_LIST 1000
#define IDC_EDIT_FIRST 1001
#define IDC_EDIT_SECOND 1002
#define IDC_COMBO_LIST 1003
#define IDC_COMBO_EDIT 1004
#define IDC_CHECK 1005
#define IDC_FROM_HOUR 1007
#define IDC_FROM_MINUTE 1008
#define IDC_TO_HOUR 1009
#define IDC_TO_MINUTE 1010
#define IDC_AFTER_RANGE 1011
#define IDC_ACTION 1020
