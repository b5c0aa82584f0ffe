// The copy forms: every form of the telling values of every preset, checked
// against texts made another way; and the C literals compiled by the C++
// compiler, whose program prints the bytes it got.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/float_presets.h"
#include "tests/test_support.h"
#include "views/copy_forms.h"

namespace {

std::string FormOf(CopyForm form, const FloatFormat& format, const uint8_t* value, int width)
{
    char text[CopyFormCapacity];
    char* end = WriteCopyForm(text, form, format, value, width);
    EXPECT_LT(end - text, CopyFormCapacity);
    EXPECT_EQ(std::strlen(text), static_cast<size_t>(end - text));
    return text;
}

// The bytes of the width as printf writes them, in the order given.
std::string PrintedBytes(const uint8_t* value, int width, bool bigEndian, const char* separator,
                         const char* prefix)
{
    std::string text;
    int count = width / 8;
    for (int i = 0; i < count; ++i) {
        char pair[8];
        std::snprintf(pair, sizeof pair, "%s%s%02X", i > 0 ? separator : "", prefix,
                      value[bigEndian ? count - 1 - i : i]);
        text += pair;
    }
    return text;
}

// A value of a format built from its fields, and what it is.
struct Sample {
    const char* what;
    uint8_t value[10];
    bool finite;
    long double number;  // its value when finite
};

Sample Build(const FloatFormat& f, const char* what, bool negative, uint16_t exponent, uint64_t fraction,
             bool finite)
{
    Sample s{what, {}, finite, 0};
    WriteSignBit(f, s.value, negative);
    WriteBiasedExponent(f, s.value, exponent);
    WriteFraction(f, s.value, fraction);
    WriteIntegerBit(f, s.value, exponent != 0);
    if (finite) {
        // Subnormals scale the fraction alone; normals put the integer bit
        // above it.
        long double significand = static_cast<long double>(fraction);
        if (exponent != 0)
            significand += std::ldexp(1.0L, f.FractionBits);
        int scale = (exponent != 0 ? exponent : 1) - f.Bias - f.FractionBits;
        s.number = std::ldexp(negative ? -significand : significand, scale);
    }
    return s;
}

// Zeros, the smallest subnormal, the largest finite value, the infinity and
// a NaN, as far as the format has them.
std::vector<Sample> SamplesOf(const FloatFormat& f)
{
    std::vector<Sample> samples = {
        Build(f, "zero", false, 0, 0, true),
        Build(f, "smallest subnormal", false, 0, 1, true),
        Build(f, "largest finite", false, LargestFiniteField(f), LargestFiniteFraction(f), true),
        Build(f, "one", false, static_cast<uint16_t>(f.Bias), 0, true),
    };
    if (HasNegativeZero(f))
        samples.push_back(Build(f, "negative zero", true, 0, 0, true));
    if (HasInfinity(f))
        samples.push_back(Build(f, "negative infinity", true, AllOnesExponent(f), 0, false));
    if (HasNaN(f) && f.Specials == SpecialValues::Fnuz)
        samples.push_back(Build(f, "NaN", true, 0, 0, false));
    else if (HasNaN(f) && f.Specials == SpecialValues::Fn)
        samples.push_back(Build(f, "NaN", false, AllOnesExponent(f), FractionMask(f), false));
    else if (HasNaN(f))
        samples.push_back(Build(f, "NaN", false, AllOnesExponent(f), QuietBitOf(f) | 1, false));
    return samples;
}

bool HasCType(const FloatFormat& f)
{
    return &f == &SingleFormat || &f == &DoubleFormat || &f == &ExtendedFormat;
}

TEST(CopyForms, EveryFormOfEveryPresetAtItsWidth)
{
    for (const FloatFormat& f : FloatPresets) {
        int width = WidthHolding(f);
        for (const Sample& s : SamplesOf(f)) {
            SCOPED_TRACE(std::string(f.Name) + " " + s.what + " " + HexImage(s.value, width / 8));
            std::string hex = "0x" + PrintedBytes(s.value, width, true, "", "");
            EXPECT_EQ(FormOf(CopyForm::Hex, f, s.value, width), hex);
            EXPECT_EQ(FormOf(CopyForm::Bytes, f, s.value, width),
                      PrintedBytes(s.value, width, false, " ", ""));
            EXPECT_EQ(FormOf(CopyForm::BytesBigEndian, f, s.value, width),
                      PrintedBytes(s.value, width, true, " ", ""));
            EXPECT_EQ(FormOf(CopyForm::Array, f, s.value, width),
                      "{" + PrintedBytes(s.value, width, false, ", ", "0x") + "}");
            // C has no literal for the other formats (the compiled test
            // covers those that have one).
            if (!HasCType(f)) {
                EXPECT_EQ(FormOf(CopyForm::Literal, f, s.value, width), hex);
            }
            // The hexfloat form of a number reads back, suffix and all, as
            // the value made from its fields.
#if !defined(_WIN32)  // the Windows C library reads no hexadecimal long double
            if (s.finite) {
                std::string hexfloat = FormOf(CopyForm::HexFloat, f, s.value, width);
                char* end = nullptr;
                long double back = std::strtold(hexfloat.c_str(), &end);
                EXPECT_TRUE(*end == '\0' || std::strcmp(end, "f") == 0 || std::strcmp(end, "L") == 0)
                    << hexfloat;
                EXPECT_EQ(back, s.number) << hexfloat;
                EXPECT_EQ(std::signbit(back), std::signbit(s.number)) << hexfloat;
            }
#endif
        }
    }
}

TEST(CopyForms, SuffixesAndWords)
{
    const struct {
        const FloatFormat& format;
        int width;
        const char* bits;
        CopyForm form;
        const char* expected;
    } cases[] = {
        // format, width, bits, form, text
        {SingleFormat, 32, "3DCCCCCD", CopyForm::Literal, "0.1f"},
        {SingleFormat, 32, "3DCCCCCD", CopyForm::HexFloat, "0x1.99999ap-4f"},
        {SingleFormat, 32, "3F800000", CopyForm::Literal, "1.0f"},
        {SingleFormat, 32, "00000001", CopyForm::Literal, "1e-45f"},
        {SingleFormat, 32, "7F7FFFFF", CopyForm::Literal, "3.4028235e+38f"},
        {SingleFormat, 32, "FF800000", CopyForm::Literal, "-INFINITY"},
        {SingleFormat, 32, "FF800000", CopyForm::HexFloat, "-1.INF"},
        {SingleFormat, 32, "7FC00000", CopyForm::Literal, "NAN"},
        {SingleFormat, 32, "7FC00001", CopyForm::Literal, "0x7FC00001"},
        {DoubleFormat, 64, "3FB999999999999A", CopyForm::Literal, "0.1"},
        {DoubleFormat, 64, "FFF8000000000000", CopyForm::Literal, "-NAN"},
        {DoubleFormat, 64, "4341C37937E08000", CopyForm::Literal, "1e+16"},
        {DoubleFormat, 64, "4331C37937E08000", CopyForm::Literal, "5000000000000000.0"},
        {DoubleFormat, 64, "3F1A36E2EB1C432D", CopyForm::Literal, "0.0001"},
        {DoubleFormat, 64, "3EE4F8B588E368F1", CopyForm::Literal, "1e-5"},
        {ExtendedFormat, 80, "3FFF8000000000000000", CopyForm::Literal, "1.0L"},
        {ExtendedFormat, 80, "3FFF8000000000000000", CopyForm::HexFloat, "0x1p+0L"},
        {ExtendedFormat, 80, "3FFF0000000000000000", CopyForm::Literal, "0x3FFF0000000000000000"},
        {ExtendedFormat, 80, "FFFFC000000000000000", CopyForm::Literal, "-NAN"},
        {HalfFormat, 16, "3C00", CopyForm::Literal, "0x3C00"},
        {HalfFormat, 16, "3C00", CopyForm::HexFloat, "0x1p+0"},
    };
    for (const auto& c : cases) {
        uint8_t value[10];
        BytesFromHex(c.bits, value, 10);
        EXPECT_EQ(FormOf(c.form, c.format, value, c.width), c.expected)
            << c.format.Name << " " << c.bits << " " << CopyFormName(c.form);
    }
}

TEST(CopyForms, NamesReadBack)
{
    for (CopyForm form : CopyForms) {
        CopyForm back = CopyForm::Array;
        EXPECT_TRUE(CopyFormNamed(CopyFormName(form), &back)) << CopyFormName(form);
        EXPECT_EQ(back, form);
    }
    CopyForm none;
    EXPECT_FALSE(CopyFormNamed("readings", &none));
    EXPECT_FALSE(CopyFormNamed("HEX", &none));
}

// ---- The literals, compiled ----

// With the system's C++ compiler, which the Windows builds' tests lack.
#if !defined(_WIN32)

// A C type of the compiled program: its format, width and name.
struct CompiledType {
    const FloatFormat& format;
    int width;
    const char* name;
};

const CompiledType CompiledTypes[] = {
    {SingleFormat, 32, "float"},
    {DoubleFormat, 64, "double"},
    {ExtendedFormat, 80, "long double"},  // the x87 format on x86-64 Linux
};

// Random finite values of the format: any exponent, and exponents near zero,
// where the literal is written without an exponent.
void AddRandomNormals(const FloatFormat& f, std::vector<Sample>* samples)
{
    std::mt19937_64 random(20260421);
    for (int i = 0; i < 200; ++i) {
        uint16_t exponent = i % 2 == 0 ? static_cast<uint16_t>(1 + random() % LargestFiniteField(f))
                                       : static_cast<uint16_t>(f.Bias - 20 + static_cast<int>(random() % 80));
        samples->push_back(
            Build(f, "random", (random() & 1) != 0, exponent, random() & FractionMask(f), true));
    }
}

std::vector<Sample> CompiledSamples(const FloatFormat& f)
{
    std::vector<Sample> samples = SamplesOf(f);
    samples.push_back(Build(f, "largest subnormal", true, 0, FractionMask(f), true));
    samples.push_back(Build(f, "smallest normal", false, 1, 0, true));
    samples.push_back(Build(f, "infinity", false, AllOnesExponent(f), 0, false));
    samples.push_back(Build(f, "quiet NaN", false, AllOnesExponent(f), QuietBitOf(f), false));
    samples.push_back(Build(f, "negative quiet NaN", true, AllOnesExponent(f), QuietBitOf(f), false));
    AddRandomNormals(f, &samples);
    return samples;
}

// Compiles source with the system's C++ compiler in a fresh directory, runs
// it and returns what it prints; empty when either fails.
std::string CompileAndRun(const std::string& source)
{
    char directory[] = "/tmp/dexolin-literals-XXXXXX";
    if (mkdtemp(directory) == nullptr)
        return "";
    std::string base = directory;
    FILE* file = std::fopen((base + "/literals.cpp").c_str(), "w");
    if (file == nullptr)
        return "";
    std::fputs(source.c_str(), file);
    std::fclose(file);
    std::string command =
        "g++ -std=c++20 -w -o " + base + "/literals " + base + "/literals.cpp && " + base + "/literals";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        if (pclose(pipe) != 0)
            output.clear();
    }
    std::system(("rm -rf " + base).c_str());
    return output;
}

TEST(CopyForms, LiteralsAndHexFloatsCompileToTheSameBits)
{
    std::string source = "#include <cmath>\n#include <cstdio>\n#include <cstring>\n"
                         "template <class T> void Put(T v, int n) {\n"
                         "  unsigned char b[sizeof v]; std::memcpy(b, &v, sizeof v);\n"
                         "  for (int i = n - 1; i >= 0; --i) std::printf(\"%02X\", b[i]);\n"
                         "  std::printf(\"\\n\");\n}\nint main() {\n";
    std::string expected;
    int count = 0;
    for (const CompiledType& type : CompiledTypes) {
        for (const Sample& s : CompiledSamples(type.format)) {
            std::string bits = HexImage(s.value, type.width / 8);
            // Each literal in its own declaration, so that the compiler
            // rounds it to the type as a program's literal is.
            std::string literal = FormOf(CopyForm::Literal, type.format, s.value, type.width);
            // A NaN with a payload has no literal: its bits are copied.
            if (literal == "0x" + bits)
                continue;
            source += "  { " + std::string(type.name) + " v = " + literal + "; Put(v, " +
                std::to_string(type.width / 8) + "); }\n";
            expected += bits + "\n";
            if (s.finite) {
                std::string hexfloat = FormOf(CopyForm::HexFloat, type.format, s.value, type.width);
                source += "  { " + std::string(type.name) + " v = " + hexfloat + "; Put(v, " +
                    std::to_string(type.width / 8) + "); }\n";
                expected += bits + "\n";
            }
            ++count;
        }
    }
    source += "}\n";
    ASSERT_GT(count, 600);  // 200 random values per type and the corners
    std::string printed = CompileAndRun(source);
    ASSERT_FALSE(printed.empty()) << "the program did not compile or run:\n" << source;
    // Line by line, so that a mismatch names its literal.
    size_t at = 0, atExpected = 0;
    while (atExpected < expected.size()) {
        size_t end = printed.find('\n', at), endExpected = expected.find('\n', atExpected);
        ASSERT_NE(end, std::string::npos) << "output ends early";
        EXPECT_EQ(printed.substr(at, end - at), expected.substr(atExpected, endExpected - atExpected));
        at = end + 1;
        atExpected = endExpected + 1;
    }
    EXPECT_EQ(at, printed.size());
}

#endif

}  // namespace
