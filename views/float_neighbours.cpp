#include "views/float_neighbours.h"

#include "core/field_formats.h"

namespace {

// A magnitude as exponent field and fraction. In the x87 format the
// fraction is the whole significand with its integer bit, which is set
// exactly when the exponent field is not zero.
struct Magnitude {
    uint16_t Field;
    uint64_t Fraction;
};

uint64_t AllFractionBits(const FloatFormat& layout)
{
    return layout.ExplicitIntegerBit ? ~uint64_t{0} : FractionMask(layout);
}

bool IsLargestFinite(const FloatFormat& layout, const Magnitude& m)
{
    uint64_t largest = layout.ExplicitIntegerBit ? ~uint64_t{0} : LargestFiniteFraction(layout);
    return m.Field == LargestFiniteField(layout) && m.Fraction == largest;
}

// The magnitude one step up or down; the largest finite magnitude of a
// format without infinities has nothing above it and stays.
void StepMagnitude(const FloatFormat& layout, Magnitude* m, bool larger)
{
    bool extended = layout.ExplicitIntegerBit;
    uint64_t all = AllFractionBits(layout);
    uint64_t first = extended ? ExtendedIntegerBit : 0;  // the smallest fraction of a normal
    if (larger) {
        if (!HasInfinity(layout) && IsLargestFinite(layout, *m))
            return;
        if (m->Fraction == all) {
            ++m->Field;
            m->Fraction = first;
        } else {
            ++m->Fraction;
            if (extended && m->Field == 0 && m->Fraction == ExtendedIntegerBit)
                m->Field = 1;  // the largest subnormal's successor is the smallest normal
        }
        return;
    }
    if (m->Fraction == first && m->Field != 0) {
        --m->Field;
        m->Fraction = extended && m->Field == 0 ? ExtendedIntegerBit - 1 : all;
    } else {
        --m->Fraction;
    }
}

Magnitude ReadMagnitude(const FloatFormat& layout, const uint8_t* value)
{
    Magnitude m{ReadBiasedExponent(layout, value), ReadFraction(layout, value)};
    if (layout.ExplicitIntegerBit && ReadIntegerBit(layout, value))
        m.Fraction |= ExtendedIntegerBit;
    return m;
}

void WriteMagnitude(const FloatFormat& layout, uint8_t* value, const Magnitude& m)
{
    WriteBiasedExponent(layout, value, m.Field);
    WriteFraction(layout, value, m.Fraction);
    WriteIntegerBit(layout, value, (m.Fraction & ExtendedIntegerBit) != 0);
}

}  // namespace

bool StepFloat(const FloatFormat& layout, uint8_t* value, bool up)
{
    EncodingClass encoding = ClassifyEncoding(layout, value);
    if (IsRefusedEncoding(encoding))
        return false;
    bool negative = ReadSignBit(layout, value);
    if (IsInfinityOrNaN(encoding) && (encoding != EncodingClass::Infinity || negative != up))
        return true;  // a NaN stays, and so do +inf up and -inf down
    Magnitude m = ReadMagnitude(layout, value);
    if (encoding == EncodingClass::Zero) {
        if (!up && !layout.HasSign)
            return true;  // nothing lies below the zero of an unsigned format
        negative = !up;  // either zero steps to the smallest subnormal of the direction
        m.Fraction = 1;
    } else {
        StepMagnitude(layout, &m, negative != up);
        if (m.Field == 0 && m.Fraction == 0 && !HasNegativeZero(layout))
            negative = false;
    }
    WriteSignBit(layout, value, negative);
    WriteMagnitude(layout, value, m);
    return true;
}

bool StepFloat(uint8_t* value, uint8_t size, bool up)
{
    return StepFloat(*FloatFormatOf(8 * size), value, up);
}
