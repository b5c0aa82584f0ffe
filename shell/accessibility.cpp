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

bool IsBitGrid(HWND control)
{
    return GetDlgCtrlID(control) == IDC_BIT_GRID;
}

// A text property's answer: a copy of the text, or none (S_FALSE).
HRESULT AnswerText(const wchar_t* text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = text ? AccessibilityFunctions()->SysAllocString(text) : nullptr;
    if (!text)
        return S_FALSE;
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A bit's tile reads "1" when the bit is set.
bool BitIsSet(int bit)
{
    char text[4] = {};  // 4: "0" or "1", with room to tell a longer text apart
    ReadBitText(bit, text, sizeof text);
    return text[0] == '1' && text[1] == '\0';
}

// What a child id names on a control: the bit grid's bits are its simple
// children, child 1 the most significant bit shown and the last child bit
// 0; every other control's children are the system's.
constexpr int NoBit = -1;  // the object itself, or a child of another control
constexpr int NoSuchChild = -2;  // an id the bit grid has no child for

// The system's accessible object of a control with a few properties
// replaced where the program knows better: the name of the sign box and
// of the bit grid, the description of a field in error, and the bit grid's
// bits as check boxes; every other property and method is the system's.
class AnnotatedAccessible final : public IAccessible {
public:
    AnnotatedAccessible(IAccessible* inner, HWND control, bool* inUse)
        : inner_(inner)
        , control_(control)
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
    // own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit >= 0) {
            wchar_t text[8];  // 8: "Bit 79" and its end
            wsprintfW(text, L"Bit %d", bit);
            return AnswerText(text, name);
        }
        const int id = GetDlgCtrlID(control_);
        if (IsSelf(child) && (id == FieldSign || id == IDC_BIT_GRID))
            return AnswerText(id == FieldSign ? L"S" : L"Bits", name);
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit >= 0)
            return AnswerText(nullptr, description);
        const uint8_t* error = ErrorFlagOf(GetDlgCtrlID(control_));
        if (IsSelf(child) && error && *error)
            return AnswerText(FieldErrorDescription, description);
        return inner_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!IsBitGrid(control_))
            return inner_->get_accChildCount(count);
        if (!count)
            return E_POINTER;
        *count = ShownBitCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accChild(child, object);
        if (!object)
            return E_POINTER;
        *object = nullptr;  // a simple child: this object answers for it
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accValue(child, value);
        return AnswerText(BitIsSet(bit) ? L"1" : L"0", value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CHECKBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accState(child, state);
        if (!state)
            return E_POINTER;
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (BitIsSet(bit))
            flags |= STATE_SYSTEM_CHECKED;
        if (GetFocus() == control_ && FocusedBit() == bit)
            flags |= STATE_SYSTEM_FOCUSED;
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accHelp(child, help);
        return AnswerText(nullptr, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accHelpTopic(file, child, topic);
        if (!file || !topic)
            return E_POINTER;
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accKeyboardShortcut(child, shortcut);
        return AnswerText(nullptr, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        if (!IsBitGrid(control_) || GetFocus() != control_)
            return inner_->get_accFocus(child);
        if (!child)
            return E_POINTER;
        const int count = ShownBitCount();
        const int bit = FocusedBit();
        child->vt = VT_I4;
        child->lVal = bit >= 0 && bit < count ? count - bit : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->get_accDefaultAction(child, action);
        return AnswerText(L"Toggle", action);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height)
            return E_POINTER;
        const RECT tile = BitTileOnScreen(bit);
        *left = tile.left;
        *top = tile.top;
        *width = tile.right - tile.left;
        *height = tile.bottom - tile.top;
        return S_OK;
    }
    // Between the bits in their order, child 1 first; a bit has no children,
    // and the bits are not laid out for moving by direction on the screen.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        const int bit = GridBit(start);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        const bool toChild = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
        if (!IsBitGrid(control_) || (bit == NoBit && !(toChild && IsSelf(start))))
            return inner_->accNavigate(direction, start, end);
        if (!end)
            return E_POINTER;
        const LONG count = ShownBitCount();
        LONG target = 0;  // none
        if (bit == NoBit)
            target = direction == NAVDIR_FIRSTCHILD ? 1 : count;
        else if (direction == NAVDIR_NEXT)
            target = count - bit + 1;
        else if (direction == NAVDIR_PREVIOUS)
            target = count - bit - 1;
        else if (!toChild)
            return direction >= NAVDIR_UP && direction <= NAVDIR_RIGHT ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        end->vt = VT_EMPTY;  // none, unless a target follows
        if (target < 1 || target > count)
            return S_FALSE;
        end->vt = VT_I4;
        end->lVal = target;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        if (IsBitGrid(control_) && child) {
            const POINT point = {x, y};
            const int count = ShownBitCount();
            for (int bit = 0; bit < count; ++bit) {
                const RECT tile = BitTileOnScreen(bit);
                if (PtInRect(&tile, point)) {
                    child->vt = VT_I4;
                    child->lVal = count - bit;
                    return S_OK;
                }
            }
        }
        return inner_->accHitTest(x, y, child);  // the grid itself, or nothing of it
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->accDoDefaultAction(child);
        ClickBit(bit);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->accSelect(flags, child);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->put_accName(child, name);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        const int bit = GridBit(child);
        if (bit == NoSuchChild)
            return E_INVALIDARG;
        if (bit == NoBit)
            return inner_->put_accValue(child, value);
        return DISP_E_MEMBERNOTFOUND;
    }

    // IAccessible: the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return inner_->get_accSelection(children);
    }

private:
    // The bit a child id names on the bit grid, NoSuchChild where it names
    // nothing there; NoBit for the object itself and on every other control.
    int GridBit(const VARIANT& child) const
    {
        if (!IsBitGrid(control_) || child.vt != VT_I4 || child.lVal == CHILDID_SELF)
            return NoBit;
        const int count = ShownBitCount();
        if (child.lVal < 1 || child.lVal > count)
            return NoSuchChild;
        return count - static_cast<int>(child.lVal);
    }

    LONG references_ = 1;
    IAccessible* inner_;  // owned: released with the wrapper
    HWND control_;
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
