#pragma once
#include <cstdint>

// Exact and shortest decimal text of a binary floating-point value, for the
// readings. Both take the value as m * 2^q, so every format (half, bfloat16,
// single, double, extended) goes through the same exact integer arithmetic.
// No floating-point operation is involved.

struct BinaryValue {
    bool Negative;
    uint64_t Significand;  // m; 0 writes "0" or "-0"
    int32_t Exponent;  // q: the value is m * 2^q
    // The gap to the next smaller value is half the gap to the next larger
    // one: m is the format's smallest normal significand and the exponent
    // field is above 1 (at the smallest normal exponent the subnormals below
    // keep the spacing).
    bool NarrowBelow;
};

// Both forms are '[-]D.DDDe[-]N': the first significant digit, a point and
// the further significant digits when there are any (no trailing zeros),
// 'e' and the decimal exponent.

// Every significant digit: at most 11,514 (the extended format's largest
// subnormals and smallest normals, m * 5^16445 with m < 2^64), then a sign, a
// point, "e-4951" at the longest, and the NUL.
constexpr int FloatDecimalDigits = 11514;
constexpr int FloatDecimalCapacity = 1 + FloatDecimalDigits + 1 + 6 + 1;
char* WriteExactDecimal(char* out, const BinaryValue& value);

// The fewest significant digits that round back to m * 2^q in the value's
// format under round-to-nearest-even; among several, the one nearest the
// value, and of two equally near the one with the even last digit. The
// rounding interval reaches half the gap to each neighbour; its ends belong
// to it when m is even. In five steps: interval, scale, search, round, print.
// Contracts: m < 2^64 and m * 2^(q-2) * 4 within the DecimalBig capacity
// (every value of the five formats); the search finds the digits within 23
// (asserted). At most 21 digits (a 64-bit significand), a sign, a point and
// "e-4951": 31 bytes with the NUL.
char* WriteShortestDecimal(char* out, const BinaryValue& value);
