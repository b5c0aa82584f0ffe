#include <windows.h>

#include "shell/settings.h"
#include "shell/startup.h"

// The program takes no command line: only the instance counts.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunDexolin(instance, SettingsKeyPath);
}
