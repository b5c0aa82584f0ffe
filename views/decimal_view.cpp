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
        if (negative) {
            uint8_t zero[11] = {};
            ByteSub(zero, acc, 11);
            for (int i = 0; i < 11; ++i)
                acc[i] = zero[i];
        }
        error = SaturateToWidth(acc, ConverterState.Width / 8);
        for (int i = 0; i < 10; ++i)
            reg[i] = acc[i];
    }
    UpdateErrorFlag(&ConverterState.DecimalError, error, FieldDecimal);
    return true;
}

bool SaturateToWidth(uint8_t* acc, int n)
{
    int8_t above = static_cast<int8_t>(acc[n]);
    if (above <= -2) {
        for (int i = 0; i < n - 1; ++i)
            acc[i] = 0x00;
        acc[n - 1] = 0x80;
        return true;
    }
    if (above >= 1) {
        for (int i = 0; i < n - 1; ++i)
            acc[i] = 0xFF;
        acc[n - 1] = 0x7F;
        return true;
    }
    return false;
}

char* PrintInt80(char* out, const uint8_t* value, int count)
{
    uint8_t magnitude[10];
    for (int i = 0; i < 10; ++i)
        magnitude[i] = value[i];
    if (magnitude[9] & 0x80) {
        uint8_t zero[10] = {};
        ByteSub(zero, magnitude, 10);
        for (int i = 0; i < 10; ++i)
            magnitude[i] = zero[i];
        *out++ = '-';
        if (count > 1)
            --count;
    }

    // 24 digits: 2^80 has 25, but the magnitude is at most 2^79 (24 digits).
    char digits[24];
    int nd = 0;
    while (magnitude[8] != 0 || magnitude[9] != 0) {
        uint8_t dividend[20] = {};
        for (int i = 0; i < 10; ++i)
            dividend[i] = magnitude[i];
        uint8_t ten[10] = {10};
        uint8_t remainder[10];
        ByteDivMod(dividend, ten, magnitude, remainder, 10);
        digits[nd++] = static_cast<char>('0' + remainder[0]);
    }
    uint64_t low = LoadLittle(magnitude, 8);
    do {
        uint64_t remainder;
        low = DivMod64(low, 10, &remainder);
        digits[nd++] = static_cast<char>('0' + remainder);
    } while (low != 0);

    int shown = nd;
    if (count > nd) {
        for (int pad = nd; pad < count; ++pad)
            *out++ = '0';
    } else if (count > 0) {
        shown = count;
    } else if (count < 0) {
        shown = 1;
    }
    for (int i = 0; i < shown; ++i)
        *out++ = digits[nd - 1 - i];
    *out = '\0';
    return out;
}
