#include "shell/optional_user32.h"

OptionalUser32Table OptionalUser32;

namespace {

// GetProcAddress gives a generic FARPROC; the detour through void (*)() is
// the cast that C++ allows between function pointer types without a warning.
template <typename Function> bool LookUp(HMODULE module, const char* name, Function* entry)
{
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    *entry = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
    return *entry != nullptr;
}

}  // namespace

void LookUpOptionalUser32()
{
    HMODULE user32 = GetModuleHandleA("USER32");
    LookUp(user32, "EnumDisplayMonitors", &OptionalUser32.EnumDisplayMonitors);
    LookUp(user32, "SetLayeredWindowAttributes", &OptionalUser32.SetLayeredWindowAttributes);
    LookUp(user32, "GetDpiForWindow", &OptionalUser32.GetDpiForWindow);
    LookUp(user32, "SetDialogDpiChangeBehavior", &OptionalUser32.SetDialogDpiChangeBehavior);
}

DwmSetWindowAttributeFunction DwmSetWindowAttributeOrNull()
{
    // A module loaded on first need stays loaded until the program ends.
    static bool tried = false;
    static DwmSetWindowAttributeFunction set = nullptr;
    if (!tried) {
        LookUp(LoadLibraryA("dwmapi.dll"), "DwmSetWindowAttribute", &set);
        tried = true;
    }
    return set;
}

const AccessibilityFunctionTable* AccessibilityFunctions()
{
    static bool tried = false;
    static bool complete = false;
    static AccessibilityFunctionTable table;
    if (!tried) {
        HMODULE oleacc = LoadLibraryA("oleacc.dll");
        HMODULE oleaut = LoadLibraryA("oleaut32.dll");
        tried = true;
        complete = LookUp(oleacc, "CreateStdAccessibleObject", &table.CreateStdAccessibleObject) &&
            LookUp(oleacc, "LresultFromObject", &table.LresultFromObject) &&
            LookUp(oleaut, "SysAllocString", &table.SysAllocString);
    }
    return complete ? &table : nullptr;
}
