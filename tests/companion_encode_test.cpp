// The companion's encoding: --encode with --round and --saturate, --each
// encode and the script's commands, run as a program.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"

namespace {

// The value of a "name<TAB>value" line of the output, or "(none)".
std::string Line(const std::string& output, const std::string& name)
{
    size_t at = output.find(name + "\t");
    if (at == std::string::npos || (at != 0 && output[at - 1] != '\n'))
        return "(none)";
    size_t start = at + name.size() + 1;
    return output.substr(start, output.find('\n', start) - start);
}

TEST(CompanionEncode, OneShotLines)
{
    const struct {
        const char* arguments;
        int status;
        const char* hex;
        const char* flags;
        const char* error;
    } cases[] = {
        {"--width 16 --encode 0.999755859375", 0, "3C00", "inexact", "2.44140625e-4"},
        {"--width 16 --encode 0.999755859375 --round zero", 0, "3BFF", "inexact", "-2.44140625e-4"},
        {"--width 8 --encode 1e9", 0, "7F", "inexact overflow", ""},
        {"--width 8 --encode 1e9 --saturate", 0, "7E", "inexact overflow", "-9.99999552e8"},
        {"--width 32 --format tf32 --encode 1", 0, "3F800000", "", "0"},
        {"--width 32 --encode nonsense", 1, "00000000", "not-a-number", ""},
        {"--width 16 --encode 0x1.002p0", 0, "3C00", "inexact", "-4.8828125e-4"},  // 1 + 2^-11 ties to 1
    };
    for (const auto& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(Line(run.output, "hex"), c.hex) << c.arguments;
        EXPECT_EQ(Line(run.output, "flags"), c.flags) << c.arguments;
        EXPECT_EQ(Line(run.output, "error"), c.error) << c.arguments;
        EXPECT_NE(Line(run.output, "shortest"), "(none)") << c.arguments;
    }
}

TEST(CompanionEncode, EachLineAndScript)
{
    CliRun each = RunCli("--width 64 --each encode --json", "1.5\\nx\\n");
    EXPECT_EQ(each.status, 1);
    EXPECT_NE(each.output.find("\"flags\":\"not-a-number\""), std::string::npos) << each.output;
    EXPECT_NE(each.output.find("\"hex\":\"3FF8000000000000\""), std::string::npos) << each.output;

    CliRun script = RunCli("--script --width 16", "round up\\nencode 1e-9\\nshow\\nsaturate maybe\\nshow\\n");
    EXPECT_EQ(script.status, 2);
    EXPECT_EQ(Line(script.output, "hex"), "0001");
    EXPECT_EQ(Line(script.output, "flags"), "inexact underflow");
    EXPECT_NE(script.output.find("line 4"), std::string::npos) << script.output;
}

}  // namespace
