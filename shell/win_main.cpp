#include <windows.h>

#include "shell/settings.h"
#include "shell/startup.h"

// The program takes no command line: only the instance counts.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunDexolin(instance, SettingsKeyPath);
}

// The run time's own handler of math errors writes them to standard error,
// which a window program does not have; this one leaves them to errno and
// the returned value, as every caller here checks what it gets.
extern "C" int _matherr(struct _exception*)
{
    return 0;
}
