#include <gtest/gtest.h>

#include <cstdint>

#include "shell/transparency_steps.h"

namespace {

TEST(AlphaOfStep, MenuTable)
{
    const int32_t alpha[11] = {0, 25, 51, 76, 102, 127, 153, 179, 204, 230, 255};
    for (int32_t step = 1; step <= 10; ++step) {
        EXPECT_EQ(AlphaOfStep(step), alpha[step]) << "step " << step;
    }
}

TEST(StepOfAlpha, EveryStoredAlphaSelectsTheLargestStepNotAboveIt)
{
    for (int32_t alpha = StepOneAlpha; alpha <= OpaqueAlpha; ++alpha) {
        int32_t step = StepOfAlpha(alpha);
        ASSERT_GE(step, 1) << "alpha " << alpha;
        ASSERT_LE(step, 10) << "alpha " << alpha;
        EXPECT_LE(AlphaOfStep(step), alpha) << "alpha " << alpha << " gave step " << step;
        if (step < 10) {
            EXPECT_GT(AlphaOfStep(step + 1), alpha) << "alpha " << alpha << " gave step " << step;
        }
    }
}

// The table's own alphas are covered by the sweep above.
TEST(StepOfAlpha, ExamplesAndAlphasOutOfTheStoredRange)
{
    struct Case {
        int32_t alpha, step;
    } const cases[] = {
        {100, 3},
        {50, 1},
        {254, 9},
        // Out of the stored range: held to it, so never step 0 or 11.
        {24, 1},
        {0, 1},
        {-255, 1},
        {256, 10},
        {100000, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepOfAlpha(c.alpha), c.step) << "alpha " << c.alpha;
    }
}

TEST(StepOfCommand, OnlyTheTenStepCommands)
{
    struct Case {
        uintptr_t command;
        int32_t step;
    } const cases[] = {
        {40000, 0},
        {40001, 1},
        {40005, 5},
        {40010, 10},
        {40011, 0},
        {40960, 0},
        {0, 0},
        {0xF010, 0},
        // The whole command counts, not its low 16 bits.
        {0x10000 + 40005, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepOfCommand(c.command), c.step) << "command " << c.command;
    }
}

}  // namespace
