#pragma once
#include <windows.h>

// The whole run of the program: optional functions, settings from keyPath
// (or from dexolin.ini when it stands beside the program), the modal main
// dialog, settings back to the same place. Returns 0.
int RunDexolin(HINSTANCE instance, const char* keyPath);

// What must hold before the main dialog is created, once ShellState has its
// initial buttons: the converter reset so that the dialog's first width and
// endianness clicks are changes, no dialog or hook yet, icon and
// transparency menu loaded from instance.
void PrepareMainDialog(HINSTANCE instance);

// Releases what PrepareMainDialog loaded, after the dialog has ended.
void ReleaseMainDialogResources();

// The same run with OptionalUser32 as it stands, without looking it up:
// tests clear entries to see the program on systems that lack them.
int RunWithOptionalUser32(HINSTANCE instance, const char* keyPath);
