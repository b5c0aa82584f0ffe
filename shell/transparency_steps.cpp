#include "shell/transparency_steps.h"

int32_t AlphaOfStep(int32_t step)
{
    return (step * 256 - 1) / 10;
}

int32_t StepOfAlpha(int32_t alpha)
{
    if (alpha < StepOneAlpha)
        alpha = StepOneAlpha;
    if (alpha > OpaqueAlpha)
        alpha = OpaqueAlpha;
    return (alpha * 10 + 10) >> 8;
}

int32_t StepOfCommand(uintptr_t command)
{
    const uintptr_t first = StepCommandBase + 1;
    const uintptr_t last = StepCommandBase + TransparencySteps;
    if (command < first || command > last)
        return 0;
    return static_cast<int32_t>(command - StepCommandBase);
}
