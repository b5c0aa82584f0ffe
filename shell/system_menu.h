#pragma once
#include <windows.h>

// The program's items at the top of the window's system menu, built from
// one table: "Always on top" and "Transparency" (where translucency is
// available), a separator, "Inspector", "Copy as", "Back" and "Forward",
// and a separator before the system's own items. Fetches the menu into
// ShellState. The "Transparency" popup moves from menu 102 to the system
// menu, which destroys it with the window; menu 102 is left empty.
void BuildSystemMenu(HWND dialog);
