#include "views/binary_hex_view.h"

#include "core/byte_arith.h"
#include "core/converter_state.h"
#include "core/field_access.h"
#include "core/field_ids.h"
#include "core/number_text.h"

namespace {

void ClearRegister()
{
    for (uint8_t& byte : ConverterState.ValueRegister)
        byte = 0;
}

// Big-endian entry: moves the typed bits from the bottom to the top of the
// width.
void AlignEntryToTop(int typedBits)
{
    if (ConverterState.BigEndian)
        ShiftBytes(ConverterState.ValueRegister, ConverterState.Width - typedBits, ConverterState.Width / 8);
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

void RenderBinary(int field)
{
    // 81 bytes: 80 digits at width 80 and the NUL.
    char text[81];
    int width = ConverterState.Width;
    for (int i = 0; i < width; ++i) {
        bool set = (ConverterState.ValueRegister[i / 8] >> (i % 8)) & 1;
        text[width - 1 - i] = set ? '1' : '0';
    }
    text[width] = '\0';
    SetFieldText(field, text);
}

bool ParseBinary(int field)
{
    char text[81];  // at most 80 characters and the NUL
    int n = ReadFieldText(field, text, sizeof text);
    ClearRegister();
    for (int position = 0; position < n; ++position) {
        if (text[n - 1 - position] == '1')
            ConverterState.ValueRegister[position / 8] |= static_cast<uint8_t>(1u << (position % 8));
    }
    AlignEntryToTop(n);
    return true;
}

void RenderHex(int field)
{
    char text[21];  // 20 digits at width 80 and the NUL
    WriteHexBytes(text, ConverterState.ValueRegister, ConverterState.Width / 8);
    SetFieldText(field, text);
}

bool ParseHex(int field)
{
    char text[21];  // at most 20 characters and the NUL
    int n = ReadFieldText(field, text, sizeof text);
    ClearRegister();
    if (n > 0) {
        int digits = 0;
        for (int i = n - 1; i >= 0; --i) {
            int value = HexDigitValue(text[i]);
            if (value < 0)
                continue;
            // 20 characters hold at most 20 digits: bytes 0 to 9.
            ConverterState.ValueRegister[digits / 2] |= static_cast<uint8_t>(value << (4 * (digits % 2)));
            ++digits;
        }
        AlignEntryToTop(4 * digits);
    }
    return true;
}
