// The companion's value forms: bytes in memory order (--bytes-le,
// --bytes-be, paste-bytes, --memory), the copy forms (--as) and the
// history of a script (back, forward).
#include <gtest/gtest.h>

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
        {"--width 8 --bytes-le 80", "--width 8 --hex 80"},
        {"--width 16 --bytes-le 003c", "--width 16 --hex 3C00"},
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

}  // namespace
