#pragma once
#include <windows.h>

#include <cstdint>

// Always-on-top and translucency, both switched from the dialog's system
// menu. Translucency needs SetLayeredWindowAttributes; without it the
// "Transparency" popup is not offered and the operations below that concern
// it do nothing.

// Whether SetLayeredWindowAttributes exists, so that "Transparency" is offered.
bool TranslucencyAvailable();

// Puts the dialog on top of all non-topmost windows (on nonzero) or back
// into normal stacking, with the check mark of "Always on top".
void SetOnTop(uint8_t on);

// step 1..10 selects a step and its alpha (0 or negative: step unchanged);
// always 0 or 1 sets the "Always" flag (negative: unchanged). The window is
// layered exactly while the alpha is below 255; it shows the alpha at once
// only with "Always", otherwise from its next deactivation.
void SetTransparency(int32_t step, int32_t always);

// Start-up: the saved on-top flag, then the saved alpha (as the step whose
// alpha is the largest not above it) and "Always" flag.
void ApplySavedOnTopAndTransparency();

// WM_NCACTIVATE: opaque while active, the alpha while inactive, unless
// "Always" keeps it translucent throughout.
void OnNcActivate(WPARAM active);

// WM_SYSCOMMAND: handles the step commands, "Always" and "Always on top";
// returns false for every other command, which then takes its default course.
bool OnTransparencySysCommand(WPARAM command);
