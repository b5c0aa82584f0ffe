#include "core/x87_narrow.h"

#include <cstring>

namespace {

// The 10-byte extended image as one memory operand for fldt.
struct ExtendedImage {
    uint8_t Bytes[10];
};

ExtendedImage ImageOf(Extended80 value)
{
    ExtendedImage image;
    X87StoreBytes(value, image.Bytes);
    return image;
}

}  // namespace

// The rounding happens in the store instruction (fstpl, fstps), which rounds
// by the control word's rounding field whatever its precision field says; with
// the exceptions masked (the caller's masks stay) it delivers infinities and
// subnormals instead of trapping. The loads and
// stores are written out so that the compiler can neither move them outside
// the control word change nor keep the value in a register unrounded.

void X87NarrowToDouble(Extended80 value, uint8_t* out)
{
    ExtendedImage image = ImageOf(value);
    double narrow;
    uint16_t saved = X87EnterExtendedNearest();
    asm volatile("fldt %1\n\tfstpl %0" : "=m"(narrow) : "m"(image) : "memory");
    X87RestoreControl(saved);
    std::memcpy(out, &narrow, 8);
}

void X87NarrowToSingle(Extended80 value, uint8_t* out)
{
    ExtendedImage image = ImageOf(value);
    float narrow;
    uint16_t saved = X87EnterExtendedNearest();
    asm volatile("fldt %1\n\tfstps %0" : "=m"(narrow) : "m"(image) : "memory");
    X87RestoreControl(saved);
    std::memcpy(out, &narrow, 4);
}
