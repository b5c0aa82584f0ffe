// Runs of bytes as dumps and C sources write them: every accepted spelling
// and every refusal with its words.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "views/byte_run.h"

namespace {

// The bytes read, in the order written, as "CD CC CC 3D".
std::string Written(const uint8_t* bytes, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += (i > 0 ? " " : "") + std::string(pair);
    }
    return text;
}

TEST(ByteRun, AcceptedSpellings)
{
    const struct {
        int width;
        const char* text;
        const char* bytes;  // in the order written
    } cases[] = {
        {32, "CD CC CC 3D", "CD CC CC 3D"},
        {32, "cd-cc-cc-3d", "CD CC CC 3D"},
        {32, "cdcccc3d", "CD CC CC 3D"},
        {32, "cdcc cc3d", "CD CC CC 3D"},
        {32, "\\xcd\\xcc\\xcc\\x3d", "CD CC CC 3D"},
        {32, "{0xCD, 0xCC, 0xCC, 0x3D}", "CD CC CC 3D"},
        {32, "{0xCD, 0xCC, 0xCC, 0x3D,}", "CD CC CC 3D"},
        {32, "  {\n  0xCD,\n  0xCC,\r\n  0xCC,\n  0x3D\n}\n", "CD CC CC 3D"},
        {32, "0xcd,0xcc,0xcc,0x3d", "CD CC CC 3D"},
        {32, "0xd 0x0 0X1 0xFF", "0D 00 01 FF"},
        {32, " \t00 00 80 3f \n", "00 00 80 3F"},
        {8, "7f", "7F"},
        {64, "9a 99 99 99 99 99 b9 3f", "9A 99 99 99 99 99 B9 3F"},
        {80, "00000000000000803fff", "00 00 00 00 00 00 00 80 3F FF"},
    };
    for (const auto& c : cases) {
        uint8_t bytes[ByteRunCapacity] = {};
        char problem[ByteRunProblemCapacity] = "";
        EXPECT_TRUE(ReadByteRun(c.text, c.width, bytes, problem)) << c.text << ": " << problem;
        EXPECT_EQ(Written(bytes, c.width / 8), c.bytes) << c.text;
    }
}

TEST(ByteRun, RefusedRunsSayWhy)
{
    const struct {
        int width;
        const char* text;
        const char* problem;
    } cases[] = {
        {80, "CD CC CC 3D", "found 4 bytes, 80 bits need 10"},
        {32, "CD CC CC", "found 3 bytes, 32 bits need 4"},
        {16, "CD", "found 1 byte, 16 bits need 2"},
        {8, "{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C}",
         "found 12 bytes, 8 bits need 1"},
        {32, "", "no bytes"},
        {32, "{}", "no bytes"},
        {32, "cdcccc3", "odd count of hex digits"},
        {32, "CD C CC 3D", "odd count of hex digits"},
        {32, "CD CC CC 3G", "unexpected character 'G'"},
        {32, "CD,,CC,CC,3D", "unexpected character ','"},
        {32, "CD-CC-CC-3D-", "unexpected character '-'"},
        {32, "0xCD,0xCC,0xCC,0x3D,", "unexpected character ','"},
        {32, "0xCD0xCC0xCC0x3D", "0x takes one or two hex digits"},
        {32, "CD CC\x01", "unexpected character 0x01"},
        {32, "{0xCD, 0xCC, 0xCC, 0x3D", "unmatched brace"},
        {32, "0xCD, 0xCC, 0xCC, 0x3D}", "unmatched brace"},
        {32, "{0xCD, 0xCC} {0xCC, 0x3D}", "unmatched brace"},
        {32, "{0xCD, 0xCC}, {0xCC, 0x3D}", "unexpected character ','"},
        {32, "{0xCD, 0xCC, 0xCC, 0x3D};", "unexpected character ';'"},
        {32, "0xCDCCCC3D", "0x takes one or two hex digits"},
        {32, "0x 0xCC", "unexpected character 'x'"},
        {32, "\\xc \\xcc", "\\x takes two hex digits"},
        {32, "\\xcdc\\xcc", "\\x takes two hex digits"},
    };
    for (const auto& c : cases) {
        uint8_t bytes[ByteRunCapacity] = {};
        char problem[ByteRunProblemCapacity] = "";
        EXPECT_FALSE(ReadByteRun(c.text, c.width, bytes, problem)) << c.text;
        EXPECT_STREQ(problem, c.problem) << c.text;
    }
}

}  // namespace
