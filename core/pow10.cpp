#include "core/pow10.h"

// Bit images, {significand, biased exponent}. The small powers are exact; of
// the large ones only 10^16 is, the others are rounded to the nearest 64-bit
// significand.
const Extended80 Pow10Small[16] = {
    {0x8000000000000000u, 0x3FFF},  // 10^0
    {0xA000000000000000u, 0x4002},  // 10^1
    {0xC800000000000000u, 0x4005},  // 10^2
    {0xFA00000000000000u, 0x4008},  // 10^3
    {0x9C40000000000000u, 0x400C},  // 10^4
    {0xC350000000000000u, 0x400F},  // 10^5
    {0xF424000000000000u, 0x4012},  // 10^6
    {0x9896800000000000u, 0x4016},  // 10^7
    {0xBEBC200000000000u, 0x4019},  // 10^8
    {0xEE6B280000000000u, 0x401C},  // 10^9
    {0x9502F90000000000u, 0x4020},  // 10^10
    {0xBA43B74000000000u, 0x4023},  // 10^11
    {0xE8D4A51000000000u, 0x4026},  // 10^12
    {0x9184E72A00000000u, 0x402A},  // 10^13
    {0xB5E620F480000000u, 0x402D},  // 10^14
    {0xE35FA931A0000000u, 0x4030},  // 10^15
};

const Extended80 Pow10Large[9] = {
    {0x8E1BC9BF04000000u, 0x4034},  // 10^16
    {0x9DC5ADA82B70B59Eu, 0x4069},  // 10^32
    {0xC2781F49FFCFA6D5u, 0x40D3},  // 10^64
    {0x93BA47C980E98CE0u, 0x41A8},  // 10^128
    {0xAA7EEBFB9DF9DE8Eu, 0x4351},  // 10^256
    {0xE319A0AEA60E91C7u, 0x46A3},  // 10^512
    {0xC976758681750C17u, 0x4D48},  // 10^1024
    {0x9E8B3B5DC53D5DE5u, 0x5A92},  // 10^2048
    {0xC46052028A20979Bu, 0x7525},  // 10^4096
};

namespace {

// Beyond this magnitude the result is infinity or zero; up to it no
// intermediate product overflows (10^4932 is below the largest finite value).
constexpr uint32_t LargestExponent = 4932;

constexpr Extended80 PositiveInfinity{0x8000000000000000u, 0x7FFF};
constexpr Extended80 PositiveZero{0, 0};

}  // namespace

Extended80 Pow10(int32_t n)
{
    // The magnitude as unsigned, so that the most negative n (no positive
    // counterpart) is simply too large.
    uint32_t a = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    if (a > LargestExponent)
        return n >= 0 ? PositiveInfinity : PositiveZero;

    // The factors in a fixed order, smallest first, each product rounded
    // before the next: the last bits of the result depend on this order.
    Extended80 x = Pow10Small[a % 16];
    uint32_t b = a / 16;
    for (int i = 0; b != 0; ++i, b >>= 1) {
        if (b & 1)
            x = X87Multiply(x, Pow10Large[i]);
    }
    // One reciprocal of the finished product, never one per factor.
    if (n < 0)
        x = X87Divide(Pow10Small[0], x);
    return x;
}
