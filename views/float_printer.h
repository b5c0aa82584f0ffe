#pragma once
#include <cstdint>

// Decimal text of a single, double or extended value (4, 8 or 10 bytes): the
// stored value to about twenty significant digits, positional when that fits
// the budget, scientific otherwise; subnormals by integer arithmetic;
// infinities and NaNs as the words the float parser reads back.

// The integer part of 10^4932 / 2^16324 (969060253600051052): brings the
// smallest extended exponents up to where the scaling powers of ten stay
// normal.
constexpr int64_t TinyScale = 0x0D72CB2A95C7EF6C;

// The float field's text limit and the budget every caller passes: the
// longest positional text the printer writes for a double, "1e27" as
// '1000000000000000013200000000', just fits.
constexpr int32_t FloatTextBudget = 28;

// Writes the text of the value and a NUL at out and returns the NUL's
// position. The floating-point control word is the caller's again on return.
// Length: at most max(budget, 27) characters for the sizes 4, 8 and 10, so at
// most FloatTextBudget with that budget (FloatTextBudget + 1 bytes); for any
// other size the message "PrintFloat - Invalid 'size' (N)", at most 33
// characters.
char* PrintFloat(char* out, const uint8_t* value, uint8_t size, int32_t budget);
