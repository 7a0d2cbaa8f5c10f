#pragma once

#define IDS_TRAY_TIP 101
#define IDS_MENU_EXIT 102
#define ID_APP_EXIT 0xE141
#define IDS_CONFIG_SECTION 62799
