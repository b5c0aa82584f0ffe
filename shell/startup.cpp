#include "shell/startup.h"

#include <commctrl.h>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/appearance.h"
#include "shell/main_dialog.h"
#include "shell/optional_user32.h"
#include "shell/resource.h"
#include "shell/settings.h"
#include "shell/shell_state.h"

void PrepareMainDialog(HINSTANCE instance)
{
    // The register is cleared, no width is in force and the endianness is
    // the opposite of the saved one; the float controls count as enabled,
    // as the template creates them. Translucency is not applied yet.
    ResetConverterState(ShellState.InitialEndianButton == ButtonBig);
    for (int i = 0; i < 5; ++i) {
        if (SettingsState.SavedFormats[i].ExponentBits != 0)
            ChooseFormatForWidth(WidthButtons[i].Width, &SettingsState.SavedFormats[i]);
    }
    ShellState.LayeredApplied = 0;
    // Light until the dialog reads the user's scheme.
    AppearanceState.Scheme = SchemeLight;
    // The manifest asks for the version 6 common controls; the dialog's
    // buttons, edits and statics come from them once they are loaded.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ShellState.Dialog = nullptr;
    ShellState.KeyboardHook = nullptr;
    ShellState.Icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DEXOLIN));
    ShellState.TransparencyMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_TRANSPARENCY));
}

void ReleaseMainDialogResources()
{
    DestroyMenu(ShellState.TransparencyMenu);
    ShellState.TransparencyMenu = nullptr;
    DestroyIcon(ShellState.Icon);
    ShellState.Icon = nullptr;
}

int RunDexolin(HINSTANCE instance, const char* keyPath)
{
    // 1. Optional window-manager functions, before the settings: without
    //    SetLayeredWindowAttributes the transparency value is not read.
    LookUpOptionalUser32();
    // A settings file beside the program makes it portable: the registry
    // is then neither read nor written.
    FindPortableSettingsFile();
    return RunWithOptionalUser32(instance, keyPath);
}

int RunWithOptionalUser32(HINSTANCE instance, const char* keyPath)
{
    // 2. Settings, then the state the dialog starts from.
    ReadSettings(keyPath);
    PrepareMainDialog(instance);

    // 3. The dialog, until WM_CLOSE ends it.
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ReleaseMainDialogResources();

    // 4. Settings back, including the position saved at close.
    WriteSettings(keyPath);
    return 0;
}
