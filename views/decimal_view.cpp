#include "views/decimal_view.h"

#include "core/byte_arith.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/little_endian.h"
#include "core/number_text.h"

namespace {

int64_t SignedBytes(const uint8_t* bytes, int n)
{
    uint64_t value = LoadLittle(bytes, n);
    int shift = 64 - 8 * n;  // sign-extend from the width's top bit
    return static_cast<int64_t>(value << shift) >> shift;
}

}  // namespace

void RenderDecimal(int field)
{
    char text[32];  // at most 25 characters and the NUL
    const uint8_t* reg = ConverterState.ValueRegister;
    if (ConverterState.Width == 80)
        PrintInt80(text, reg, 0);
    else
        WriteSignedDecimal(text, SignedBytes(reg, ConverterState.Width / 8));
    SetFieldText(field, text);
}

bool ParseDecimal(int field)
{
    char text[30];  // at most 29 characters and the NUL
    ReadFieldText(field, text, sizeof text);

    // 11 bytes: one byte above the widest value, so clamping can see the
    // overflow. The product of the multiplication by 10 needs twice that.
    uint8_t acc[11] = {};
    uint8_t product[22];
    uint8_t ten[11] = {10};
    const char* p = text;
    bool negative = *p == '-';
    if (negative)
        ++p;
    bool error = false;
    for (; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') {
            error = true;
            break;
        }
        ByteMul(acc, ten, product, 11);
        uint8_t digit[11] = {static_cast<uint8_t>(*p - '0')};
        for (int i = 0; i < 11; ++i)
            acc[i] = product[i];
        ByteAdd(acc, digit, 11);  // carries out of the top are dropped
    }

    uint8_t* reg = ConverterState.ValueRegister;
    if (error) {
        for (int i = 0; i < 10; ++i)
            reg[i] = 0;
    } else {
        if (negative)
            ByteNegate(acc, 11);
        error = SaturateToWidth(acc, ConverterState.Width / 8);
        for (int i = 0; i < 10; ++i)
            reg[i] = acc[i];
    }
    UpdateErrorFlag(&ConverterState.DecimalError, error, FieldDecimal);
    return true;
}
