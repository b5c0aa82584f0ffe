#pragma once
#include <cstdint>

// The arithmetic of the ten translucency steps and of the stored
// "Transparency" setting, apart from any window manager call.

constexpr int32_t TransparencySteps = 10;       // step 10 is fully opaque
constexpr int32_t OpaqueAlpha = 255;
constexpr int32_t MinTransparencyAlpha = 25;    // the alpha of step 1

// Menu commands of the "Transparency" popup and the system menu.
constexpr int32_t StepCommandBase = 40000;      // step s has the command 40000 + s
constexpr int32_t AlwaysTransparentCommand = 40011;
constexpr int32_t AlwaysOnTopCommand = 40960;

// Opacity of step 1..10: (step * 256 - 1) / 10, from 25 to 255.
int32_t AlphaOfStep(int32_t step);

// The step whose alpha is the largest not above alpha: (alpha * 10 + 10) >> 8.
// alpha is first held to MinTransparencyAlpha..OpaqueAlpha, so every input
// gives a step from 1 to 10.
int32_t StepOfAlpha(int32_t alpha);

// The step of a step command (40001..40010), or 0 for any other command.
int32_t StepOfCommand(uintptr_t command);

// A stored "Transparency" value, already limited to -255..255 on reading:
// negative means translucent while active too; the magnitude is the alpha,
// raised to MinTransparencyAlpha.
struct StoredTransparency {
    int32_t alpha;       // MinTransparencyAlpha..OpaqueAlpha
    uint8_t always;      // 1 when translucent while active too
};
StoredTransparency DecodeStoredTransparency(int32_t stored);

// The value to store: the alpha, negated when always is set.
int32_t EncodeStoredTransparency(int32_t alpha, uint8_t always);
