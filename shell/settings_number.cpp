#include "shell/settings_number.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

template <typename T> T ClampToRange(T value, T min, T max)
{
    if (min == max)
        return value;
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

}  // namespace

bool ParseSettingsNumber(const char* text, uint32_t* value)
{
    while (IsBlank(*text))
        ++text;
    bool negative = *text == '-';
    if (negative)
        ++text;
    uint64_t magnitude = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
        if (digits == 10)
            return false;
        magnitude = magnitude * 10 + static_cast<uint64_t>(*text - '0');
    }
    while (IsBlank(*text))
        ++text;
    if (digits == 0 || *text != '\0')
        return false;
    if (negative ? magnitude > 0x80000000u : magnitude > 0xFFFFFFFFu)
        return false;
    *value = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

int32_t ClampSetting(int32_t value, int32_t min, int32_t max)
{
    return ClampToRange(value, min, max);
}

uint32_t ClampSetting(uint32_t value, uint32_t min, uint32_t max)
{
    return ClampToRange(value, min, max);
}

bool DecodeRegistryNumber(const RegistryValue& value, bool dwordOnly, uint32_t* number)
{
    if (value.Size != 4 || (dwordOnly && value.Type != RegistryTypeDword))
        return false;
    const uint8_t* b = value.Data;
    *number = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
}

bool DecodeRegistryText(const RegistryValue& value, char* text, int size)
{
    text[0] = '\0';
    if (value.Type != RegistryTypeText || size < 2)
        return false;
    uint32_t length = 0;
    while (length < value.Size && value.Data[length] != 0)
        ++length;
    if (length == 0 || length > static_cast<uint32_t>(size - 2))
        return false;
    for (uint32_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(value.Data[i]);
    text[length] = '\0';
    return true;
}
