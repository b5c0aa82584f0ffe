// The companion's value forms: bytes in memory order (--bytes-le,
// --bytes-be, paste-bytes, --memory), the copy forms (--as) and the
// history of a script (back, forward).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/cli_run.h"

namespace {

// The lines of output that start with name and a TAB, joined.
std::string LinesNamed(const std::string& output, const std::string& name)
{
    std::string found;
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        std::string line = output.substr(at, end - at + 1);
        if (line.compare(0, name.size() + 1, name + "\t") == 0)
            found += line;
        at = end == std::string::npos ? output.size() : end + 1;
    }
    return found;
}

TEST(CompanionValues, BytesSetTheWidthAsTheHexFieldWould)
{
    const struct {
        const char* bytes;  // the options with the bytes
        const char* hex;  // the same value through the hex field
    } cases[] = {
        {"--bytes-le 'CD CC CC 3D'", "--hex 3DCCCCCD"},
        {"--bytes-be '{0x3D, 0xCC, 0xCC, 0xCD}'", "--hex 3DCCCCCD"},
        {"--width 64 --bytes-le '\\x9a\\x99\\x99\\x99\\x99\\x99\\xb9\\x3f'",
         "--width 64 --hex 3FB999999999999A"},
        {"--width 80 --big --bytes-be 3f-ff-80-00-00-00-00-00-00-01",
         "--width 80 --big --hex 3FFF8000000000000001"},
        {"--bytes-le 01000000 --readings --memory", "--hex 1 --readings --memory"},
    };
    for (const auto& c : cases) {
        CliRun bytes = RunCli(c.bytes), hex = RunCli(c.hex);
        EXPECT_EQ(bytes.status, 0) << c.bytes << "\n" << bytes.output;
        EXPECT_EQ(bytes.output, hex.output) << c.bytes;
    }
}

TEST(CompanionValues, BadRunsAreOneLineWithWhatWasFoundAndNeeded)
{
    const struct {
        const char* arguments;
        const char* problem;
    } cases[] = {
        {"--width 80 --bytes-le 'CD CC CC 3D'", "dexolin-cli: found 4 bytes, 80 bits need 10 ("},
        {"--bytes-be 'CD CC CC 3'", "dexolin-cli: odd count of hex digits ("},
        {"--bytes-le 'CD CC CC 3D' --hex 1", "dexolin-cli: only one field may be given ("},
    };
    for (const auto& c : cases) {
        CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.output.find(c.problem), 0u) << run.output;
        EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;
    }
    CliRun run = RunCli("--script", "width 16\\npaste-bytes le 00 3c 00\\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "dexolin-cli: line 2: found 3 bytes, 16 bits need 2: paste-bytes le 00 3c 00\n");
    run = RunCli("--script", "paste-bytes middle 00\\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("le or be"), std::string::npos) << run.output;
}

TEST(CompanionValues, MemoryAddsTheByteReadingsAfterTheOthers)
{
    CliRun plain = RunCli("--width 16 --hex 3C00 --readings");
    CliRun memory = RunCli("--width 16 --hex 3C00 --readings --memory");
    EXPECT_EQ(memory.output, plain.output + "bytes\t00 3C\nbytes-be\t3C 00\n");
    EXPECT_EQ(RunCli("--width 16 --hex 3C00 --memory").output, RunCli("--width 16 --hex 3C00").output)
        << "no readings, no bytes";
    CliRun json = RunCli("--hex 3DCCCCCD --readings --memory --json");
    EXPECT_NE(json.output.find(",\"bytes\":\"CD CC CC 3D\",\"bytes-be\":\"3D CC CC CD\"}\n"),
              std::string::npos)
        << json.output;
    CliRun script = RunCli("--script --readings --memory", "width 32\\npaste-bytes be 3f 80 00 00\\nshow\\n");
    EXPECT_EQ(LinesNamed(script.output, "hex") + LinesNamed(script.output, "bytes"),
              "hex\t3F800000\nbytes\t00 00 80 3F\n");
}

TEST(CompanionValues, AsPrintsTheFormsLastInTheirOrder)
{
    const struct {
        const char* arguments;
        const char* lines;  // what follows the block without --as
    } cases[] = {
        {"--hex 3DCCCCCD --as all",
         "hex\t0x3DCCCCCD\nliteral\t0.1f\nhexfloat\t0x1.99999ap-4f\nbytes\tCD CC CC 3D\n"
         "bytes-be\t3D CC CC CD\narray\t{0xCD, 0xCC, 0xCC, 0x3D}\n"},
        {"--width 64 --float 0.1 --as array --as literal",
         "literal\t0.1\narray\t{0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, "
         "0xB9, 0x3F}\n"},
        {"--width 80 --float -0 --as literal", "literal\t-0.0L\n"},
        {"--width 16 --hex 3C00 --as literal --as hexfloat", "literal\t0x3C00\nhexfloat\t0x1p+0\n"},
        {"--width 8 --format e5m2 --hex 7C --as literal", "literal\t0x7C\n"},
        {"--hex 7F800000 --readings --memory --as literal", "literal\tINFINITY\n"},
    };
    for (const auto& c : cases) {
        std::string arguments = c.arguments;
        CliRun with = RunCli(arguments);
        CliRun without = RunCli(arguments.substr(0, arguments.find(" --as")));
        EXPECT_EQ(with.status, 0) << with.output;
        EXPECT_EQ(with.output, without.output + c.lines) << arguments;
    }
    CliRun json = RunCli("--hex 3F800000 --json --as hex --as bytes");
    EXPECT_NE(
        json.output.find(",\"register\":\"0000000000003F800000\",\"as\":{\"hex\":\"0x3F800000\",\"bytes\":"
                         "\"00 00 80 3F\"}}\n"),
        std::string::npos)
        << json.output;
    CliRun bad = RunCli("--as json");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(
        bad.output.find("dexolin-cli: as must be hex, literal, hexfloat, bytes, bytes-be, array or all ("),
        0u)
        << bad.output;
}

// The width, hex and format lines of each block of a script run with the
// format's readings, one "width hex format" line per block.
std::string ShownValues(const std::string& script)
{
    CliRun run = RunCli("--script --format single", script);
    EXPECT_EQ(run.status, 0) << run.output;
    std::string output = "\n" + run.output, shown;
    for (size_t at = output.find("\nwidth\t"); at != std::string::npos;
         at = output.find("\nwidth\t", at + 1)) {
        auto value = [&](const char* name) {
            size_t start = output.find(std::string("\n") + name + "\t", at) + std::strlen(name) + 2;
            return output.substr(start, output.find('\n', start) - start);
        };
        shown += value("width") + " " + value("hex") + " " + value("format") + "\n";
    }
    return shown;
}

TEST(CompanionValues, BackAndForwardRestoreValueWidthAndFormat)
{
    const struct {
        const char* script;
        const char* shown;
    } cases[] = {
        // Each settled value in turn, then back to the start and forward to
        // the end again.
        {"edit float 1.5\nleave float\nwidth 64\nformat e5m10\ntoggle 3\n"
         "back\nshow\nback\nshow\nback\nshow\nback\nshow\nforward\nforward\nforward\nforward\nshow\n",
         "64 000000003FC00000 e5m10\n64 000000003FC00000 double\n32 3FC00000 single\n32 00000000 single\n"
         "64 000000003FC00008 e5m10\n"},
        // An edit settles when the field is left, not at every keystroke.
        {"edit hex 1\nedit hex 2\nleave hex\nback\nshow\nforward\nshow\n",
         "32 00000000 single\n32 00000002 single\n"},
        // Steps, pastes, bytes and encodings settle too; a width change
        // through the history is a width click.
        {"step next\npaste hex 0x3F80_0000\npaste-bytes be 40 00 00 00\nencode 0.1\nwidth 16\nback\nshow\n"
         "back\nshow\nback\nshow\nback\nshow\nback\nshow\n",
         "32 3DCCCCCD single\n32 40000000 single\n32 3F800000 single\n32 00000001 single\n"
         "32 00000000 single\n"},
        // A new value after going back drops the values ahead of it.
        {"toggle 0\ntoggle 1\nback\ntoggle 2\nback\nshow\nforward\nshow\n",
         "32 00000001 single\n32 00000005 single\n"},
        // The same value again is not a new one.
        {"toggle 0\nformat single\nleave decimal\nwidth 32\nback\nshow\n", "32 00000000 single\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownValues(c.script), c.shown) << c.script;
}

TEST(CompanionValues, HistoryKeepsTheLastSixtyFourValues)
{
    // 70 toggles settle 70 values after the start's: the 64 kept begin with
    // bits 0 to 6 set.
    std::string script = "width 80\n";
    for (int bit = 0; bit < 70; ++bit)
        script += "toggle " + std::to_string(bit) + "\n";
    for (int i = 0; i < 63; ++i)
        script += "back\n";
    script += "show\nback\n";
    CliRun run = RunCli("--script", script);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("hex\t0000000000000000007F\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("dexolin-cli: line 136: no value to go back to: back\n"), std::string::npos)
        << run.output;
}

TEST(CompanionValues, NothingToGoToStopsTheScript)
{
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"back\n", "dexolin-cli: line 1: no value to go back to: back\n"},
        {"toggle 1\nforward\n", "dexolin-cli: line 2: no value to go forward to: forward\n"},
        {"toggle 1\nback\nforward\nforward\n", "dexolin-cli: line 4: no value to go forward to: forward\n"},
        {"back 2\n", "dexolin-cli: line 1: unknown command: back 2\n"},
    };
    for (const auto& c : cases) {
        CliRun run = RunCli("--script", c.script);
        EXPECT_EQ(run.status, 2) << c.script;
        EXPECT_EQ(run.output, c.message) << c.script;
    }
}

}  // namespace
