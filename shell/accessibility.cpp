#include "shell/accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "shell/bit_grid.h"
#include "shell/optional_user32.h"

// Interface ids come from __uuidof: in the 64-bit MinGW import library of
// oleacc, IID_IAccessible names a code thunk, not the GUID.

namespace {

constexpr UINT_PTR SubclassId = 1;

// The controls whose objects are wrapped; the sign box gets a name.
const int WrappedControls[] = {FieldBinary,   FieldDecimal,  FieldHex, FieldFloat,
                               FieldExponent, FieldMantissa, FieldSign};

// The error state last announced for each edit field, indexed from the
// binary field by id; the binary and hex slots stay 0, as those fields have
// no error flag.
uint8_t SeenError[FieldMantissa - FieldBinary + 1];

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A text property's answer: a copy of the text.
HRESULT AnswerText(const wchar_t* text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = AccessibilityFunctions()->SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A bit's tile reads "1" when the bit is set.
bool BitIsSet(int bit)
{
    char text[4] = {};  // 4: "0" or "1", with room to tell a longer text apart
    ReadBitText(bit, text, sizeof text);
    return text[0] == '1' && text[1] == '\0';
}

// A number property's answer (a role, a state, a child id).
HRESULT AnswerNumber(LONG number, VARIANT* out)
{
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

// The system's accessible object of a control with a few properties
// replaced where the program knows better: the name of the sign box and
// of the bit grid, the description of a field in error, and the bit grid's
// bits as check boxes; every other property and method is the system's.
class AnnotatedAccessible final : public IAccessible {
public:
    AnnotatedAccessible(IAccessible* inner, HWND control, bool* inUse)
        : inner_(inner)
        , control_(control)
        , grid_(GetDlgCtrlID(control) == IDC_BIT_GRID)
        , inUse_(inUse)
    {
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return inner_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            inner_->Release();
            *inUse_ = false;  // the slot's storage is free again; nothing else to destroy
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return inner_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return inner_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return inner_->Invoke(member, id, locale, flags, params, result, exception, argument);
    }

    // IAccessible: the names, the description and the bits of the program's
    // own. An id the grid has no bit for goes to the system's object, which
    // has no such child.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const int bit = GridBit(child);
        if (bit >= 0) {
            wchar_t text[8] = L"Bit ";  // 8: "Bit 79" and its end
            int end = 4;
            if (bit >= 10)
                text[end++] = static_cast<wchar_t>(L'0' + bit / 10);
            text[end++] = static_cast<wchar_t>(L'0' + bit % 10);
            text[end] = L'\0';
            return AnswerText(text, name);
        }
        const int id = GetDlgCtrlID(control_);
        if (IsSelf(child) && (id == FieldSign || id == IDC_BIT_GRID))
            return AnswerText(id == FieldSign ? L"S" : L"Bits", name);
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        const uint8_t* error = ErrorFlagOf(GetDlgCtrlID(control_));
        if (IsSelf(child) && error && *error)
            return AnswerText(FieldErrorDescription, description);
        return inner_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!grid_ || !count)
            return inner_->get_accChildCount(count);
        *count = ShownBitCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        if (GridBit(child) < 0 || !object)
            return inner_->get_accChild(child, object);
        *object = nullptr;  // a simple child: this object answers for it
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        const int bit = GridBit(child);
        return bit < 0 ? inner_->get_accValue(child, value) : AnswerText(BitIsSet(bit) ? L"1" : L"0", value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (GridBit(child) < 0 || !role)
            return inner_->get_accRole(child, role);
        return AnswerNumber(ROLE_SYSTEM_CHECKBUTTON, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const int bit = GridBit(child);
        if (bit < 0 || !state)
            return inner_->get_accState(child, state);
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (BitIsSet(bit))
            flags |= STATE_SYSTEM_CHECKED;
        if (GetFocus() == control_ && FocusedBit() == bit)
            flags |= STATE_SYSTEM_FOCUSED;
        return AnswerNumber(flags, state);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        const int count = ShownBitCount();
        const int bit = FocusedBit();
        if (!grid_ || GetFocus() != control_ || !child || bit < 0 || bit >= count)
            return inner_->get_accFocus(child);
        return AnswerNumber(count - bit, child);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return GridBit(child) < 0 ? inner_->get_accDefaultAction(child, action)
                                  : AnswerText(L"Toggle", action);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        const int bit = GridBit(child);
        if (bit < 0 || !left || !top || !width || !height)
            return inner_->accLocation(left, top, width, height, child);
        const RECT tile = BitTileOnScreen(bit);
        *left = tile.left;
        *top = tile.top;
        *width = tile.right - tile.left;
        *height = tile.bottom - tile.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        const int bit = grid_ && child ? BitAtScreenPoint({x, y}) : -1;
        if (bit >= 0)
            return AnswerNumber(ShownBitCount() - bit, child);
        return inner_->accHitTest(x, y, child);  // the grid itself, or nothing of it
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const int bit = GridBit(child);
        if (bit < 0)
            return inner_->accDoDefaultAction(child);
        ClickBit(bit);
        return S_OK;
    }

    // IAccessible: the system's.
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return inner_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return inner_->put_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return inner_->get_accSelection(children);
    }

private:
    // The bit a child id names on the bit grid, or -1: the object itself,
    // an id the grid has no bit for, any child of another control.
    int GridBit(const VARIANT& child) const
    {
        const int count = ShownBitCount();
        if (!grid_ || child.vt != VT_I4 || child.lVal < 1 || child.lVal > count)
            return -1;
        return count - static_cast<int>(child.lVal);
    }

    LONG references_ = 1;
    IAccessible* inner_;  // owned: released with the wrapper
    HWND control_;
    bool grid_;  // the control is the bit grid
    bool* inUse_;  // the wrapper's slot in WrapperSlots
};

// The wrappers live in fixed slots, not on the heap. 16: a screen reader
// holds one or two objects of a control at a time; a request when every
// slot is taken gets the system's own object.
constexpr int WrapperCapacity = 16;
struct WrapperSlot {
    alignas(AnnotatedAccessible) unsigned char Storage[sizeof(AnnotatedAccessible)];
    bool InUse;
};
WrapperSlot WrapperSlots[WrapperCapacity];

AnnotatedAccessible* NewWrapper(IAccessible* inner, HWND control)
{
    for (WrapperSlot& slot : WrapperSlots) {
        if (!slot.InUse) {
            slot.InUse = true;
            return ::new (slot.Storage) AnnotatedAccessible(inner, control, &slot.InUse);
        }
    }
    return nullptr;
}

// WM_GETOBJECT for the client object: the system's object, wrapped. A
// wrapper exists only once the functions were found, so its methods use
// them freely.
LRESULT AnswerGetObject(HWND control, WPARAM flags)
{
    const AccessibilityFunctionTable* ole = AccessibilityFunctions();
    IAccessible* inner = nullptr;
    if (!ole ||
        FAILED(ole->CreateStdAccessibleObject(control, static_cast<LONG>(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&inner))))
        return 0;
    auto* wrapper = NewWrapper(inner, control);
    if (!wrapper) {
        LRESULT result = ole->LresultFromObject(__uuidof(IAccessible), flags, inner);
        inner->Release();
        return result;
    }
    LRESULT result = ole->LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(wrapper));
    wrapper->Release();
    return result;
}

LRESULT CALLBACK AccessibleControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR)
{
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        if (LRESULT result = AnswerGetObject(control, wParam))
            return result;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, AccessibleControlProc, SubclassId);
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void StartAccessibility(HWND dialog)
{
    for (uint8_t& seen : SeenError)
        seen = 0;
    for (int id : WrappedControls)
        SetWindowSubclass(GetDlgItem(dialog, id), AccessibleControlProc, SubclassId, 0);
}

void NoteFieldErrorState(HWND field, bool error)
{
    int id = GetDlgCtrlID(field);
    if (!IsEditField(id))
        return;
    uint8_t& seen = SeenError[id - FieldBinary];
    if (seen == static_cast<uint8_t>(error))
        return;
    seen = static_cast<uint8_t>(error);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, field, static_cast<LONG>(OBJID_CLIENT), CHILDID_SELF);
}

void WrapBitGridAccessible(HWND grid)
{
    SetWindowSubclass(grid, AccessibleControlProc, SubclassId, 0);
}
