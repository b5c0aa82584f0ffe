#include "views/float_neighbours.h"

#include "core/little_endian.h"
#include "views/float_layout.h"
#include "views/float_printer.h"

namespace {

constexpr uint64_t IntegerBit = 0x8000000000000000u;

// The magnitude one step up or down, as exponent field and fraction. At 80
// bits the fraction is the whole significand with its integer bit, which is
// set exactly when the exponent field is not zero.
void StepMagnitude(const FloatFormat& layout, uint16_t* field, uint64_t* fraction, bool larger)
{
    bool extended = layout.Width == 80;
    uint64_t all = extended ? ~uint64_t{0} : (uint64_t{1} << layout.FractionBits) - 1;
    uint64_t first = extended ? IntegerBit : 0;  // the smallest fraction of a normal
    if (larger) {
        if (*fraction == all) {
            ++*field;
            *fraction = first;
        } else {
            ++*fraction;
            if (extended && *field == 0 && *fraction == IntegerBit)
                *field = 1;  // the largest subnormal's successor is the smallest normal
        }
        return;
    }
    if (*fraction == first && *field != 0) {
        --*field;
        *fraction = extended && *field == 0 ? IntegerBit - 1 : all;
    } else {
        --*fraction;
    }
}

}  // namespace

bool StepFloat(uint8_t* value, uint8_t size, bool up)
{
    UnpackedFloat f = UnpackFloat(value, size);
    if (f.floatClass == FloatClass::Invalid)
        return false;
    const FloatFormat& layout = *FloatFormatOf(8 * size);
    uint16_t field = ReadBiasedExponent(layout, value);
    uint64_t fraction = size == 10 ? LoadLittle(value, 8) : ReadFraction(layout, value);
    bool negative = f.negative;
    if (field == layout.ExponentMax && (size == 10 ? fraction != IntegerBit : fraction != 0))
        return true;  // a NaN
    if (field == layout.ExponentMax && negative != up)
        return true;  // +inf up, -inf down
    if (field == 0 && fraction == 0) {
        negative = !up;  // either zero steps to the smallest subnormal of the direction
        fraction = 1;
    } else {
        StepMagnitude(layout, &field, &fraction, negative != up);
    }
    uint8_t& signByte = value[layout.SignByte];
    signByte = static_cast<uint8_t>(negative ? signByte | 0x80 : signByte & 0x7F);
    WriteBiasedExponent(layout, value, field);
    if (size == 10)
        StoreLittle(value, fraction, 8);
    else
        WriteFraction(layout, value, fraction);
    return true;
}
