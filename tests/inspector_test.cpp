// The inspector over the in-memory fields: the pane shows the companion's
// readings under the published control ids, bit toggles, steps to the
// neighbours, and pastes of bit patterns as people copy them.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "cli/companion.h"
#include "converter/inspector.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "views/bits_text.h"

namespace {

// Runs script lines after a start-up; the status of the first line that
// cannot run, or CompanionOk.
int RunLines(std::initializer_list<std::string> lines, int width = 32)
{
    MemoryStartUp(width, false);
    for (const std::string& line : lines) {
        const char* reason = "";
        int status = CompanionRunLine(line.c_str(), {stdout, false, false}, &reason);
        if (status != CompanionOk)
            return status;
    }
    return CompanionOk;
}

std::string Hex()
{
    return MemoryFieldText(FieldHex);
}

TEST(PastedBits, DigitsInTheFieldsBase)
{
    const struct {
        const char* text;
        bool toBinary;
        const char* digits;  // null: not a pattern, pasted as it is
    } cases[] = {
        {"0x3DCC_CCCD", false, "3DCCCCCD"},
        {"0x3d", true, "00111101"},
        {"0b101", false, "5"},  // padded on the left to whole hex digits
        {"0B1_0000", false, "10"},
        {"1010", true, "1010"},  // unprefixed digits are in the field's own base
        {"1010", false, "1010"},
        {"12", true, nullptr},
        {"DE:AD-BE'EF 01", false, "DEADBEEF01"},
        {"0x", false, nullptr},
        {"_1", true, nullptr},
        {"1_", true, nullptr},
        {"0xG", true, nullptr},
        {"3.5", false, nullptr},
        {"0x1234567890ABCDEF1234", true,
         "00010010001101000101011001111000100100001010101111001101111011110001001000110100"},
        {"0x1234567890ABCDEF12345", true, nullptr},  // 84 bits: wider than any width
    };
    for (const auto& c : cases) {
        char out[BitsDigitsCapacity] = "untouched";
        bool hexInBinary = false;
        BitFieldPaste kind = ReadBitFieldPaste(c.text, c.toBinary, out, sizeof out, &hexInBinary);
        EXPECT_EQ(kind == BitFieldPaste::Pattern, c.digits != nullptr) << c.text;
        if (c.digits) {
            EXPECT_EQ(std::string(out), c.digits) << c.text;
        }
    }
}

TEST(PastedBits, PasteTakesThePatternEditTakesTheText)
{
    const struct {
        int width;
        const char* line;
        int field;
        const char* text;  // the field's text right after the line
    } cases[] = {
        {32, "paste hex 0x3DCC_CCCD", FieldHex, "3DCCCCCD"},
        {32, "edit hex 0x3DCC_CCCD", FieldHex, "0X3DCC_C"},  // cut at the limit of 8
        {16, "paste hex 0x3DCC_CCCD", FieldHex, "3DCC"},  // the limit still applies
        {8, "paste binary 0xA5", FieldBinary, "10100101"},
        {8, "paste hex 0b1111_0000", FieldHex, "F0"},
        {32, "paste decimal 0x10", FieldDecimal, "0x10"},  // the rule is the bit fields' only
        {32, "paste hex 12.5", FieldHex, "00000000"},  // neither pattern nor digits: refused
        {32, "paste binary 3dcc cccd", FieldBinary, "00000000000000000000000000000000"},
        {32, "paste binary 101", FieldBinary, "101"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(RunLines({c.line}, c.width), CompanionOk) << c.line;
        EXPECT_EQ(std::string(MemoryFieldText(c.field)), c.text) << c.line;
    }
}

// The pane's controls by the reading names the companion prints.
const struct {
    const char* name;
    int control;
} PaneIds[] = {
    {"unsigned", PaneUnsigned}, {"half", PaneHalf},         {"bfloat16", PaneBfloat16},
    {"exact", PaneExact},       {"shortest", PaneShortest}, {"hexfloat", PaneHexFloat},
    {"next", PaneNext},         {"previous", PanePrevious}, {"class", PaneClass},
};

// The readings lines of the companion's block: name -> text.
std::string ReadingLine(const std::string& block, const char* name)
{
    std::string key = std::string("\n") + name + "\t";
    size_t at = block.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return block.substr(at, block.find('\n', at) - at);
}

// The block with the width's readings, or with the chosen format's.
std::string PrintedBlock(bool formatReadings)
{
    FILE* out = std::tmpfile();
    CompanionPrintBlock({out, true, false, formatReadings}, 0);
    std::rewind(out);
    std::string block;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
        block.append(buffer, n);
    std::fclose(out);
    return block;
}

TEST(InspectorPane, ShowsTheCompanionsReadingsUnderTheirIds)
{
    std::mt19937 random(14);
    const int widths[] = {8, 16, 32, 64, 80};
    for (int width : widths) {
        for (int round = 0; round < 40; ++round) {
            std::string hex;
            for (int i = 0; i < width / 4; ++i)
                hex += "0123456789ABCDEF"[random() % 16];
            ASSERT_EQ(RunLines({"paste hex " + hex}, width), CompanionOk);
            // The chosen format's readings, and the width's own (half and
            // bfloat16 at 16 bits).
            std::string ofFormat = PrintedBlock(true);
            std::string ofWidth = PrintedBlock(false);
            for (const auto& p : PaneIds) {
                std::string key = std::string("\n") + p.name + "\t";
                bool inFormat = ofFormat.find(key) != std::string::npos;
                bool printed = inFormat || ofWidth.find(key) != std::string::npos;
                std::string want = ReadingLine(inFormat ? ofFormat : ofWidth, p.name);
                EXPECT_EQ(MemoryFieldText(p.control), want) << width << " " << hex;
                EXPECT_EQ(MemoryControlEnabled(p.control), printed) << p.name << " at " << width;
            }
        }
    }
}

TEST(InspectorGrid, TogglesShowTheWidthsBitsAndFlipThem)
{
    const struct {
        int width;
        std::initializer_list<std::string> lines;
        const char* hex;
    } cases[] = {
        {8, {"toggle 0", "toggle 7"}, "81"},
        {32, {"toggle 31"}, "80000000"},
        {32, {"paste hex 3F800000", "toggle 23"}, "3F000000"},
        {80, {"toggle 79", "toggle 63", "toggle 63"}, "80000000000000000000"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(RunLines(c.lines, c.width), CompanionOk) << c.width;
        EXPECT_EQ(Hex(), c.hex);
        for (int bit = 0; bit < BitToggleCount; ++bit) {
            int id = FirstBitToggle + bit;
            ASSERT_EQ(MemoryControlShown(id), bit < c.width) << "bit " << bit << " at " << c.width;
            if (bit < c.width) {
                EXPECT_EQ(MemoryFieldText(id)[0] - '0',
                          ConverterState.ValueRegister[bit / 8] >> (bit % 8) & 1)
                    << "bit " << bit;
            }
        }
    }
}

TEST(InspectorGrid, BitRolesFollowTheFloatFormat)
{
    const struct {
        int width, bit;
        BitRole role;
    } cases[] = {
        {16, 15, BitRole::Sign},     {32, 31, BitRole::Sign},     {32, 30, BitRole::Exponent},
        {32, 23, BitRole::Exponent}, {32, 22, BitRole::Fraction}, {64, 52, BitRole::Exponent},
        {64, 51, BitRole::Fraction}, {80, 64, BitRole::Exponent}, {80, 63, BitRole::IntegerBit},
        {80, 62, BitRole::Fraction}, {80, 79, BitRole::Sign},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoleOfBit(c.bit, c.width), c.role) << c.width << " " << c.bit;
}

TEST(InspectorSteps, StepToTheNeighboursWhereTheyExist)
{
    const struct {
        int width;
        const char* from;
        const char* line;
        const char* hex;  // null: the step cannot run
    } cases[] = {
        {32, "3F800000", "step next", "3F800001"},
        {32, "3F800000", "step previous", "3F7FFFFF"},
        {64, "0000000000000000", "step previous", "8000000000000001"},
        {80, "7FFEFFFFFFFFFFFFFFFF", "step next", "7FFF8000000000000000"},
        {80, "3FFF0000000000000000", "step next", nullptr},  // integer bit clear: no neighbour
        {16, "3C00", "step next", "3C01"},  // half, the default at 16 bits
        {8, "7E", "step next", "7E"},  // e4m3fn's largest value: no infinity above it
    };
    for (const auto& c : cases) {
        int status = RunLines({std::string("paste hex ") + c.from, c.line}, c.width);
        bool stepped = c.hex != nullptr;
        EXPECT_EQ(status, stepped ? CompanionOk : CompanionBad) << c.line << " from " << c.from;
        EXPECT_EQ(Hex(), stepped ? c.hex : c.from);
        EXPECT_EQ(MemoryControlEnabled(ButtonStepNext), stepped);
        EXPECT_EQ(MemoryControlEnabled(ButtonStepPrevious), stepped);
    }
}

// Hidden, as the window's "Inspector" item hides it: nothing is computed,
// no click reaches it, and showing it brings it up to date.
TEST(InspectorPane, HiddenPaneIsSkippedAndRefreshedWhenShown)
{
    ASSERT_EQ(RunLines({"paste hex 3F800000"}), CompanionOk);
    MemorySetInspectorShown(false);
    int status = RunLines({"paste hex 40000000", "toggle 0"});
    std::string unsignedText = MemoryFieldText(PaneUnsigned);
    MemorySetInspectorShown(true);
    EXPECT_EQ(status, CompanionBad);
    EXPECT_EQ(unsignedText, "");  // a fresh start-up with the pane hidden fills nothing
    EXPECT_EQ(std::string(MemoryFieldText(PaneUnsigned)), "1073741824");
    EXPECT_EQ(std::string(MemoryFieldText(FirstBitToggle + 30)), "1");
}

}  // namespace
