// Resource ids of the settings tool, shared by setting.rc and the code.
#pragma once

#define IDD_MAIN 102
#define IDI_SETTING 128
#define IDD_LOGIN 129
#define IDD_PASSWORD 131

// Main dialog
#define IDC_MAIN_PROGRAM 1002
#define IDC_BROWSE_MAIN_PROGRAM 1003
#define IDC_BOSS_PASSWORD 1004
#define IDC_FOLLOWER_PASSWORD 1005
#define IDC_LIST 1006
#define IDC_BROWSE_PROGRAM 1007
#define IDC_LABEL 1008
#define IDC_PROGRAM 1009
#define IDC_ADD 1010
#define IDC_OVERWRITE 1011
#define IDC_DELETE 1012
#define IDC_UP 1013
#define IDC_SEPARATOR 1014
#define IDC_DOWN 1015
#define IDC_ACCEPT 1016
#define IDC_MAIN_LABEL 1017
#define IDC_MAIN_SOFTWARE 1019
#define IDC_LOCK_AT_STARTUP 1020

// Login dialog
#define IDC_LOGIN_PASSWORD 1012

// Password change dialog
#define IDC_NEW_PASSWORD 1013
#define IDC_CURRENT_PASSWORD 1015

// String table
#define IDS_OPEN_FAILED 1
#define IDS_BOSS_LOGIN 2
#define IDS_FOLLOWER_LOGIN 3
#define IDS_WRONG_PASSWORD 4
#define IDS_SAVE_FAILED 5
#define IDS_NO_NEW_PASSWORD 6
#define IDS_MISSING_TEXT 7
#define IDS_SELECT_ITEM 8
#define IDS_MAIN_SOFTWARE_INCOMPLETE 10
#define IDS_LIST_FULL 11
#define IDS_RISKY_PROGRAMS 12
