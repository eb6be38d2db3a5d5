// Control identifiers of Update.exe's window (shared by the resource script).
#pragma once

#define IDD_UPDATER 100
#define IDC_DEFINITIONS 1001
#define IDC_STATUS 1002
#define IDC_PROGRESS 1003
#define IDC_STEPS 1004
#define IDC_FROM_FILE 1005
