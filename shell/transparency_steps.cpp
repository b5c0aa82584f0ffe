#include "shell/transparency_steps.h"

int32_t AlphaOfStep(int32_t step) {
    return (step * 256 - 1) / 10;
}

int32_t StepOfAlpha(int32_t alpha) {
    if (alpha < MinTransparencyAlpha) alpha = MinTransparencyAlpha;
    if (alpha > OpaqueAlpha) alpha = OpaqueAlpha;
    return (alpha * 10 + 10) >> 8;
}

int32_t StepOfCommand(uintptr_t command) {
    const uintptr_t first = StepCommandBase + 1;
    const uintptr_t last = StepCommandBase + TransparencySteps;
    if (command < first || command > last) return 0;
    return static_cast<int32_t>(command - StepCommandBase);
}

StoredTransparency DecodeStoredTransparency(int32_t stored) {
    StoredTransparency result{};
    result.always = static_cast<uint8_t>(stored < 0);
    // The magnitude is taken in 64 bits: the most negative 32-bit value has
    // no 32-bit magnitude.
    int64_t magnitude = stored < 0 ? -static_cast<int64_t>(stored) : stored;
    if (magnitude > OpaqueAlpha) magnitude = OpaqueAlpha;
    if (magnitude < MinTransparencyAlpha) magnitude = MinTransparencyAlpha;
    result.alpha = static_cast<int32_t>(magnitude);
    return result;
}

int32_t EncodeStoredTransparency(int32_t alpha, uint8_t always) {
    return always ? -alpha : alpha;
}
