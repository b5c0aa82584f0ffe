#include "core/x87_arith.h"

#include <bit>
#include <cstring>

#include "core/float_format.h"
#include "core/float_presets.h"
#include "core/little_endian.h"

// The x87 arithmetic and its control word; the narrowing stores to double
// and single precision are the only other inline assembly (core/x87_narrow),
// and they set the control word through this unit. g++ gives `long double` the 80-bit
// extended format on every target we build (x86-64 Linux, MinGW-w64 i686 and
// x86_64), and its first 10 bytes are the value's image. Every operation runs
// in inline assembly marked volatile: the compiler can neither fold it at
// build time (under its own rounding assumptions) nor move it across the
// control-word changes.

namespace {

constexpr uint16_t PrecisionRoundingMask = 0xF0FF;  // clears PC (bits 8-9) and RC (10-11)
constexpr uint16_t PrecisionExtended = 0x0300;  // PC = 3: 64-bit significand
constexpr uint16_t RoundingMask = 0xF3FF;  // clears RC only
constexpr uint16_t RoundingDown = 0x0400;  // RC = 1: toward minus infinity

long double ToLongDouble(Extended80 value)
{
    uint8_t bytes[sizeof(long double)] = {};
    X87StoreBytes(value, bytes);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

Extended80 FromLongDouble(long double x)
{
    uint8_t bytes[sizeof(long double)];
    std::memcpy(bytes, &x, sizeof x);
    return X87LoadBytes(bytes);
}

uint16_t ReadControl()
{
    uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

void WriteControl(uint16_t word)
{
    asm volatile("fldcw %0" : : "m"(word) : "memory");
}

}  // namespace

uint16_t X87EnterExtendedNearest()
{
    uint16_t saved = ReadControl();
    WriteControl(static_cast<uint16_t>((saved & PrecisionRoundingMask) | PrecisionExtended));
    return saved;
}

void X87RestoreControl(uint16_t saved)
{
    WriteControl(saved);
}

uint16_t X87ReadControl()
{
    return ReadControl();
}

Extended80 X87Multiply(Extended80 a, Extended80 b)
{
    long double x = ToLongDouble(a);
    long double y = ToLongDouble(b);
    long double r;
    asm volatile("fmul %%st(1), %%st" : "=t"(r) : "0"(x), "u"(y));
    return FromLongDouble(r);
}

Extended80 X87Divide(Extended80 a, Extended80 b)
{
    long double x = ToLongDouble(a);
    long double y = ToLongDouble(b);
    long double r;
    // st(0) <- st(0) / st(1): the form whose operand order AT&T syntax
    // leaves alone.
    asm volatile("fdiv %%st(1), %%st" : "=t"(r) : "0"(x), "u"(y));
    return FromLongDouble(r);
}

Extended80 X87Subtract(Extended80 a, Extended80 b)
{
    long double x = ToLongDouble(a);
    long double y = ToLongDouble(b);
    long double r;
    asm volatile("fsub %%st(1), %%st" : "=t"(r) : "0"(x), "u"(y));
    return FromLongDouble(r);
}

Extended80 X87Log10(Extended80 x)
{
    long double v = ToLongDouble(x);
    long double lg2;
    asm volatile("fldlg2" : "=t"(lg2));
    long double r;
    // fyl2x: st(1) * log2(st(0)), popping one register.
    asm volatile("fyl2x" : "=t"(r) : "0"(v), "u"(lg2) : "st(1)");
    return FromLongDouble(r);
}

int32_t X87FloorToInt32(Extended80 x)
{
    long double v = ToLongDouble(x);
    uint16_t saved = ReadControl();
    uint16_t down = static_cast<uint16_t>((saved & RoundingMask) | RoundingDown);
    int32_t result;
    asm volatile("fldcw %1\n\t"
                 "fistpl %0\n\t"
                 "fldcw %2"
                 : "=m"(result)
                 : "m"(down), "m"(saved), "t"(v)
                 : "st", "memory");
    return result;
}

int64_t X87FloorToInt64(Extended80 x)
{
    long double v = ToLongDouble(x);
    uint16_t saved = ReadControl();
    uint16_t down = static_cast<uint16_t>((saved & RoundingMask) | RoundingDown);
    int64_t result;
    asm volatile("fldcw %1\n\t"
                 "fistpll %0\n\t"
                 "fldcw %2"
                 : "=m"(result)
                 : "m"(down), "m"(saved), "t"(v)
                 : "st", "memory");
    return result;
}

Extended80 X87FromUnsigned64(uint64_t value)
{
    // Normalised by shifting in integer arithmetic: exact for all 2^64
    // values, which a signed integer load would not be.
    if (value == 0)
        return Extended80{0, 0};
    int shift = std::countl_zero(value);
    return Extended80{value << shift, static_cast<uint16_t>(ExtendedFormat.Bias + 63 - shift)};
}

Extended80 X87LoadBytes(const uint8_t* bytes)
{
    return Extended80{LoadLittle(bytes, 8), static_cast<uint16_t>(LoadLittle(bytes + 8, 2))};
}

void X87StoreBytes(Extended80 value, uint8_t* bytes)
{
    StoreLittle(bytes, value.Significand, 8);
    StoreLittle(bytes + 8, value.SignExponent, 2);
}
