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
