// The five settings: reading with defaults and clamps, writing their forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/inspector_pane.h"
#include "shell/optional_user32.h"
#include "shell/settings.h"
#include "shell/settings_key.h"
#include "shell/shell_state.h"
#include "tests/windows/registry_helpers.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
        LookUpOptionalUser32();
    }
    void TearDown() override
    {
        DeleteTestKey();
        LookUpOptionalUser32();
    }
};

// ---- The key holder ----------------------------------------------------------

using SettingsKeyTest = RegistryTest;

TEST_F(SettingsKeyTest, MissingKeyGivesDefaultsUnclamped)
{
    SettingsKey key;
    EXPECT_FALSE(key.OpenForRead(TestKeyPath));
    EXPECT_EQ(key.ReadSigned("Bits", 500, 8, 80), 500);
    EXPECT_EQ(key.ReadUnsigned("Position", 7u, 10u, 20u), 7u);
    key.Close();
    key.Close();  // closing an empty holder does nothing
    EXPECT_EQ(key.Handle, nullptr);
}

TEST_F(SettingsKeyTest, OpenForWriteCreatesTheKey)
{
    SettingsKey key;
    ASSERT_TRUE(key.OpenForWrite(TestKeyPath));
    key.WriteDword("Value", 0x12345678u);
    key.WriteFlag("Flag", 0x80);
    key.Close();
    EXPECT_EQ(key.Handle, nullptr);
    EXPECT_EQ(Describe(GetRawValue("Value")), "REG_DWORD 0x12345678");
    EXPECT_EQ(Describe(GetRawValue("Flag")), "REG_DWORD 0x00000001");
}

TEST_F(SettingsKeyTest, OpeningAgainClosesTheKeyHeldBefore)
{
    SettingsKey key;
    ASSERT_TRUE(key.OpenForWrite(TestKeyPath));
    HKEY first = key.Handle;
    ASSERT_TRUE(key.OpenForRead(TestKeyPath));
    EXPECT_NE(key.Handle, nullptr);
    // The first handle was released: using it fails.
    DWORD value = 1;
    EXPECT_NE(RegSetValueExA(first, "Gone", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_SUCCESS);
    key.Close();
}

struct ClampCase {
    uint32_t Stored;
    int32_t Min, Max;
    int32_t Signed;  // ReadSigned with default 99
    uint32_t Unsigned;  // ReadUnsigned with the same bounds taken as unsigned
};

// Signed and unsigned readers see the same bits differently.
const ClampCase ClampCases[] = {
    // stored      min   max   signed      unsigned
    {5, 8, 80, 8, 8},
    {81, 8, 80, 80, 80},
    {24, 8, 80, 24, 24},
    {0xFFFFFFFBu, 8, 80, 8, 80},  // -5: below as signed, above as unsigned
    {0xFFFFFFFFu, 0, 100, 0, 100},
    {1000, 5, 5, 1000, 1000},  // min equals max: no clamp at all
    {0x80000000u, 0, 0x7FFFFFFF, 0, 0x7FFFFFFFu},
};

TEST_F(SettingsKeyTest, ClampsAsSignedOrUnsigned)
{
    for (const ClampCase& c : ClampCases) {
        SetDwordValue("Value", c.Stored);
        SettingsKey key;
        ASSERT_TRUE(key.OpenForRead(TestKeyPath));
        EXPECT_EQ(key.ReadSigned("Value", 99, c.Min, c.Max), c.Signed) << "stored 0x" << std::hex << c.Stored;
        EXPECT_EQ(key.ReadUnsigned("Value", 99, static_cast<uint32_t>(c.Min), static_cast<uint32_t>(c.Max)),
                  c.Unsigned)
            << "stored 0x" << std::hex << c.Stored;
        key.Close();
    }
}

// ---- Reading the five settings -------------------------------------------------

struct Raw {
    const char* Name;
    DWORD Type;
    std::vector<unsigned char> Bytes;
};

Raw Dword(const char* name, uint32_t value)
{
    return {name,
            REG_DWORD,
            {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)}};
}

struct Expected {
    int WidthButton = ButtonWidth32;
    int EndianButton = ButtonLittle;
    int OnTop = 0;
    int Always = 0;
    int Alpha = 255;
    int X = 0;
    int Y = 0;
};

struct ReadCase {
    const char* Name;
    std::vector<Raw> Stored;
    Expected Want;
};

Expected With(int widthButton, int endianButton, int onTop, int always, int alpha, int x, int y)
{
    return {widthButton, endianButton, onTop, always, alpha, x, y};
}

const Expected Defaults;

const std::vector<ReadCase>& ReadCases()
{
    static const std::vector<ReadCase> cases = {
        {"NoKey", {}, Defaults},
        {"Bits8", {Dword("Bits", 8)}, With(ButtonWidth8, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits16", {Dword("Bits", 16)}, With(ButtonWidth16, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits64", {Dword("Bits", 64)}, With(ButtonWidth64, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits80", {Dword("Bits", 80)}, With(ButtonWidth80, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits7ReadsAs8", {Dword("Bits", 7)}, With(ButtonWidth8, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits81ReadsAs80", {Dword("Bits", 81)}, With(ButtonWidth80, ButtonLittle, 0, 0, 255, 0, 0)},
        {"Bits24Selects32", {Dword("Bits", 24)}, Defaults},
        {"NegativeBitsReadsAs8",
         {Dword("Bits", 0xFFFFFFF0u)},
         With(ButtonWidth8, ButtonLittle, 0, 0, 255, 0, 0)},
        {"BigEndian1", {Dword("BigEndian", 1)}, With(ButtonWidth32, ButtonBig, 0, 0, 255, 0, 0)},
        {"BigEndianAnyNonzero", {Dword("BigEndian", 0x100)}, With(ButtonWidth32, ButtonBig, 0, 0, 255, 0, 0)},
        {"OnTop1", {Dword("OnTop", 1)}, With(ButtonWidth32, ButtonLittle, 1, 0, 255, 0, 0)},
        {"OnTop256IsOff", {Dword("OnTop", 256)}, Defaults},
        {"OnTopLowByteCounts", {Dword("OnTop", 0x102)}, With(ButtonWidth32, ButtonLittle, 2, 0, 255, 0, 0)},
        {"TransparencyMinus300",
         {Dword("Transparency", static_cast<uint32_t>(-300))},
         With(ButtonWidth32, ButtonLittle, 0, 1, 255, 0, 0)},
        {"Transparency300", {Dword("Transparency", 300)}, Defaults},
        {"Transparency10RaisedTo25",
         {Dword("Transparency", 10)},
         With(ButtonWidth32, ButtonLittle, 0, 0, 25, 0, 0)},
        {"TransparencyMinus10",
         {Dword("Transparency", static_cast<uint32_t>(-10))},
         With(ButtonWidth32, ButtonLittle, 0, 1, 25, 0, 0)},
        {"Transparency0", {Dword("Transparency", 0)}, With(ButtonWidth32, ButtonLittle, 0, 0, 25, 0, 0)},
        {"Transparency100", {Dword("Transparency", 100)}, With(ButtonWidth32, ButtonLittle, 0, 0, 100, 0, 0)},
        {"TransparencyMinus128",
         {Dword("Transparency", static_cast<uint32_t>(-128))},
         With(ButtonWidth32, ButtonLittle, 0, 1, 128, 0, 0)},
        {"PositionX16YMinus1",
         {Dword("Position", 0xFFFF0010u)},
         With(ButtonWidth32, ButtonLittle, 0, 0, 255, 16, -1)},
        {"PositionExtremes",
         {Dword("Position", 0x80007FFFu)},
         With(ButtonWidth32, ButtonLittle, 0, 0, 255, 32767, -32768)},
        {"PositionNegativeX",
         {Dword("Position", 0x0064FF38u)},
         With(ButtonWidth32, ButtonLittle, 0, 0, 255, -200, 100)},
        // Values of another size than 4 bytes give the defaults.
        {"TwoByteBits", {{"Bits", REG_BINARY, {16, 0}}}, Defaults},
        {"EightByteBits", {{"Bits", REG_BINARY, {8, 0, 0, 0, 0, 0, 0, 0}}}, Defaults},
        {"QwordTransparency", {{"Transparency", REG_QWORD, {100, 0, 0, 0, 0, 0, 0, 0}}}, Defaults},
        {"EmptyPosition", {{"Position", REG_BINARY, {}}}, Defaults},
        {"LongStringBits", {{"Bits", REG_SZ, {'1', '6', '0', '0', '0', 0}}}, Defaults},
        // Any 4-byte value is taken, whatever its type.
        {"FourByteBinaryBits",
         {{"Bits", REG_BINARY, {16, 0, 0, 0}}},
         With(ButtonWidth16, ButtonLittle, 0, 0, 255, 0, 0)},
        {"FourByteStringBits",
         {{"Bits", REG_SZ, {'a', 'b', 'c', 0}}},
         With(ButtonWidth80, ButtonLittle, 0, 0, 255, 0, 0)},
        {"FourByteStringPosition",
         {{"Position", REG_SZ, {'a', 'b', 'c', 0}}},
         With(ButtonWidth32, ButtonLittle, 0, 0, 255, 0x6261, 0x63)},
        {"AllFive",
         {Dword("Bits", 64), Dword("BigEndian", 1), Dword("OnTop", 1),
          Dword("Transparency", static_cast<uint32_t>(-51)), Dword("Position", 0x00C80064u)},
         With(ButtonWidth64, ButtonBig, 1, 1, 51, 100, 200)},
    };
    return cases;
}

class ReadSettingsCase : public RegistryTest, public ::testing::WithParamInterface<ReadCase> { };

void Store(const std::vector<Raw>& values)
{
    for (const Raw& raw : values)
        SetRawValue(raw.Name, raw.Type, raw.Bytes.data(), static_cast<DWORD>(raw.Bytes.size()));
}

TEST_P(ReadSettingsCase, FillsTheShellState)
{
    const ReadCase& c = GetParam();
    Store(c.Stored);
    ShellState = {};
    SettingsState = {};
    ReadSettings(TestKeyPath);
    EXPECT_EQ(ShellState.InitialWidthButton, c.Want.WidthButton);
    EXPECT_EQ(ShellState.InitialEndianButton, c.Want.EndianButton);
    EXPECT_EQ(ShellState.OnTop, c.Want.OnTop);
    EXPECT_EQ(ShellState.AlwaysTransparent, c.Want.Always);
    EXPECT_EQ(ShellState.Alpha, c.Want.Alpha);
    EXPECT_EQ(ShellState.SavedX, c.Want.X);
    EXPECT_EQ(ShellState.SavedY, c.Want.Y);
}

INSTANTIATE_TEST_SUITE_P(Stored, ReadSettingsCase, ::testing::ValuesIn(ReadCases()),
                         [](const auto& param) { return std::string(param.param.Name); });

using ReadSettingsTest = RegistryTest;

TEST_F(ReadSettingsTest, TransparencyIsNotReadWithoutLayeredWindows)
{
    SetDwordValue("Transparency", static_cast<uint32_t>(-100));
    OptionalUser32.SetLayeredWindowAttributes = nullptr;
    ShellState = {};
    SettingsState = {};
    ReadSettings(TestKeyPath);
    EXPECT_EQ(ShellState.Alpha, 255);
    EXPECT_EQ(ShellState.AlwaysTransparent, 0);
}

// ---- Writing -------------------------------------------------------------------

using WriteSettingsTest = RegistryTest;

struct WriteCase {
    int32_t Width;
    uint8_t BigEndian, OnTop, Always;
    int32_t Alpha, X, Y;
    uint32_t Bits, BigEndianValue, OnTopValue, Transparency, Position;
};

const WriteCase WriteCases[] = {
    // width big top always alpha  x       y       | Bits BigEndian OnTop Transparency Position
    {32, 0, 0, 0, 255, 0, 0, 32, 0, 0, 255, 0},
    {64, 1, 1, 1, 128, -20, 30, 64, 1, 1, 0xFFFFFF80u, 0x001EFFECu},
    {8, 5, 7, 0, 25, 16, -1, 8, 1, 1, 25, 0xFFFF0010u},
    {80, 0, 0, 1, 255, 40000, -32769, 80, 0, 0, 0xFFFFFF01u, 0x7FFF9C40u},  // coordinates wrap
};

TEST_F(WriteSettingsTest, WritesFiveDwordsInTheirForms)
{
    for (const WriteCase& c : WriteCases) {
        SetRawValue("Bits", REG_SZ, "xyz", 4);  // whatever was there is replaced
        ConverterState.Width = c.Width;
        ConverterState.BigEndian = c.BigEndian;
        ShellState.OnTop = c.OnTop;
        ShellState.AlwaysTransparent = c.Always;
        ShellState.Alpha = c.Alpha;
        ShellState.SavedX = c.X;
        ShellState.SavedY = c.Y;
        WriteSettings(TestKeyPath);
        const struct {
            const char* Name;
            uint32_t Value;
        } wanted[] = {{"Bits", c.Bits},
                      {"BigEndian", c.BigEndianValue},
                      {"OnTop", c.OnTopValue},
                      {"Transparency", c.Transparency},
                      {"Position", c.Position}};
        for (const auto& w : wanted) {
            char text[32];
            std::snprintf(text, sizeof text, "REG_DWORD 0x%08x", w.Value);
            EXPECT_EQ(Describe(GetRawValue(w.Name)), text) << w.Name << " for width " << c.Width;
        }
    }
}

// Settings away from every default, a position left of and above the
// primary screen among them, and the check that they were read back.
void SetUnusualSettings()
{
    ConverterState.Width = 16;
    ConverterState.BigEndian = 1;
    ShellState.SavedX = -1200;
    ShellState.SavedY = -35;
    ShellState.OnTop = 1;
    ShellState.AlwaysTransparent = 1;
    ShellState.Alpha = 76;
    PaneState.Shown = 0;
}

void ExpectUnusualSettingsRead()
{
    EXPECT_EQ(ShellState.SavedX, -1200);
    EXPECT_EQ(ShellState.SavedY, -35);
    EXPECT_EQ(ShellState.InitialWidthButton, ButtonWidth16);
    EXPECT_EQ(ShellState.InitialEndianButton, ButtonBig);
    EXPECT_EQ(ShellState.OnTop, 1);
    EXPECT_EQ(ShellState.AlwaysTransparent, 1);
    EXPECT_EQ(ShellState.Alpha, 76);
    EXPECT_EQ(PaneState.Shown, 0);
}

TEST_F(WriteSettingsTest, NegativePositionSurvivesWriteAndRead)
{
    SetUnusualSettings();
    WriteSettings(TestKeyPath);
    ShellState = {};
    SettingsState = {};
    ReadSettings(TestKeyPath);
    ExpectUnusualSettingsRead();
}

// ---- The portable settings file --------------------------------------------------

// A settings file in the temporary folder; the registry key must stay absent
// while it is in use.
class SettingsFileTest : public RegistryTest {
protected:
    char File[MAX_PATH] = {};

    void SetUp() override
    {
        RegistryTest::SetUp();
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        wsprintfA(File, "%sdexolin-settings-test.ini", folder);
        DeleteFileA(File);
    }
    void TearDown() override
    {
        EXPECT_FALSE(GetRawValue("Bits").Present)
            << "the registry was written while a settings file was named";
        DeleteFileA(File);
        RegistryTest::TearDown();
    }
    void WriteFile(const std::string& text)
    {
        HANDLE handle = CreateFileA(File, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(handle);
    }
    std::string FileValue(const char* name)
    {
        char text[64];
        GetPrivateProfileStringA("Dexolin", name, "(missing)", text, sizeof text, File);
        return text;
    }
    void ReadFromFile()
    {
        ShellState = {};
        SettingsState = {};
        lstrcpyA(SettingsState.File, File);
        ReadSettings(TestKeyPath);
    }
};

// Each registry case whose values are all REG_DWORD, written into the file
// as decimal text, must read exactly as it does from the registry.
TEST_F(SettingsFileTest, ReadsLikeTheRegistry)
{
    int compared = 0;
    for (const ReadCase& c : ReadCases()) {
        std::string text = "[Dexolin]\r\n";
        bool allDwords = true;
        for (const Raw& raw : c.Stored) {
            allDwords = allDwords && raw.Type == REG_DWORD;
            if (raw.Bytes.size() == 4) {
                int32_t value = static_cast<int32_t>(raw.Bytes[0] | raw.Bytes[1] << 8 | raw.Bytes[2] << 16 |
                                                     static_cast<uint32_t>(raw.Bytes[3]) << 24);
                text += std::string(raw.Name) + "=" + std::to_string(value) + "\r\n";
            }
        }
        if (!allDwords)
            continue;
        ++compared;
        WriteFile(text);
        ReadFromFile();
        EXPECT_EQ(ShellState.InitialWidthButton, c.Want.WidthButton) << c.Name;
        EXPECT_EQ(ShellState.InitialEndianButton, c.Want.EndianButton) << c.Name;
        EXPECT_EQ(ShellState.OnTop, c.Want.OnTop) << c.Name;
        EXPECT_EQ(ShellState.AlwaysTransparent, c.Want.Always) << c.Name;
        EXPECT_EQ(ShellState.Alpha, c.Want.Alpha) << c.Name;
        EXPECT_EQ(ShellState.SavedX, c.Want.X) << c.Name;
        EXPECT_EQ(ShellState.SavedY, c.Want.Y) << c.Name;
    }
    EXPECT_GT(compared, 20);
}

// Text that is not a 32-bit decimal number counts as a missing value, as a
// registry value of another size does: the default, unclamped.
TEST_F(SettingsFileTest, MalformedTextGivesTheDefault)
{
    const struct {
        const char* Text;
        bool Taken;
        uint32_t Value;
    } cases[] = {
        {"16", true, 16},
        {"  -5\t", true, 0xFFFFFFFBu},
        {"4294967295", true, 0xFFFFFFFFu},
        {"-2147483648", true, 0x80000000u},
        {"0000000016", true, 16},
        {"", false, 0},
        {"-", false, 0},
        {"abc", false, 0},
        {"16x", false, 0},
        {"0x10", false, 0},
        {"+16", false, 0},
        {"1 6", false, 0},
        {"4294967296", false, 0},
        {"-2147483649", false, 0},
        {"00000000016", false, 0},  // eleven digits
    };
    for (const auto& c : cases) {
        uint32_t value = 0;
        EXPECT_EQ(ParseSettingsNumber(c.Text, &value), c.Taken) << '"' << c.Text << '"';
        if (c.Taken) {
            EXPECT_EQ(value, c.Value) << '"' << c.Text << '"';
        }
        WriteFile(std::string("[Dexolin]\r\nBits=") + c.Text + "\r\nInspector=" + c.Text + "\r\n");
        SettingsKey key;
        key.UseFile(File);
        ASSERT_TRUE(key.OpenForRead(TestKeyPath));
        EXPECT_EQ(key.ReadSigned("Bits", 32, 8, 80), c.Taken ? std::min(std::max(int32_t(value), 8), 80) : 32)
            << '"' << c.Text << '"';
        EXPECT_EQ(key.ReadSigned("Inspector", 7, 0, 0), c.Taken ? int32_t(value) : 7) << '"' << c.Text << '"';
        key.Close();
    }
    // Values outside the section, or in a file without it, are not seen.
    WriteFile("Bits=16\r\n[Other]\r\nBits=8\r\n");
    ReadFromFile();
    EXPECT_EQ(ShellState.InitialWidthButton, ButtonWidth32);
}

TEST_F(SettingsFileTest, RoundTripThroughTheFile)
{
    WriteFile("; settings of a portable Dexolin\r\n[Dexolin]\r\n");
    lstrcpyA(SettingsState.File, File);
    SetUnusualSettings();
    WriteSettings(TestKeyPath);
    EXPECT_EQ(FileValue("Bits"), "16");
    EXPECT_EQ(FileValue("BigEndian"), "1");
    EXPECT_EQ(FileValue("OnTop"), "1");
    EXPECT_EQ(FileValue("Transparency"), "-76");
    EXPECT_EQ(FileValue("Position"), "4292737872");  // 0xFFDDFB50: y -35, x -1200
    EXPECT_EQ(FileValue("Inspector"), "0");
    ReadFromFile();
    ExpectUnusualSettingsRead();
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndWritesNoRegistry)
{
    ShellState = {};
    SettingsState = {};
    lstrcpyA(SettingsState.File, File);
    SettingsKey key;
    key.UseFile(File);
    EXPECT_FALSE(key.OpenForRead(TestKeyPath));
    EXPECT_EQ(key.ReadSigned("Bits", 500, 8, 80), 500);
    ReadFromFile();
    EXPECT_EQ(ShellState.InitialWidthButton, ButtonWidth32);
    EXPECT_EQ(ShellState.Alpha, 255);
}

TEST_F(SettingsFileTest, FoundOnlyBesideTheProgram)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string beside = program;
    beside = beside.substr(0, beside.rfind('\\') + 1) + "dexolin.ini";
    DeleteFileA(beside.c_str());
    FindPortableSettingsFile();
    EXPECT_STREQ(SettingsState.File, "");
    CloseHandle(CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    FindPortableSettingsFile();
    EXPECT_STREQ(SettingsState.File, beside.c_str());
    DeleteFileA(beside.c_str());
}

}  // namespace
