#include "views/float_neighbours.h"

#include "core/float_format.h"
#include "core/little_endian.h"

namespace {

// The magnitude one step up or down, as exponent field and fraction. At 80
// bits the fraction is the whole significand with its integer bit, which is
// set exactly when the exponent field is not zero.
void StepMagnitude(const FloatFormat& layout, uint16_t* field, uint64_t* fraction, bool larger)
{
    bool extended = layout.ExplicitIntegerBit;
    uint64_t all = extended ? ~uint64_t{0} : (uint64_t{1} << layout.FractionBits) - 1;
    uint64_t first = extended ? ExtendedIntegerBit : 0;  // the smallest fraction of a normal
    if (larger) {
        if (*fraction == all) {
            ++*field;
            *fraction = first;
        } else {
            ++*fraction;
            if (extended && *field == 0 && *fraction == ExtendedIntegerBit)
                *field = 1;  // the largest subnormal's successor is the smallest normal
        }
        return;
    }
    if (*fraction == first && *field != 0) {
        --*field;
        *fraction = extended && *field == 0 ? ExtendedIntegerBit - 1 : all;
    } else {
        --*fraction;
    }
}

}  // namespace

bool StepFloat(uint8_t* value, uint8_t size, bool up)
{
    const FloatFormat& layout = *FloatFormatOf(8 * size);
    EncodingClass encoding = ClassifyEncoding(layout, value);
    if (IsRefusedEncoding(encoding))
        return false;
    bool negative = ReadSignBit(layout, value);
    if (IsInfinityOrNaN(encoding) && (encoding != EncodingClass::Infinity || negative != up))
        return true;  // a NaN stays, and so do +inf up and -inf down
    uint16_t field = ReadBiasedExponent(layout, value);
    uint64_t fraction = layout.ExplicitIntegerBit ? LoadLittle(value, 8) : ReadFraction(layout, value);
    if (encoding == EncodingClass::Zero) {
        negative = !up;  // either zero steps to the smallest subnormal of the direction
        fraction = 1;
    } else {
        StepMagnitude(layout, &field, &fraction, negative != up);
    }
    WriteSignBit(layout, value, negative);
    WriteBiasedExponent(layout, value, field);
    if (layout.ExplicitIntegerBit)
        StoreLittle(value, fraction, 8);
    else
        WriteFraction(layout, value, fraction);
    return true;
}
