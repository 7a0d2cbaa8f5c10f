#pragma once

// Resources of the resident program.
#define IDR_MAINFRAME 128           // the frame's title
#define IDI_TRAY_RUNNING 130        // the notification icon
#define IDI_TRAY_PAUSED 131         // the icon while the library is paused
#define IDR_TRAY_MENU 131           // the notification icon's menu
#define IDS_CONFIG_SECTION 62799

// Commands of the notification icon's menu.
#define ID_APP_ABOUT 62771
#define ID_APP_EXIT 62772
#define ID_OPEN_SETTINGS 62773
#define ID_WINDOW_LIST 62774
#define ID_MOUSE_SHORTCUTS 62775
#define ID_CLEAN_MOUSE 62777
#define ID_CLEAN_KEYBOARD 62778
#define ID_TOGGLE_DISABLE 62779
#define ID_HOME_PAGE 62780
#define ID_PASSWORDS 62781
#define ID_STATISTICS 62783

#define IDS_ENABLE 62785
#define IDS_DISABLE 62786
#define IDS_CLEANING_KEYBOARD 62787
#define IDS_CLEANING_MOUSE 62788

// The volume display.
#define IDD_VOLUME 141

// The settings dialog and its controls.
#define IDD_SETTINGS 132
#define IDC_SNAP 1000
#define IDC_ALLOW_OUT 1001
#define IDC_AUTO_ARRANGE 1002
#define IDC_SETTINGS_OK 1003
#define IDC_SETTINGS_CANCEL 1004
#define IDC_ALLOW_SNAP 1005
#define IDC_ALLOW_TASKBAR 1006
#define IDC_AUTO_RAISE 1007
#define IDC_WINDOW_LIST 1008
#define IDC_MOUSE_SHORTCUTS 1009
#define IDC_SMALL_ICON 1011
#define IDC_ICON_TEXT_BK 1012
#define IDC_ICON_TEXT 1013
#define IDC_EXP_UP 1014
#define IDC_TASK_ICON 1015
#define IDC_TRANSPARENT 1016
#define IDC_REDIRECT 1017
#define IDC_REDIRECT_ACTIVE 1018
#define IDC_TASK_TRAY 1019
#define IDC_VOLUME 1020
#define IDC_VOLUME_DELTA 1021
#define IDC_VD 1022
#define IDC_DISABLE_MIN 1023
#define IDC_DISABLE_MAX 1024
#define IDC_DISABLE_CLOSE 1025
#define IDC_SOFT_LASER 1026
#define IDC_ALLOW_SNAP_INSIDE 1027
#define IDC_KEY_WIN 1028
#define IDC_ICON_TEXT_COLOR 1029
#define IDC_KEY_INS 1030
#define IDC_KEY_ALT 1031
#define IDC_KEY_MENU 1032
#define IDC_KEY_HANKAKU 1033
#define IDC_KEY_CAPS 1034
#define IDC_SIZE_EXT 1035
#define IDC_VOLUME_DISP 1036
#define IDC_VOLUME_COLOR1 1037
#define IDC_VOLUME_COLOR2 1038
#define IDC_EXP_RENAME 1039
#define IDC_VOLUME_DISP_TIME 1040
#define IDC_KEY_KANA 1041
#define IDC_KEY_F1 1042
#define IDC_APPLY 3
