#pragma once
#include <windows.h>

// The whole run of the program: optional functions, settings from keyPath,
// the modal main dialog, settings back to keyPath. Returns 0.
int RunDexolin(HINSTANCE instance, const char* keyPath);

// The same run with OptionalUser32 as it stands, without looking it up:
// tests clear entries to see the program on systems that lack them.
int RunWithOptionalUser32(HINSTANCE instance, const char* keyPath);
