// Reads random texts as a settings file's numbers and clamps random values
// into random ranges, as every setting read from a file or the registry
// is, and checks what must hold: a text is taken exactly when it is
// blanks, an optional '-', 1 to 10 digits and blanks with the number from
// -2147483648 to 4294967295, and then its 32 bits are that number's, so
// that the decimal text written for them (signed or unsigned) reads back
// to the same bits; a clamped value lies in its range, and is the value
// itself when that already does or when the bounds are equal.
//
// The same bytes are also read as a registry value of any type and length:
// a number exactly when it has 4 bytes (of REG_DWORD where asked for), its
// 32 bits little-endian; a text only from a REG_SZ, never longer than the
// buffer given, always terminated, the value's bytes up to its first NUL.
//
// Input: 8 bytes for the bounds, then the text (and the registry value,
// whose type is the first byte's low 3 bits).
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "shell/settings_number.h"

namespace {

// The rule above, by another way: the digits cut out and read by strtoull.
bool ExpectedNumber(const char* text, uint32_t* value)
{
    size_t at = std::strspn(text, " \t");
    bool negative = text[at] == '-';
    at += negative ? 1 : 0;
    size_t digits = std::strspn(text + at, "0123456789");
    if (digits == 0 || digits > 10)
        return false;
    char number[11] = {};
    std::memcpy(number, text + at, digits);
    at += digits;
    at += std::strspn(text + at, " \t");
    if (text[at] != '\0')
        return false;
    unsigned long long magnitude = std::strtoull(number, nullptr, 10);
    if (negative ? magnitude > 2147483648ull : magnitude > 4294967295ull)
        return false;
    *value = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

void CheckNumber(const char* text)
{
    uint32_t value = 0xDEADBEEF;
    uint32_t expected = 0;
    bool taken = ParseSettingsNumber(text, &value);
    FUZZ_CHECK(taken == ExpectedNumber(text, &expected));
    if (!taken) {
        FUZZ_CHECK(value == 0xDEADBEEF);  // left alone
        return;
    }
    FUZZ_CHECK(value == expected);
    char written[16];
    uint32_t again = 0;
    std::snprintf(written, sizeof written, "%" PRIu32, value);
    FUZZ_CHECK(ParseSettingsNumber(written, &again) && again == value);
    std::snprintf(written, sizeof written, "%" PRId32, static_cast<int32_t>(value));
    FUZZ_CHECK(ParseSettingsNumber(written, &again) && again == value);
}

template <typename T> void CheckClamp(T value, T min, T max)
{
    T clamped = ClampSetting(value, min, max);
    if (min == max || (min <= value && value <= max)) {
        FUZZ_CHECK(clamped == value);
        return;
    }
    if (min < max)
        FUZZ_CHECK(min <= clamped && clamped <= max && (clamped == min || clamped == max));
}

uint32_t Word(const uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void CheckRegistryValue(uint32_t type, const uint8_t* data, uint32_t size)
{
    const RegistryValue value = {type, data, size};
    uint32_t number = 0xDEADBEEF;
    bool taken = DecodeRegistryNumber(value, false, &number);
    FUZZ_CHECK(taken == (size == 4));
    FUZZ_CHECK(taken ? number == Word(data) : number == 0xDEADBEEF);
    FUZZ_CHECK(DecodeRegistryNumber(value, true, &number) == (size == 4 && type == RegistryTypeDword));
    // 33 bytes for the text and a guard byte after them.
    char text[34];
    std::memset(text, 0x5A, sizeof text);
    bool isText = DecodeRegistryText(value, text, 33);
    FUZZ_CHECK(text[33] == 0x5A);
    size_t length = std::strlen(text);
    FUZZ_CHECK(isText ? type == RegistryTypeText && length >= 1 && length <= 31 : length == 0);
    if (isText) {
        FUZZ_CHECK(std::memcmp(text, data, length) == 0);
        FUZZ_CHECK(length == size || data[length] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    static char text[64];
    size_t length = size - 8 < sizeof text - 1 ? size - 8 : sizeof text - 1;
    std::memcpy(text, data + 8, length);
    text[length] = '\0';
    CheckNumber(text);
    // The value read, or one made of the bounds when the text is no number.
    uint32_t min = Word(data);
    uint32_t max = Word(data + 4);
    uint32_t value = min ^ max;
    ParseSettingsNumber(text, &value);
    CheckClamp(value, min, max);
    CheckClamp(static_cast<int32_t>(value), static_cast<int32_t>(min), static_cast<int32_t>(max));
    const uint32_t valueSize = static_cast<uint32_t>(size - 8 < 64 ? size - 8 : 64);
    CheckRegistryValue(data[0] & 7u, data + 8, valueSize);
    return 0;
}
