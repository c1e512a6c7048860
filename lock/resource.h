// Resource ids of the lock program, shared by lock.rc and the code.
#pragma once

#define IDI_KIVEL2 101
#define IDB_LOGO_SMALL 102
#define IDB_LOGO_BAR 103
#define IDD_PASSWORD 104

// Controls of the password dialog
#define IDC_PASSWORD_PICTURE 1003
#define IDC_PASSWORD_PROMPT 1004
#define IDC_PASSWORD_EDIT 1007
#define IDC_PASSWORD_LABEL 1008
#define IDC_STAY_RESIDENT 1020
