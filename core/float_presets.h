#pragma once
#include <string_view>

#include "core/float_format.h"

// The formats known by name, each by its defining numbers, and the format
// each width reads by default.

inline constexpr FloatFormat FloatPresets[] = {
    // Narrow formats of machine-learning hardware; the 4- and 6-bit ones
    // have no NaN, every encoding is a number.
    {.Name = "e2m1fn",
     .HasSign = true,
     .ExponentBits = 2,
     .FractionBits = 1,
     .Bias = 1,
     .Specials = SpecialValues::Fn},
    {.Name = "e2m3fn",
     .HasSign = true,
     .ExponentBits = 2,
     .FractionBits = 3,
     .Bias = 1,
     .Specials = SpecialValues::Fn},
    {.Name = "e3m2fn",
     .HasSign = true,
     .ExponentBits = 3,
     .FractionBits = 2,
     .Bias = 3,
     .Specials = SpecialValues::Fn},
    {.Name = "e4m3fn",
     .HasSign = true,
     .ExponentBits = 4,
     .FractionBits = 3,
     .Bias = 7,
     .Specials = SpecialValues::Fn},
    {.Name = "e4m3fnuz",
     .HasSign = true,
     .ExponentBits = 4,
     .FractionBits = 3,
     .Bias = 8,
     .Specials = SpecialValues::Fnuz},
    {.Name = "e4m3b11fnuz",
     .HasSign = true,
     .ExponentBits = 4,
     .FractionBits = 3,
     .Bias = 11,
     .Specials = SpecialValues::Fnuz},
    {.Name = "e4m3",
     .HasSign = true,
     .ExponentBits = 4,
     .FractionBits = 3,
     .Bias = 7,
     .Specials = SpecialValues::Ieee},
    {.Name = "e3m4",
     .HasSign = true,
     .ExponentBits = 3,
     .FractionBits = 4,
     .Bias = 3,
     .Specials = SpecialValues::Ieee},
    {.Name = "e5m2",
     .HasSign = true,
     .ExponentBits = 5,
     .FractionBits = 2,
     .Bias = 15,
     .Specials = SpecialValues::Ieee},
    {.Name = "e5m2fnuz",
     .HasSign = true,
     .ExponentBits = 5,
     .FractionBits = 2,
     .Bias = 16,
     .Specials = SpecialValues::Fnuz},
    // IEEE 754 binary16, and the top half of a single.
    {.Name = "half",
     .HasSign = true,
     .ExponentBits = 5,
     .FractionBits = 10,
     .Bias = 15,
     .Specials = SpecialValues::Ieee},
    {.Name = "bfloat16",
     .HasSign = true,
     .ExponentBits = 8,
     .FractionBits = 7,
     .Bias = 127,
     .Specials = SpecialValues::Ieee},
    // A single whose low 13 fraction bits are not used.
    {.Name = "tf32",
     .HasSign = true,
     .ExponentBits = 8,
     .FractionBits = 10,
     .Bias = 127,
     .Specials = SpecialValues::Ieee,
     .PaddingBits = 13},
    // The float fields' formats.
    {.Name = "single",
     .HasSign = true,
     .ExponentBits = 8,
     .FractionBits = 23,
     .Bias = 127,
     .Specials = SpecialValues::Ieee},
    {.Name = "double",
     .HasSign = true,
     .ExponentBits = 11,
     .FractionBits = 52,
     .Bias = 1023,
     .Specials = SpecialValues::Ieee},
    {.Name = "x87",
     .HasSign = true,
     .ExponentBits = 15,
     .FractionBits = 63,
     .ExplicitIntegerBit = true,
     .Bias = 16383,
     .Specials = SpecialValues::X87},
};

constexpr int FloatPresetCount = sizeof FloatPresets / sizeof FloatPresets[0];

// The preset of that canonical name, at compile time: for any other name the
// index past the table stops the build.
consteval const FloatFormat& PresetNamed(std::string_view name)
{
    int i = 0;
    while (i < FloatPresetCount && name != FloatPresets[i].Name)
        ++i;
    return FloatPresets[i];
}

inline constexpr const FloatFormat& HalfFormat = PresetNamed("half");
inline constexpr const FloatFormat& Bfloat16Format = PresetNamed("bfloat16");
inline constexpr const FloatFormat& SingleFormat = PresetNamed("single");
inline constexpr const FloatFormat& DoubleFormat = PresetNamed("double");
inline constexpr const FloatFormat& ExtendedFormat = PresetNamed("x87");

// The format each width reads unless another is chosen.
struct WidthDefaultFormat {
    int Width;
    const FloatFormat& Format;
};
inline constexpr WidthDefaultFormat WidthDefaultFormats[] = {
    {8, PresetNamed("e4m3fn")}, {16, HalfFormat},     {32, SingleFormat},
    {64, DoubleFormat},         {80, ExtendedFormat},
};

// The default format of a width (8, 16, 32, 64 or 80); null for any other.
constexpr const FloatFormat* DefaultFormatOf(int width)
{
    for (const WidthDefaultFormat& row : WidthDefaultFormats) {
        if (row.Width == width)
            return &row.Format;
    }
    return nullptr;
}

// Each preset fits the widths it is offered at, and every derived limit
// stays inside what the unpacking keeps (a 64-bit significand).
static_assert(SpanBits(PresetNamed("tf32")) == 32 && FormatBits(PresetNamed("tf32")) == 19);
static_assert(SpanBits(ExtendedFormat) == 80 && IntegerBitPosition(ExtendedFormat) == 63);
static_assert(SignPosition(DoubleFormat) == 63 && ExponentPosition(SingleFormat) == 23);
static_assert(!HasNaN(PresetNamed("e3m2fn")) && HasNaN(PresetNamed("e4m3fn")));
