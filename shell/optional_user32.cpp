#include "shell/optional_user32.h"

OptionalUser32Table OptionalUser32;

namespace {

// GetProcAddress gives a generic FARPROC; the detour through void (*)() is
// the cast that C++ allows between function pointer types without a warning.
template <typename Function> void LookUp(HMODULE module, const char* name, Function* entry)
{
    FARPROC proc = GetProcAddress(module, name);
    *entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

void LookUpOptionalUser32()
{
    OptionalUser32.EnumDisplayMonitors = nullptr;
    OptionalUser32.SetLayeredWindowAttributes = nullptr;
    HMODULE user32 = GetModuleHandleA("USER32");
    if (!user32)
        return;
    LookUp(user32, "EnumDisplayMonitors", &OptionalUser32.EnumDisplayMonitors);
    LookUp(user32, "SetLayeredWindowAttributes", &OptionalUser32.SetLayeredWindowAttributes);
}
