#include "shell/transparency.h"

#include "shell/appearance.h"
#include "shell/optional_user32.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "shell/transparency_steps.h"

// The step commands run without a gap from the first step to the last.
static_assert(IDM_OPACITY_100 == StepCommandBase + TransparencySteps);

namespace {

// The popup's items are reached through the system menu, which owns the
// popup from BuildSystemMenu on (menu 102 no longer holds it).
void CheckCommand(int32_t command, bool checked)
{
    CheckMenuItem(ShellState.SystemMenu, static_cast<UINT>(command),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// High contrast keeps the window opaque, whatever the step.
void SetAlpha(int32_t alpha)
{
    if (AppearanceState.Scheme == SchemeHighContrast)
        alpha = 255;
    OptionalUser32.SetLayeredWindowAttributes(ShellState.Dialog, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void AddLayeredStyle()
{
    LONG style = GetWindowLongA(ShellState.Dialog, GWL_EXSTYLE);
    SetWindowLongA(ShellState.Dialog, GWL_EXSTYLE, style | WS_EX_LAYERED);
    ShellState.LayeredApplied = 1;
}

void RemoveLayeredStyle()
{
    LONG style = GetWindowLongA(ShellState.Dialog, GWL_EXSTYLE);
    SetWindowLongA(ShellState.Dialog, GWL_EXSTYLE, style & ~static_cast<LONG>(WS_EX_LAYERED));
    ShellState.LayeredApplied = 0;
}

}  // namespace

bool TranslucencyAvailable()
{
    return OptionalUser32.SetLayeredWindowAttributes != nullptr;
}

void SetOnTop(uint8_t on)
{
    ShellState.OnTop = on;
    CheckCommand(AlwaysOnTopCommand, on != 0);
    SetWindowPos(ShellState.Dialog, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetTransparency(int32_t step, int32_t always)
{
    if (!TranslucencyAvailable())
        return;
    if (always >= 0) {
        CheckCommand(AlwaysTransparentCommand, always != 0);
        ShellState.AlwaysTransparent = static_cast<uint8_t>(always != 0);
    }
    if (step > 0) {
        // Before the first selection the step is 0 and no item has the
        // command 40000, so nothing is unchecked.
        CheckCommand(StepCommandBase + ShellState.TransparencyStep, false);
        CheckCommand(StepCommandBase + step, true);
        ShellState.TransparencyStep = static_cast<uint8_t>(step);
        ShellState.Alpha = AlphaOfStep(step);
    }
    if (ShellState.Alpha != OpaqueAlpha) {
        if (!ShellState.LayeredApplied)
            AddLayeredStyle();
        // The window is active while its menu is used: without "Always" it
        // stays opaque until it is deactivated.
        SetAlpha(ShellState.AlwaysTransparent ? ShellState.Alpha : OpaqueAlpha);
    } else if (ShellState.LayeredApplied) {
        SetAlpha(OpaqueAlpha);
        RemoveLayeredStyle();
    }
}

void ApplySavedOnTopAndTransparency()
{
    SetOnTop(ShellState.OnTop);
    SetTransparency(StepOfAlpha(ShellState.Alpha), ShellState.AlwaysTransparent);
}

void OnNcActivate(WPARAM active)
{
    if (!TranslucencyAvailable() || !ShellState.LayeredApplied || ShellState.AlwaysTransparent) {
        return;
    }
    SetAlpha(active ? OpaqueAlpha : ShellState.Alpha);
}

bool OnTransparencySysCommand(WPARAM command)
{
    int32_t step = StepOfCommand(command);
    if (step > 0) {
        SetTransparency(step, -1);
        return true;
    }
    if (command == AlwaysTransparentCommand) {
        SetTransparency(-1, ShellState.AlwaysTransparent ? 0 : 1);
        return true;
    }
    if (command == AlwaysOnTopCommand) {
        SetOnTop(ShellState.OnTop ? 0 : 1);
        return true;
    }
    return false;
}
