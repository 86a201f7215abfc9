#pragma once
// Ids of the binding engine's test dialog.
#define IDD_BINDING_TEST 200

#define IDC_EDIT_A 1001
#define IDC_EDIT_B 1002
#define IDC_COMBO_LIST 1010
#define IDC_COMBO_EDIT 1011
#define IDC_CHECK_3STATE 1020
#define IDC_CHECK 1021
#define IDC_RADIO_0 1030
#define IDC_RADIO_1 1031
#define IDC_RADIO_2 1032
#define IDC_DATE 1040
#define IDC_ADDRESS 1041
#define IDC_ELSEWHERE 1050
#define IDC_MISSING 1099
