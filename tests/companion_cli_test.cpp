// The dexolin-cli program itself: arguments, exit status and standard input.
#include <gtest/gtest.h>

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
                         "--version --big"};
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
    EXPECT_NE(run.output.find("--script"), std::string::npos) << run.output;
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
