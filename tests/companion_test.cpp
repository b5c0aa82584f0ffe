// The companion's script engine and its printed block.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/companion.h"
#include "memory/memory_fields.h"

namespace {

// Runs script lines after a start-up and returns everything printed; stops at
// the first line that cannot run and reports its reason.
struct ScriptResult {
    std::string output;
    int status = CompanionOk;
    std::string reason;
};

ScriptResult RunScript(std::initializer_list<const char*> lines, int width = 32, bool big = false)
{
    MemoryStartUp(width, big);
    ScriptResult result;
    FILE* out = std::tmpfile();
    for (const char* line : lines) {
        const char* reason = "";
        result.status = CompanionRunLine(line, {out, false, false}, &reason);
        if (result.status != CompanionOk) {
            result.reason = reason;
            break;
        }
    }
    std::rewind(out);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
        result.output.append(buffer, n);
    std::fclose(out);
    return result;
}

TEST(CompanionBlock, StartUpBlockAtSixteenBitsBigEndian)
{
    ScriptResult r = RunScript({"show"}, 16, true);
    EXPECT_EQ(r.output,
              "width\t16\nendian\tbig\nbinary\t0000000000000000\ndecimal\t0\nhex\t0000\nfloat\t\n"
              "sign\t0\nexponent\t\nmantissa\t\nerrors\t\nregister\t00000000000000000000\n");
}

TEST(CompanionScript, EditLeaveAndErrorsAsTheyStand)
{
    ScriptResult r = RunScript({"width 8", "edit decimal 300", "show", "leave decimal", "show"});
    ASSERT_EQ(r.status, CompanionOk);
    const std::string first =
        "width\t8\nendian\tlittle\nbinary\t01111111\ndecimal\t300\nhex\t7F\nfloat\t\n"
        "sign\t0\nexponent\t\nmantissa\t\nerrors\tdecimal\nregister\t0000000000000000017F\n";
    const std::string second = "width\t8\nendian\tlittle\nbinary\t01111111\ndecimal\t127\nhex\t7F\nfloat\t\n"
                               "sign\t0\nexponent\t\nmantissa\t\nerrors\t\nregister\t0000000000000000017F\n";
    EXPECT_EQ(r.output, first + second);
}

TEST(CompanionScript, EditTextIsTheRestOfTheLine)
{
    // The text may be empty or hold spaces; a space makes the decimal text invalid.
    ScriptResult r = RunScript({"width 16", "edit hex 1 2", "endian big", "edit hex 1 2", "edit decimal  5"});
    ASSERT_EQ(r.status, CompanionOk);
    r = RunScript({"width 16", "endian big", "edit hex 1 2", "show"});
    EXPECT_NE(r.output.find("hex\t1 2\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("register\t00000000000000001200\n"), std::string::npos) << r.output;
    r = RunScript({"edit decimal  5", "show"});
    EXPECT_NE(r.output.find("errors\tdecimal\n"), std::string::npos) << r.output;
    r = RunScript({"edit decimal 5", "edit decimal", "show"});
    EXPECT_NE(r.output.find("register\t00000000000000000000\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("errors\t\n"), std::string::npos) << r.output;
}

TEST(CompanionScript, CommentsAndBlankLinesAreIgnored)
{
    ScriptResult r = RunScript({"", "# edit decimal 5", "   ", "show"});
    EXPECT_EQ(r.status, CompanionOk);
    EXPECT_NE(r.output.find("decimal\t0\n"), std::string::npos);
}

TEST(CompanionScript, WidthClickRunsEvenForTheCurrentWidth)
{
    ScriptResult r = RunScript({"edit binary 1x1", "width 32", "show"});
    EXPECT_NE(r.output.find("binary\t00000000000000000000000000000101\n"), std::string::npos) << r.output;
}

TEST(CompanionScript, LinesThatCannotRun)
{
    struct Case {
        std::initializer_list<const char*> lines;
        const char* why;
    };
    const Case cases[] = {
        {{"frobnicate"}, "unknown command"},
        {{"width 12"}, "width"},
        {{"width"}, "width"},
        {{"endian middle"}, "endian"},
        {{"edit nothing 5"}, "unknown field"},
        {{"edit"}, "unknown field"},
        {{"leave decimal now"}, "unknown field"},
        {{"width 8", "edit float 1"}, "disabled"},
        {{"width 16", "edit mantissa 1.5"}, "disabled"},
        {{"width 8", "sign"}, "disabled"},
        {{"show me"}, "unknown command"},
        {{"SHOW"}, "unknown command"},
        {{"toggle 32"}, "above the width"},
        {{"toggle 80"}, "0 to 79"},
        {{"toggle -1"}, "0 to 79"},
        {{"step sideways"}, "next or previous"},
        {{"width 80", "paste hex 3FFF0000000000000000", "step next"}, "no neighbours"},
        {{"width 8", "format half"}, "half needs 16 bits"},
        {{"format e1m3"}, "exponent bits"},
        {{"format"}, "format name"},
        {{"paste nothing 0x1"}, "unknown field"},
        {{"width 8", "paste float 1"}, "disabled"},
    };
    for (const Case& c : cases) {
        ScriptResult r = RunScript(c.lines);
        EXPECT_EQ(r.status, CompanionBad) << *c.lines.begin();
        EXPECT_NE(r.reason.find(c.why), std::string::npos) << r.reason;
    }
}

TEST(CompanionScript, LeavingADisabledFieldDoesNothing)
{
    ScriptResult r = RunScript({"width 8", "leave float", "show"});
    EXPECT_EQ(r.status, CompanionOk);
    EXPECT_NE(r.output.find("float\t\n"), std::string::npos);
}

TEST(CompanionScript, SignClickTogglesTheBox)
{
    ScriptResult r = RunScript({"width 64", "sign", "show", "sign", "show"});
    ASSERT_EQ(r.status, CompanionOk);
    EXPECT_NE(r.output.find("sign\t1\n"), std::string::npos);
    EXPECT_NE(r.output.find("register\t00008000000000000000\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.rfind("register\t00000000000000000000\n"), std::string::npos);
}

}  // namespace
