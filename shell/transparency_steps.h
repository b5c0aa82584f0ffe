#pragma once
#include <cstdint>

#include "core/field_ids.h"

// The arithmetic of the ten translucency steps, apart from any window
// manager call.

constexpr int32_t TransparencySteps = 10;  // step 10 is fully opaque
constexpr int32_t OpaqueAlpha = 255;
constexpr int32_t StepOneAlpha = 25;  // the lowest alpha a step gives

// Menu commands of the "Transparency" popup and the system menu.
constexpr int32_t StepCommandBase = IDM_OPACITY_10 - 1;  // step s has the command StepCommandBase + s
constexpr int32_t AlwaysTransparentCommand = IDM_ALWAYS;
constexpr int32_t AlwaysOnTopCommand = IDM_ALWAYS_ON_TOP;

// Opacity of step 1..10: (step * 256 - 1) / 10, from 25 to 255.
int32_t AlphaOfStep(int32_t step);

// The step whose alpha is the largest not above alpha: (alpha * 10 + 10) >> 8.
// alpha is first held to StepOneAlpha..OpaqueAlpha, so every input
// gives a step from 1 to 10.
int32_t StepOfAlpha(int32_t alpha);

// The step of a step command (40001..40010), or 0 for any other command.
int32_t StepOfCommand(uintptr_t command);
