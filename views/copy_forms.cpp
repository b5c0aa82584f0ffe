#include "views/copy_forms.h"

#include <cstring>

#include "core/float_presets.h"
#include "core/number_text.h"
#include "views/float_readings.h"

namespace {

// The formats C has a literal for, with the suffix that gives the literal
// its type. A layout typed by hand is not one of them even with the same
// numbers: its name says it was meant as a layout.
struct CType {
    const FloatFormat& Format;
    const char* Suffix;
};

const CType CTypes[] = {
    {SingleFormat, "f"},
    {DoubleFormat, ""},
    {ExtendedFormat, "L"},
};

const CType* CTypeOf(const FloatFormat& format)
{
    for (const CType& type : CTypes) {
        if (SameFormat(type.Format, format))
            return &type;
    }
    return nullptr;
}

// The decimal exponents written without an exponent: from 0.0001 up to the
// integers of 16 digits, which read as people write such numbers.
constexpr int PositionalLow = -4;
constexpr int PositionalHigh = 15;

// Rewrites the shortest reading ("[-]D.DDDe[-]N", "0" or "-0") in C's
// syntax without the suffix; returns the NUL's position.
char* WriteCDecimal(char* out, const char* shortest)
{
    if (*shortest == '-')
        *out++ = *shortest++;
    // 21 digits at most: the x87's shortest; 24 leave room.
    char digits[24];
    int count = 0;
    for (; *shortest != '\0' && *shortest != 'e'; ++shortest) {
        if (*shortest != '.' && count < static_cast<int>(sizeof digits))
            digits[count++] = *shortest;
    }
    int exponent = 0;
    if (*shortest == 'e') {
        bool negative = *++shortest == '-';
        for (shortest += negative ? 1 : 0; *shortest != '\0'; ++shortest)
            exponent = exponent * 10 + (*shortest - '0');
        exponent = negative ? -exponent : exponent;
    }
    if (exponent < PositionalLow || exponent > PositionalHigh) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            std::memcpy(out, digits + 1, static_cast<size_t>(count - 1));
            out += count - 1;
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        return WriteUnsignedDecimal(out, static_cast<uint64_t>(exponent < 0 ? -exponent : exponent), 1);
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i)
            *out++ = '0';
        std::memcpy(out, digits, static_cast<size_t>(count));
        out += count;
    } else {
        for (int i = 0; i <= exponent; ++i)
            *out++ = i < count ? digits[i] : '0';
        *out++ = '.';
        if (count <= exponent + 1)
            *out++ = '0';
        for (int i = exponent + 1; i < count; ++i)
            *out++ = digits[i];
    }
    *out = '\0';
    return out;
}

using FormWriter = char* (*)(char* out, const FloatFormat& format, const uint8_t* value, int32_t width);

char* WriteHexForm(char* out, const FloatFormat&, const uint8_t* value, int32_t width)
{
    *out++ = '0';
    *out++ = 'x';
    return WriteHexBytes(out, value, width / 8);
}

char* WriteLiteralForm(char* out, const FloatFormat& format, const uint8_t* value, int32_t width)
{
    const CType* type = CTypeOf(format);
    if (type == nullptr)
        return WriteHexForm(out, format, value, width);
    bool negative = ReadSignBit(format, value);
    switch (ClassifyEncoding(format, value)) {
    case EncodingClass::Zero:
    case EncodingClass::Subnormal:
    case EncodingClass::Normal: {
        char shortest[32];  // every reading but the exact one fits (views/float_readings.h)
        WriteFormatReading(shortest, Reading::Shortest, format, value, width);
        return WriteText(WriteCDecimal(out, shortest), type->Suffix);
    }
    case EncodingClass::Infinity: return WriteText(out, negative ? "-INFINITY" : "INFINITY");
    case EncodingClass::Indefinite: return WriteText(out, negative ? "-NAN" : "NAN");
    default: return WriteHexForm(out, format, value, width);
    }
}

char* WriteHexFloatForm(char* out, const FloatFormat& format, const uint8_t* value, int32_t width)
{
    char* start = out;
    out = WriteFormatReading(out, Reading::HexFloat, format, value, width);
    // Only a number takes the suffix; the words of the infinities and NaNs
    // are no C at all.
    const CType* type = CTypeOf(format);
    bool number = std::strncmp(start + (*start == '-' ? 1 : 0), "0x", 2) == 0;
    return type != nullptr && number ? WriteText(out, type->Suffix) : out;
}

char* WriteBytesForm(char* out, const FloatFormat& format, const uint8_t* value, int32_t width)
{
    return WriteFormatReading(out, Reading::Bytes, format, value, width);
}

char* WriteBytesBigEndianForm(char* out, const FloatFormat& format, const uint8_t* value, int32_t width)
{
    return WriteFormatReading(out, Reading::BytesBigEndian, format, value, width);
}

char* WriteArrayForm(char* out, const FloatFormat&, const uint8_t* value, int32_t width)
{
    *out++ = '{';
    for (int i = 0; i < width / 8; ++i) {
        out = WriteText(out, i > 0 ? ", 0x" : "0x");
        out = WriteHexBytes(out, value + i, 1);
    }
    return WriteText(out, "}");
}

// One row per form, in the order of CopyForm.
const struct {
    CopyForm Form;
    const char* Name;
    FormWriter Write;
} FormTable[] = {
    {CopyForm::Hex, "hex", WriteHexForm},
    {CopyForm::Literal, "literal", WriteLiteralForm},
    {CopyForm::HexFloat, "hexfloat", WriteHexFloatForm},
    {CopyForm::Bytes, "bytes", WriteBytesForm},
    {CopyForm::BytesBigEndian, "bytes-be", WriteBytesBigEndianForm},
    {CopyForm::Array, "array", WriteArrayForm},
};
static_assert(sizeof FormTable / sizeof FormTable[0] == CopyFormCount);

}  // namespace

const char* CopyFormName(CopyForm form)
{
    return FormTable[static_cast<int>(form)].Name;
}

bool CopyFormNamed(const char* name, CopyForm* form)
{
    for (const auto& row : FormTable) {
        if (std::strcmp(row.Name, name) == 0) {
            *form = row.Form;
            return true;
        }
    }
    return false;
}

char* WriteCopyForm(char* out, CopyForm form, const FloatFormat& format, const uint8_t* value, int32_t width)
{
    return FormTable[static_cast<int>(form)].Write(out, format, value, width);
}
