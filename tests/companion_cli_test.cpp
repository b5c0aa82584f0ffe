// The dexolin-cli program itself: arguments, exit status and standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "dexolin_version.h"
#include "tests/cli_run.h"

namespace {

TEST(CompanionCli, OneShotEditPrintsTheBlockAfterTheFocusLoss)
{
    CliRun run = RunCli("--width 8 --decimal 256");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              "width\t8\nendian\tlittle\nbinary\t01111111\ndecimal\t127\nhex\t7F\nfloat\t\nsign\t0\n"
              "exponent\t\nmantissa\t\nerrors\tdecimal\nregister\t0000000000000000017F\n");
    run = RunCli("--width 16 --big --binary 101");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("binary\t1010000000000000\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("endian\tbig\n"), std::string::npos);
    run = RunCli("--width 8 --hex ABCDEF");
    EXPECT_NE(run.output.find("register\t000000000000000000AB\n"), std::string::npos)
        << "cut at the limit of 2";
}

TEST(CompanionCli, BadUsageIsOneLineAndStatusTwo)
{
    const char* bad[] = {"--width 12",
                         "--width",
                         "--decimal",
                         "--nope 1",
                         "stray",
                         "--hex 1 --binary 1",
                         "--sign 2",
                         "--script --hex 1",
                         "--width 8 --float 1",
                         "--width 16 --sign 1",
                         "--version --big",
                         "--each",
                         "--each sign",
                         "--each bogus",
                         "--each hex --script",
                         "--each hex --decimal 1",
                         "--each hex --bits 1",
                         "--width 16 --each float",
                         "--bits 1 --hex 1",
                         "--hex 1 --bits 1",
                         "--bits 1 --script",
                         "--bits ''",
                         "--bits 0x",
                         "--bits 0b2",
                         "--bits 3g",
                         "--bits _3f",
                         "--bits 3f_",
                         "--bits 0x_3f",
                         "--width 8 --bits 123",
                         "--width 8 --bits 0b1_0000_0000",
                         "--big=1",
                         "--width=12",
                         "--hex=1 --binary 1",
                         "-- --hex 1"};
    for (const char* arguments : bad) {
        CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.find("dexolin-cli: "), 0u) << arguments;
        EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << arguments << ": " << run.output;
    }
}

TEST(CompanionCli, HelpAndVersionAloneAnswerWithStatusZero)
{
    CliRun run = RunCli("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "dexolin-cli " DEXOLIN_VERSION "\n");
    run = RunCli("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("usage: dexolin-cli "), 0u) << run.output;
    std::ifstream file(DEXOLIN_README);
    std::stringstream readme;
    readme << file.rdbuf();
    EXPECT_NE(readme.str().find("\n" + run.output + "```\n"), std::string::npos)
        << "README.md quotes the usage";
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79u) << line;
    EXPECT_EQ(RunCli("-h").output, run.output) << "-h is --help";
    EXPECT_EQ(RunCli("-h").status, 0);
}

// Binary and hexadecimal text the field would drop or cut gets one line on
// standard error; standard output and the status stay the edit's.
TEST(CompanionCli, DroppedOrCutFieldTextIsWarnedAbout)
{
    const struct {
        const char* arguments;
        const char* warning;  // null: none
    } cases[] = {
        {"--hex 0x3f800000",
         "dexolin-cli: warning: the hex field drops 'x' (not a hexadecimal digit) and keeps only the first 8 "
         "characters of \"0x3f800000\"; --bits reads bit patterns such as 0x3f800000\n"},
        {"--width 8 --binary 101010101",
         "dexolin-cli: warning: the binary field keeps only the first 8 characters of \"101010101\"; --bits "
         "reads bit patterns such as 0x3f800000\n"},
        {"--binary 10_1",
         "dexolin-cli: warning: the binary field drops '_' (not a binary digit) of \"10_1\"; "
         "--bits reads bit patterns such as 0x3f800000\n"},
        {"--hex 3f800000", nullptr},
        {"--decimal 12x", nullptr},
    };
    for (const auto& c : cases) {
        CliRun quiet = RunCli(std::string(c.arguments) + " 2>/dev/null");
        CliRun both = RunCli(std::string(c.arguments));
        EXPECT_EQ(both.status, quiet.status) << c.arguments;
        EXPECT_EQ(both.output, (c.warning ? std::string(c.warning) : "") + quiet.output) << c.arguments;
    }
    CliRun script = RunCli("--script 2>&1 >/dev/null", "edit hex 12g4\\n");
    EXPECT_EQ(script.output,
              "dexolin-cli: warning: the hex field drops 'g' (not a hexadecimal digit) of \"12g4\"; "
              "--bits reads bit patterns such as 0x3f800000\n");
}

// Output that cannot be written fails with one line and status 3.
TEST(CompanionCli, UnwritableOutputIsStatusThree)
{
    const struct {
        const char* arguments;
        const char* input;
    } cases[] = {
        {"--width 64 --hex 3FF0000000000000", ""},
        {"--help", ""},
        {"--json --each hex", "1\\n2\\n"},
        {"--script", "show\\nbogus\\n"},  // the lost output, not the bad line
    };
    for (const auto& c : cases) {
        CliRun run = RunCli(std::string(c.arguments) + " >/dev/full", c.input);
        EXPECT_EQ(run.status, 3) << c.arguments;
        EXPECT_EQ(run.output, "dexolin-cli: cannot write to standard output\n") << c.arguments;
    }
}

// --bits acts as --hex or --binary with the digits alone; --name=value as
// --name value; -- ends the options.
TEST(CompanionCli, CommandLinesThatMeanTheSame)
{
    const struct {
        const char* bits;
        const char* same;
    } cases[] = {
        {"--bits 0x3f80_0000", "--hex 3f800000"},
        {"--bits \"0X3F:80-00' 00\"", "--hex 3F800000"},
        {"--width 16 --big --bits 7f", "--width 16 --big --hex 7f"},
        {"--width 8 --bits 0b1010_0101", "--width 8 --binary 10100101"},
        {"--width 80 --bits 0B1", "--width 80 --binary 1"},
        {"--width 80 --bits FFFF_FFFF_FFFF_FFFF_FFFF", "--width 80 --hex FFFFFFFFFFFFFFFFFFFF"},
        {"--width 16 --bits 0b1", "--width 16 --binary 1"},  // the prefix wins over the hex digits 0B1
        {"--width=8 --decimal=-5", "--width 8 --decimal -5"},
        {"--bits=0b1 --width=16 --", "--width 16 --binary 1"},
    };
    for (const auto& c : cases) {
        CliRun bits = RunCli(c.bits);
        CliRun same = RunCli(c.same);
        EXPECT_EQ(bits.status, 0) << c.bits << ": " << bits.output;
        EXPECT_EQ(bits.output, same.output) << c.bits;
    }
}

// --each gives the one-shot runs' blocks, each from a fresh start-up.
TEST(CompanionCli, BatchEqualsOneShotRuns)
{
    const struct {
        const char* options;
        const char* field;
        const char* lines[4];
    } cases[] = {
        {"--width 80 --readings", "float", {"1.5", "-1.QNaN#5", "1e5000", "x"}},
        {"--width 64 --big --json", "hex", {"3ff", "", "fff0000000000000", "1"}},
        {"--width 16 --readings --json", "decimal", {"-1", "70000", "31744", "abc"}},
        {"--width 8", "binary", {"1", "11111111", "2", "0"}},
        {"--width 32 --readings", "mantissa", {"1.5", "0.5", "1.9999999", "2"}},
    };
    for (const auto& c : cases) {
        std::string input, expected;
        int status = 0;
        for (const char* line : c.lines) {
            CliRun one = RunCli(std::string(c.options) + " --" + c.field + " '" + line + "' 2>/dev/null");
            if (!expected.empty() && one.output[0] != '{')
                expected += "\n";
            expected += one.output;
            status = std::max(status, one.status);
            input += std::string(line) + "\\r\\n";
        }
        CliRun batch = RunCli(std::string(c.options) + " --each " + c.field + " 2>/dev/null", input);
        EXPECT_EQ(batch.output, expected) << c.options;
        EXPECT_EQ(batch.status, status) << c.options;
    }
    CliRun cut = RunCli("--width 16 --each hex", "12\\000034\\n");
    EXPECT_NE(cut.output.find("hex\t0012\n"), std::string::npos) << "a NUL cuts the line: " << cut.output;
    EXPECT_EQ(RunCli("--each hex", "").output, "");
}

TEST(CompanionCli, ScriptFromStandardInput)
{
    CliRun run = RunCli("--script", "width 16\\nedit hex ff\\nshow\\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("decimal\t255\n"), std::string::npos) << run.output;
    run = RunCli("--script", "show\\r\\nbogus\\nshow\\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("width\t32\n"), std::string::npos) << "output before the bad line stays";
    EXPECT_NE(run.output.find("line 2"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("width", 10), std::string::npos) << "nothing runs after the bad line";
}

TEST(CompanionCli, ThousandsOfCommandsInOneRun)
{
    std::string script;
    for (int i = 0; i < 2000; ++i)
        script += "edit decimal " + std::to_string(i) + "\\nwidth " + (i % 2 ? "64" : "80") + "\\n";
    script += "show\\n";
    CliRun run = RunCli("--script", script);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("decimal\t1999\n"), std::string::npos);
}

}  // namespace
