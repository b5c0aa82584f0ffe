#pragma once
#include <windows.h>

// The whole run of the program: optional functions, settings from keyPath,
// the modal main dialog, settings back to keyPath. Returns 0.
int RunDexolin(HINSTANCE instance, const char* keyPath);
