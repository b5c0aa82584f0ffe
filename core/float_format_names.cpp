#include "core/float_format_names.h"

#include "core/float_presets.h"
#include "core/number_text.h"

namespace {

// Longer text is no name: the longest layout, "float8_e15m63b32767fnuz",
// has 23 characters.
constexpr int NameTextCapacity = 32;

const char* const NamePrefixes[] = {"float8_", "float6_", "float4_"};

const struct {
    const char* Alias;
    const char* Name;
} FormatAliases[] = {
    {"fp16", "half"}, {"bf16", "bfloat16"}, {"fp32", "single"}, {"fp64", "double"}, {"extended", "x87"},
};

const struct {
    const char* Suffix;  // after the layout's numbers; "" for none
    SpecialValues Specials;
} LayoutConventions[] = {
    {"fnuz", SpecialValues::Fnuz},
    {"fn", SpecialValues::Fn},
    {"", SpecialValues::Ieee},
};

bool SameText(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// text's remainder after prefix, or null when it does not start with it.
const char* AfterPrefix(const char* text, const char* prefix)
{
    while (*prefix != '\0') {
        if (*text++ != *prefix++)
            return nullptr;
    }
    return text;
}

// Copies text in lower case into lower (NameTextCapacity bytes); false when
// it does not fit.
bool LowerCase(const char* text, char* lower)
{
    int n = 0;
    for (; text[n] != '\0'; ++n) {
        if (n == NameTextCapacity - 1)
            return false;
        char c = text[n];
        lower[n] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    lower[n] = '\0';
    return true;
}

const FloatFormat* PresetOfName(const char* name)
{
    for (const auto& alias : FormatAliases) {
        if (SameText(name, alias.Alias))
            name = alias.Name;
    }
    for (const FloatFormat& preset : FloatPresets) {
        if (SameText(name, preset.Name))
            return &preset;
    }
    return nullptr;
}

// Reads 1 to 5 decimal digits at *text (at most 99999, no overflow) and
// moves past them; -1 when there is no digit.
int32_t ReadNumber(const char** text)
{
    int32_t value = 0;
    int digits = 0;
    for (; **text >= '0' && **text <= '9' && digits < 5; ++*text, ++digits)
        value = value * 10 + (**text - '0');
    return digits == 0 ? -1 : value;
}

// The layout's canonical name into format.Name.
void NameLayout(FloatFormat* format, const char* suffix)
{
    char* out = format->Name;
    *out++ = 'e';
    out = WriteSignedDecimal(out, format->ExponentBits);
    *out++ = 'm';
    out = WriteSignedDecimal(out, format->FractionBits);
    if (format->Bias != DefaultBias(format->ExponentBits, format->Specials)) {
        *out++ = 'b';
        out = WriteSignedDecimal(out, format->Bias);
    }
    WriteText(out, suffix);
}

// Every value within the x87's: the smallest subnormal at least 2^-16445,
// the largest binade's exponent at most 16383 (with at most 63 fraction bits
// its largest value is then at most the x87's).
bool WithinExtendedRange(const FloatFormat& format)
{
    return SmallestSubnormalExponent(format) >= SmallestSubnormalExponent(ExtendedFormat) &&
        LargestFiniteExponent(format) <= LargestFiniteExponent(ExtendedFormat);
}

FormatNameResult ReadLayout(const char* text, FloatFormat* out)
{
    FloatFormat format;
    if (*text++ != 'e')
        return FormatNameResult::Unknown;
    int32_t exponentBits = ReadNumber(&text);
    if (exponentBits < 0 || *text++ != 'm')
        return FormatNameResult::Unknown;
    int32_t fractionBits = ReadNumber(&text);
    if (fractionBits < 0)
        return FormatNameResult::Unknown;
    int32_t bias = -1;  // the convention's default
    if (*text == 'b') {
        ++text;
        if ((bias = ReadNumber(&text)) < 0)
            return FormatNameResult::Unknown;
    }
    const char* suffix = nullptr;
    for (const auto& convention : LayoutConventions) {
        if (suffix == nullptr && SameText(text, convention.Suffix)) {
            suffix = convention.Suffix;
            format.Specials = convention.Specials;
        }
    }
    if (suffix == nullptr)
        return FormatNameResult::Unknown;
    if (exponentBits < 2 || exponentBits > 15)
        return FormatNameResult::ExponentBits;
    if (fractionBits < 1 || fractionBits > 63)
        return FormatNameResult::FractionBits;
    if (bias > 32767)
        return FormatNameResult::Bias;
    format.ExponentBits = exponentBits;
    format.FractionBits = fractionBits;
    format.Bias = bias >= 0 ? bias : DefaultBias(exponentBits, format.Specials);
    if (!WithinExtendedRange(format))
        return FormatNameResult::Range;
    NameLayout(&format, suffix);
    *out = format;
    return FormatNameResult::Ok;
}

}  // namespace

FormatNameResult ReadFormatName(const char* text, FloatFormat* out)
{
    char lower[NameTextCapacity];
    if (!LowerCase(text, lower))
        return FormatNameResult::Unknown;
    const char* name = lower;
    for (const char* prefix : NamePrefixes) {
        if (const char* rest = AfterPrefix(lower, prefix))
            name = rest;
    }
    if (const FloatFormat* preset = PresetOfName(name)) {
        *out = *preset;
        return FormatNameResult::Ok;
    }
    return ReadLayout(name, out);
}

const char* FormatNameProblem(FormatNameResult result)
{
    switch (result) {
    case FormatNameResult::Ok: return "";
    case FormatNameResult::Unknown: return "unknown format";
    case FormatNameResult::ExponentBits: return "exponent bits must be 2 to 15";
    case FormatNameResult::FractionBits: return "fraction bits must be 1 to 63";
    case FormatNameResult::Bias: return "bias must be 0 to 32767";
    case FormatNameResult::Range: return "values beyond the x87 range";
    }
    return "";
}

bool FormatFitsWidth(const FloatFormat& format, int width)
{
    return SpanBits(format) <= width;
}

char* WriteWidthProblem(char* out, const FloatFormat& format)
{
    out = WriteText(out, format.Name);
    out = WriteText(out, " needs ");
    out = WriteSignedDecimal(out, WidthHolding(format));
    return WriteText(out, " bits");
}
