#include "views/bits_text.h"

#include <cstring>

namespace {

constexpr int32_t WidestPattern = 80;  // bits of the widest width

bool IsSeparator(char c)
{
    return c != '\0' && std::strchr("_' :-", c) != nullptr;
}

bool IsDigitOf(char c, bool binary)
{
    if (binary)
        return c == '0' || c == '1';
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// "0x3D" -> "00111101".
void HexToBinary(const char* hex, char* out)
{
    for (; *hex != '\0'; ++hex) {
        int value = HexDigitValue(*hex);
        for (int bit = 3; bit >= 0; --bit)
            *out++ = static_cast<char>('0' + ((value >> bit) & 1));
    }
    *out = '\0';
}

// "101" -> "5": the leading group is padded on the left with zeros.
void BinaryToHex(const char* binary, char* out)
{
    int count = static_cast<int>(std::strlen(binary));
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 2 + (binary[i] - '0');
        if ((count - 1 - i) % 4 == 0) {
            *out++ = "0123456789ABCDEF"[value];
            value = 0;
        }
    }
    *out = '\0';
}

}  // namespace

const char* ReadBitsText(const char* text, bool unprefixedBinary, int32_t maxBits, bool* binary, char* digits)
{
    bool binaryPrefix = text[0] == '0' && (text[1] == 'b' || text[1] == 'B');
    bool hexPrefix = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    bool isBinary = binaryPrefix || (unprefixedBinary && !hexPrefix);
    if (binaryPrefix || hexPrefix)
        text += 2;
    int limit = isBinary ? maxBits : maxBits / 4;
    if (limit > BitsDigitsCapacity - 1)
        limit = BitsDigitsCapacity - 1;
    int count = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (IsSeparator(*p)) {
            const char* next = p;
            while (IsSeparator(*next))
                ++next;
            if (count == 0 || !IsDigitOf(*next, isBinary))
                return IsDigitOf(*next, isBinary) || *next == '\0' ? "a separator not between digits"
                                                                   : "not a digit of the base";
            p = next - 1;
            continue;
        }
        if (!IsDigitOf(*p, isBinary))
            return "not a digit of the base";
        if (count == limit)
            return "more digits than the width holds";
        digits[count++] = *p;
    }
    if (count == 0)
        return "no digit";
    digits[count] = '\0';
    *binary = isBinary;
    return nullptr;
}

namespace {

// The rule of a paste into the binary (toBinary) or hexadecimal field: when
// text is a bit pattern of at most 80 bits as ReadBitsText reads it, with
// unprefixed digits in the field's own base, writes its digits in the
// field's base to out (BitsDigitsCapacity bytes): 4 binary digits per
// hexadecimal one, binary digits padded on the left to whole hexadecimal
// digits. Returns false, writing nothing, for any other text.
bool PastedBitsInBase(const char* text, bool toBinary, char* out)
{
    char digits[BitsDigitsCapacity];
    bool binary = false;
    if (ReadBitsText(text, toBinary, WidestPattern, &binary, digits) != nullptr)
        return false;
    if (binary == toBinary)
        std::memcpy(out, digits, std::strlen(digits) + 1);
    else if (toBinary)
        HexToBinary(digits, out);
    else
        BinaryToHex(digits, out);
    return true;
}

bool IsBlankOrLineEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

BitFieldPaste ReadBitFieldPaste(const char* text, bool toBinary, char* out, int size, bool* hexInBinary)
{
    *hexInBinary = false;
    while (IsBlankOrLineEnd(*text))
        ++text;
    int length = static_cast<int>(std::strlen(text));
    while (length > 0 && IsBlankOrLineEnd(text[length - 1]))
        --length;
    // 256 bytes: the clipboard text the window reads; longer is no number.
    char trimmed[256];
    if (length == 0 || length >= static_cast<int>(sizeof trimmed) || length >= size)
        return BitFieldPaste::Refused;
    std::memcpy(trimmed, text, static_cast<size_t>(length));
    trimmed[length] = '\0';
    if (size >= BitsDigitsCapacity && PastedBitsInBase(trimmed, toBinary, out))
        return BitFieldPaste::Pattern;
    bool digitsOnly = true;
    for (int i = 0; i < length; ++i)
        digitsOnly = digitsOnly && IsDigitOf(trimmed[i], toBinary);
    if (digitsOnly) {
        std::memcpy(out, trimmed, static_cast<size_t>(length) + 1);
        return BitFieldPaste::Digits;
    }
    char digits[BitsDigitsCapacity];
    *hexInBinary = toBinary && PastedBitsInBase(trimmed, false, digits);
    return BitFieldPaste::Refused;
}
