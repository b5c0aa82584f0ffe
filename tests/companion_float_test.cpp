// dexolin-cli's float, sign, exponent and mantissa lines: whole blocks of
// one-shot edits and scripts, run through the built program.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"

namespace {

struct BlockCase {
    const char* arguments;
    int status;
    std::string block;
};

TEST(CompanionFloat, OneShotEditsPrintTheWholeBlock)
{
    const BlockCase cases[] = {
        {"--float 1.5", 0,
         "width\t32\nendian\tlittle\nbinary\t00111111110000000000000000000000\ndecimal\t1069547520\n"
         "hex\t3FC00000\nfloat\t1.5\nsign\t0\nexponent\t0\nmantissa\t1.5000000\nerrors\t\n"
         "register\t3FFFC00000003FC00000\n"},
        // Rejected: the value becomes +0, the flag is noted before the focus
        // loss re-renders the field.
        {"--width 64 --float 1.INV", 1,
         "width\t64\nendian\tlittle\nbinary\t" + std::string(64, '0') +
             "\ndecimal\t0\n"
             "hex\t0000000000000000\nfloat\t0.0\nsign\t0\nexponent\t-1023\nmantissa\t0.0000000000000000\n"
             "errors\tfloat\nregister\t00000000000000000000\n"},
        {"--width 80 --float '-1.QNaN#5'", 0,
         "width\t80\nendian\tlittle\nbinary\t111111111111111111" + std::string(59, '0') +
             "101\n"
             "decimal\t-4611686018427387899\nhex\tFFFFC000000000000005\nfloat\t-1.QNaN#5\nsign\t1\n"
             "exponent\t16384\nmantissa\t1.5000000000000000005\nerrors\t\nregister\tFFFFC000000000000005\n"},
        {"--width 64 --sign 1", 0,
         "width\t64\nendian\tlittle\nbinary\t1" + std::string(63, '0') +
             "\ndecimal\t-9223372036854775808\n"
             "hex\t8000000000000000\nfloat\t-0.0\nsign\t1\nexponent\t-1023\nmantissa\t0.0000000000000000\n"
             "errors\t\nregister\t00008000000000000000\n"},
        {"--width 80 --exponent 16384", 0,
         "width\t80\nendian\tlittle\nbinary\t0" + std::string(15, '1') + std::string(64, '0') +
             "\n"
             "decimal\t604444463063240877801472\nhex\t7FFF0000000000000000\nfloat\t1.INV\nsign\t0\n"
             "exponent\t16384\nmantissa\t0.0000000000000000000\nerrors\t\nregister\t7FFF0000000000000000\n"},
        {"--mantissa 0.5", 1,
         "width\t32\nendian\tlittle\nbinary\t" + std::string(32, '0') +
             "\ndecimal\t0\nhex\t00000000\n"
             "float\t0.0\nsign\t0\nexponent\t-127\nmantissa\t0.0000000\nerrors\tmantissa\n"
             "register\t00000000000000000000\n"},
    };
    for (const BlockCase& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.output, c.block) << c.arguments;
    }
}

TEST(CompanionFloat, OneShotTextIsCutAtTheFieldsLimit)
{
    // 31 characters into a field of 28: the 'x' never arrives.
    CliRun run = RunCli("--width 80 --float 1.0000000000000000000000000000x");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("float\t1\n"), std::string::npos) << run.output;
    // "12345" into the 4 characters of the 32-bit exponent field is 1234:
    // clamped to 128 and flagged.
    run = RunCli("--width 32 --exponent 12345");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("hex\t7F800000\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("exponent\t128\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("errors\texponent\n"), std::string::npos) << run.output;
}

TEST(CompanionFloat, ScriptEditLeaveAndSign)
{
    CliRun run = RunCli("--script",
                        "edit float 0.1\\nshow\\nleave float\\nsign\\nshow\\nedit mantissa 1.x\\nshow\\n"
                        "leave mantissa\\nwidth 16\\nshow\\n");
    EXPECT_EQ(run.status, 0) << run.output;
    const std::string expected =
        // While editing, the typed text stays.
        "width\t32\nendian\tlittle\nbinary\t00111101110011001100110011001101\ndecimal\t1036831949\n"
        "hex\t3DCCCCCD\nfloat\t0.1\nsign\t0\nexponent\t-4\nmantissa\t1.6000000\nerrors\t\n"
        "register\t3FFBCCCCCCCC3DCCCCCD\n"
        // After leaving, the float field shows the single's own digits; the
        // sign box then flips bit 31 only.
        "width\t32\nendian\tlittle\nbinary\t10111101110011001100110011001101\ndecimal\t-1110651699\n"
        "hex\tBDCCCCCD\nfloat\t-0.10000000149011611939\nsign\t1\nexponent\t-4\nmantissa\t1.6000000\n"
        "errors\t\nregister\t3FFBCCCCCCCCBDCCCCCD\n"
        // A rejected mantissa clears the fraction and is flagged.
        "width\t32\nendian\tlittle\nbinary\t10111101100000000000000000000000\ndecimal\t-1115684864\n"
        "hex\tBD800000\nfloat\t-0.0625\nsign\t1\nexponent\t-4\nmantissa\t1.x\nerrors\tmantissa\n"
        "register\t3FFBCCCCCCCCBD800000\n"
        // At 16 bits the float lines are empty and the box unticked.
        "width\t16\nendian\tlittle\nbinary\t0000000000000000\ndecimal\t0\nhex\t0000\nfloat\t\nsign\t0\n"
        "exponent\t\nmantissa\t\nerrors\t\nregister\t3FFBCCCCCCCCBD800000\n";
    EXPECT_EQ(run.output, expected);
}

TEST(CompanionFloat, FloatFieldsCannotBeEditedAtNarrowWidths)
{
    for (const char* arguments : {"--width 8 --exponent 1", "--width 16 --mantissa 1.5"}) {
        CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.find("dexolin-cli: "), 0u) << arguments << ": " << run.output;
    }
    CliRun run = RunCli("--width 16 --script", "edit float 1\\n");
    EXPECT_EQ(run.status, 2) << run.output;
}

}  // namespace
