#include "shell/startup.h"

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/main_dialog.h"
#include "shell/optional_user32.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_state.h"

int RunDexolin(HINSTANCE instance, const char* keyPath)
{
    // 1. Optional window-manager functions.
    LookUpOptionalUser32();
    return RunWithOptionalUser32(instance, keyPath);
}

int RunWithOptionalUser32(HINSTANCE instance, const char* keyPath)
{
    // 2. Value and flags cleared; translucency not yet applied.
    ShellState.LayeredApplied = 0;

    // 3. Settings.
    ReadSettings(keyPath);

    // 4. The converter starts with no width and the endianness opposite to
    //    the saved one, with the float controls enabled as in the template,
    //    so that the dialog's first width and endianness clicks are changes.
    ResetConverterState(ShellState.InitialEndianButton == ButtonBig);
    ShellState.Dialog = nullptr;
    ShellState.KeyboardHook = nullptr;

    // 5. Resources.
    ShellState.Icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DEXOLIN));
    ShellState.TransparencyMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_TRANSPARENCY));

    // 6. The dialog, until WM_CLOSE ends it.
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);

    DestroyMenu(ShellState.TransparencyMenu);
    ShellState.TransparencyMenu = nullptr;
    DestroyIcon(ShellState.Icon);
    ShellState.Icon = nullptr;

    // 7. Settings back, including the position saved at close.
    WriteSettings(keyPath);
    return 0;
}
