#pragma once
#include <cstdint>

#include "core/x87_arith.h"

// 10^n as an extended value, from two constant tables multiplied in a fixed
// order (so its last bits are exactly reproducible). Runs under the caller's
// control word, which must be 64-bit precision, round to nearest.
// n > 4932 gives +infinity, n < -4932 gives +0.
Extended80 Pow10(int32_t n);

// The tables, as bit images: 10^0..10^15 (exact) and 10^(16 * 2^i) for
// i = 0..8 (rounded to nearest).
extern const Extended80 Pow10Small[16];
extern const Extended80 Pow10Large[9];
