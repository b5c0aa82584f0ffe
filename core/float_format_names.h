#pragma once
#include <cstdint>

#include "core/float_format.h"

// Formats by name, as people type them: the presets' canonical names
// (core/float_presets.h) and a few aliases, read without regard to case and
// with an optional "float8_", "float6_" or "float4_" in front, and layouts
// of one's own, e<X>m<Y>[b<BIAS>][fn|fnuz]: X exponent bits (2 to 15), Y
// fraction bits (1 to 63), the bias (0 to 32767; by default 2^(X-1) - 1, or
// 2^(X-1) for fnuz) and the convention (ieee when none is named). A preset's
// name always means the preset. A layout is refused when any of its values
// lies beyond the x87's range (below its smallest subnormal or above its
// largest finite value): every reading's exact arithmetic is sized for those.

enum class FormatNameResult : uint8_t {
    Ok,
    Unknown,  // neither a name nor a layout
    ExponentBits,  // X outside 2 to 15
    FractionBits,  // Y outside 1 to 63
    Bias,  // above 32767
    Range,  // values beyond the x87's
};

// Reads text (NUL-terminated) into *out, its canonical name included: a
// preset's own name, or "e<X>m<Y>", "b<BIAS>" when the bias is not the
// default, and "fn" or "fnuz". *out is unchanged unless the result is Ok.
FormatNameResult ReadFormatName(const char* text, FloatFormat* out);

// A few words for a refusal ("unknown format", "exponent bits must be 2 to
// 15", ...); empty for Ok.
const char* FormatNameProblem(FormatNameResult result);

// Whether the format and its padding fit the width.
bool FormatFitsWidth(const FloatFormat& format, int width);

// The refusal of a format too wide for the width: "<name> needs <N> bits",
// N the narrowest width that holds it. At most FormatNameCapacity - 1 + 14
// characters and a NUL; returns the NUL's position.
char* WriteWidthProblem(char* out, const FloatFormat& format);
