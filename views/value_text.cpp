#include "views/value_text.h"

#include <cstring>

#include "core/number_text.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether [begin, end) spells word, whatever the letters' case.
bool SpellsWord(const char* begin, const char* end, const char* word)
{
    size_t length = std::strlen(word);
    if (static_cast<size_t>(end - begin) != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (Lower(begin[i]) != word[i])
            return false;
    }
    return true;
}

bool StartsWithWord(const char* begin, const char* end, const char* word)
{
    size_t length = std::strlen(word);
    return static_cast<size_t>(end - begin) >= length && SpellsWord(begin, begin + length, word);
}

int DigitIn(char c, int32_t radix)
{
    int digit = DigitValue(c);
    return digit >= 0 && digit < radix ? digit : -1;
}

// The payload after "1.QNaN#" or "1.SNaN#": at least one decimal digit.
bool ReadPayload(const char* begin, const char* end, ValueText* value)
{
    if (begin == end)
        return false;
    uint64_t payload = 0;
    for (const char* c = begin; c < end; ++c) {
        int digit = DigitIn(*c, 10);
        if (digit < 0)
            return false;
        if (payload > (UINT64_MAX - static_cast<uint64_t>(digit)) / 10)
            value->PayloadTooLarge = true;
        payload = payload * 10 + static_cast<uint64_t>(digit);
    }
    value->Payload = payload;
    return true;
}

// The words: "inf", "infinity", "nan" in any case, and the readings' "1.INF",
// "1.IND", "1.QNaN#p", "1.SNaN#p".
bool ReadWord(const char* begin, const char* end, ValueText* value)
{
    if (SpellsWord(begin, end, "inf") || SpellsWord(begin, end, "infinity") ||
        SpellsWord(begin, end, "1.inf")) {
        value->Kind = ValueTextKind::Infinity;
        return true;
    }
    value->Kind = ValueTextKind::NaN;
    if (SpellsWord(begin, end, "nan") || SpellsWord(begin, end, "1.ind")) {
        value->Word = NaNWord::Plain;
        return true;
    }
    if (StartsWithWord(begin, end, "1.qnan#")) {
        value->Word = NaNWord::Quiet;
        return ReadPayload(begin + 7, end, value);
    }
    if (StartsWithWord(begin, end, "1.snan#")) {
        value->Word = NaNWord::Signalling;
        return ReadPayload(begin + 7, end, value);
    }
    return false;
}

// The written exponent after 'e' or 'p': an optional sign and at least one
// digit, any number of them; held at the clamp beyond it.
bool ReadExponent(const char* c, const char* end, ValueText* value, int64_t* written)
{
    if (c < end && (*c == '+' || *c == '-'))
        value->WrittenNegative = *c++ == '-';
    if (c == end)
        return false;
    while (c < end && *c == '0')
        ++c;
    value->WrittenDigits = c;
    int64_t magnitude = 0;
    for (; c < end; ++c) {
        int digit = DigitIn(*c, 10);
        if (digit < 0)
            return false;
        if (magnitude < ValueTextExponentClamp)
            magnitude = magnitude * 10 + digit;
        ++value->WrittenCount;
    }
    if (magnitude > ValueTextExponentClamp)
        magnitude = ValueTextExponentClamp;
    if (value->WrittenCount == 0)
        value->WrittenDigits = nullptr;
    *written = value->WrittenNegative ? -magnitude : magnitude;
    return true;
}

// Digits with an optional point, then the exponent part. Decimal digits
// weigh 10^-1 per place after the point, hexadecimal ones 2^-4.
bool ReadNumber(const char* c, const char* end, int32_t radix, ValueText* value)
{
    const int32_t placeBits = radix == 16 ? 4 : 1;
    const char exponentLetter = radix == 16 ? 'p' : 'e';
    bool point = false;
    int32_t digits = 0;
    // Digits are numbered from 1 in the order read; the units digit is
    // digit integerDigits, the last significant one digit lastPlace.
    int64_t lastPlace = 0;
    int64_t integerDigits = 0;
    int64_t position = 0;
    const char* last = nullptr;
    for (; c < end && Lower(*c) != exponentLetter; ++c) {
        if (*c == '.') {
            if (point)
                return false;
            point = true;
            integerDigits = position;
            continue;
        }
        int digit = DigitIn(*c, radix);
        if (digit < 0)
            return false;
        ++digits;
        ++position;
        if (digit != 0) {
            if (value->First == nullptr)
                value->First = c;
            last = c;
            lastPlace = position;
        }
    }
    if (digits == 0)
        return false;
    if (!point)
        integerDigits = position;
    int64_t written = 0;
    if (c < end && !ReadExponent(c + 1, end, value, &written))
        return false;
    if (value->First == nullptr) {
        value->Count = 0;
        value->Exponent = 0;
        return true;
    }
    // Significant digits from First to last, the point not counted.
    int32_t count = 0;
    for (const char* d = value->First; d <= last; ++d)
        count += *d == '.' ? 0 : 1;
    value->Count = count;
    // The last significant digit weighs radix^(integerDigits - lastPlace).
    value->Shift = (integerDigits - lastPlace) * placeBits;
    value->Exponent = written + value->Shift;
    return true;
}

}  // namespace

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    char lower = Lower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

bool ReadValueText(const char* text, int32_t maxLength, ValueText* value)
{
    *value = ValueText{};
    value->Radix = 10;
    const char* begin = text;
    while (IsBlank(*begin))
        ++begin;
    const char* end = begin + std::strlen(begin);
    while (end > begin && IsBlank(end[-1]))
        --end;
    bool read = false;
    if (end - begin <= maxLength && begin < end) {
        if (*begin == '-' || *begin == '+')
            value->Negative = *begin++ == '-';
        if (ReadWord(begin, end, value)) {
            read = true;
        } else if (end - begin > 2 && begin[0] == '0' && Lower(begin[1]) == 'x') {
            value->Kind = ValueTextKind::Finite;
            value->Radix = 16;
            read = ReadNumber(begin + 2, end, 16, value);
        } else {
            value->Kind = ValueTextKind::Finite;
            read = ReadNumber(begin, end, 10, value);
        }
    }
    if (!read)
        value->Kind = ValueTextKind::NotANumber;
    return read;
}

char* WriteExponentSum(char* out, const ValueText& value, int64_t adjust)
{
    int64_t delta = value.Shift + adjust;
    if (value.WrittenCount <= 12)
        return WriteSignedDecimal(out, value.Exponent - value.Shift + delta);
    // A written exponent of 13 digits or more: its digits plus or minus the
    // small delta (|delta| far below 10^12), digit by digit from the end.
    bool negative = value.WrittenNegative;
    if (negative)
        *out++ = '-';
    int64_t magnitude = negative ? -delta : delta;  // added to the written digits
    char* digits = out;
    std::memcpy(digits, value.WrittenDigits, static_cast<size_t>(value.WrittenCount));
    int64_t carry = magnitude;
    for (int32_t i = value.WrittenCount - 1; i >= 0 && carry != 0; --i) {
        int64_t sum = digits[i] - '0' + carry;
        int64_t digit = ((sum % 10) + 10) % 10;
        carry = (sum - digit) / 10;
        digits[i] = static_cast<char>('0' + digit);
    }
    int32_t length = value.WrittenCount;
    int32_t leadingZeros = 0;
    while (leadingZeros < length - 1 && digits[leadingZeros] == '0')
        ++leadingZeros;
    std::memmove(digits, digits + leadingZeros, static_cast<size_t>(length - leadingZeros));
    char* nul = digits + length - leadingZeros;
    *nul = '\0';
    return nul;
}
