#include "cli/companion_names.h"

#include <cstdio>
#include <cstring>

#include "cli/encode_command.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

const struct {
    const char* Name;
    int Field;
} FieldNames[] = {
    {"binary", FieldBinary}, {"decimal", FieldDecimal},   {"hex", FieldHex},
    {"float", FieldFloat},   {"exponent", FieldExponent}, {"mantissa", FieldMantissa},
};

}  // namespace

int CompanionWidthButtonByName(const char* name)
{
    for (const WidthButtonPair& pair : WidthButtons) {
        char own[4];  // "80" and the NUL at most
        std::snprintf(own, sizeof own, "%d", pair.Width);
        if (std::strcmp(name, own) == 0)
            return pair.Button;
    }
    return 0;
}

int CompanionFieldByName(const char* name)
{
    for (const auto& named : FieldNames) {
        if (std::strcmp(named.Name, name) == 0)
            return named.Field;
    }
    return 0;
}

bool CompanionFieldEditable(int field)
{
    return field == CompanionEncodeField || MemoryControlEnabled(field);
}
