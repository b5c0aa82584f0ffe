#include "shell/accessibility.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>

#include "core/converter_state.h"
#include "core/field_ids.h"
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

// The system's accessible object of a control with the name and the
// description replaced where the program knows better; every other
// property and method is the system's.
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

    // IAccessible: the two properties of the program's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (IsSelf(child) && GetDlgCtrlID(control_) == FieldSign && name) {
            *name = AccessibilityFunctions()->SysAllocString(L"S");
            return *name ? S_OK : E_OUTOFMEMORY;
        }
        return inner_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        const uint8_t* error = ErrorFlagOf(GetDlgCtrlID(control_));
        if (IsSelf(child) && error && *error && description) {
            *description = AccessibilityFunctions()->SysAllocString(FieldErrorDescription);
            return *description ? S_OK : E_OUTOFMEMORY;
        }
        return inner_->get_accDescription(child, description);
    }

    // IAccessible: the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return inner_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return inner_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return inner_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return inner_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return inner_->get_accState(child, state);
    }
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
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return inner_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return inner_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return inner_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return inner_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return inner_->put_accValue(child, value);
    }

private:
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
