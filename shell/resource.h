#pragma once
// Resource identifiers of the window: the dialog template, the transparency
// menu and the icon. The ids of the dialog's controls and of the menu
// commands are core/field_ids.h's. Shared by the resource script and the
// code, so this header holds preprocessor lines only (windres reads it too).

#include "core/field_ids.h"

#define IDD_MAIN 101  // the main dialog
#define IDM_TRANSPARENCY 102  // menu whose one popup is the "Transparency" submenu
#define IDI_DEXOLIN 104  // window and program icon
