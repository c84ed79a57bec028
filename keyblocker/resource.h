// Resource and control ids of kqel. Shared by the resource script and the code.
#pragma once

#define IDS_NEED_EXPLORER 101
#define IDS_ALREADY_RUNNING 102
#define IDS_SHEET_CAPTION 103
#define IDS_VERSION_LINE 104
#define IDS_TRAY_TIP 105
#define IDS_BALLOON_TITLE 106

#define IDD_CONFIG_PAGE 102

#define IDI_MAIN 128
#define IDI_TRAY16 138
#define IDI_TRAY256 140

#define IDR_TRAY_MENU 150
#define ID_TRAY_CONFIGURATION 151
#define ID_TRAY_HELP 152
#define ID_TRAY_EXIT 153

#define IDB_HELP 1007

// Settings page controls.
#define IDC_RUN_AT_STARTUP 1000
#define IDC_MODE_ALWAYS 1001
#define IDC_MODE_GAMES 1002
#define IDC_MODE_FULLSCREEN 1003
#define IDC_MODE_NEVER 1004

// The property sheet's help button.
#define IDC_SHEET_HELP 140
