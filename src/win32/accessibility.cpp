#include "win32/accessibility.h"

#include "base/interface_reference.h"
#include "win32/com_apartment.h"
#include "win32/common_controls.h"
#include "win32/system_library.h"
#include "win32/wide_text.h"

#include <oleacc.h>

#include <iterator>
#include <memory>
#include <string>

namespace haloquill::win32 {

namespace {

constexpr wchar_t kOleacc[] = L"oleacc.dll";
constexpr wchar_t kOleAutomation[] = L"oleaut32.dll";

// The number of each role, in the order of AccessibleRole; the system's own is a client area's.
constexpr LONG kRoleNumbers[] = {ROLE_SYSTEM_CLIENT, ROLE_SYSTEM_LINK, ROLE_SYSTEM_DIALOG};
static_assert(std::size(kRoleNumbers) == static_cast<std::size_t>(AccessibleRole::Dialog) + 1);

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's accessible object of a window's client area, with the role, default action and
// description the core gives it. The late-bound IDispatch path is not offered, so that every
// caller sees the same answers. The object lives as long as COM holds a reference to it, and keeps
// oleacc loaded as long as it holds the system's object.
class AccessibleWithTraits final : public IAccessible, public IOleWindow {
  public:
    AccessibleWithTraits(HWND window, const AccessibleTraits& traits)
        : window_(window), traits_(traits) {}

    // The system's object for the window; false when oleacc cannot give one.
    bool Attach() {
        const auto create = HALOQUILL_LATE_BOUND(oleacc_, CreateStdAccessibleObject);
        return create &&
               SUCCEEDED(create(window_, OBJID_CLIENT, IID_IAccessible, system_.ReceiveVoid())) &&
               system_;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            // The last reference ends the object.
            std::unique_ptr<AccessibleWithTraits> last(this);
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch, which has no type information to give.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) {
            *count = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow: the window this object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) {
            return E_POINTER;
        }
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible: what the core decides, and the system's answer for everything else.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || traits_.role == AccessibleRole::System || !role) {
            return system_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = kRoleNumbers[static_cast<std::size_t>(traits_.role)];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = system_->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && traits_.role == AccessibleRole::Link && state &&
            state->vt == VT_I4) {
            state->lVal |= STATE_SYSTEM_LINKED;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || traits_.defaultAction.empty() || !action) {
            return system_->get_accDefaultAction(child, action);
        }
        return Text(Wide(traits_.defaultAction), action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || traits_.role != AccessibleRole::Link) {
            return system_->accDoDefaultAction(child);
        }
        // A link's action is its click, reported to its window as a click of the mouse is.
        ::PostMessageW(::GetParent(window_), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(window_), STN_CLICKED),
                       reinterpret_cast<LPARAM>(window_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || traits_.description == kNoControl || !description) {
            return system_->get_accDescription(child, description);
        }
        return Text(WideWindowText(::GetDlgItem(window_, traits_.description)), description);
    }

    // Everything else is the system's answer.
#define HALOQUILL_SYSTEM_ANSWERS(method, parameters, arguments)                                    \
    HRESULT STDMETHODCALLTYPE method parameters override {                                         \
        return system_->method arguments;                                                          \
    }
    HALOQUILL_SYSTEM_ANSWERS(get_accParent, (IDispatch * *parent), (parent))
    HALOQUILL_SYSTEM_ANSWERS(get_accChildCount, (LONG * count), (count))
    HALOQUILL_SYSTEM_ANSWERS(get_accChild, (VARIANT child, IDispatch** object), (child, object))
    HALOQUILL_SYSTEM_ANSWERS(get_accName, (VARIANT child, BSTR* name), (child, name))
    HALOQUILL_SYSTEM_ANSWERS(get_accValue, (VARIANT child, BSTR* value), (child, value))
    HALOQUILL_SYSTEM_ANSWERS(get_accHelp, (VARIANT child, BSTR* help), (child, help))
    HALOQUILL_SYSTEM_ANSWERS(get_accHelpTopic, (BSTR * file, VARIANT child, LONG* topic),
                             (file, child, topic))
    HALOQUILL_SYSTEM_ANSWERS(get_accKeyboardShortcut, (VARIANT child, BSTR* keys), (child, keys))
    HALOQUILL_SYSTEM_ANSWERS(get_accFocus, (VARIANT * child), (child))
    HALOQUILL_SYSTEM_ANSWERS(get_accSelection, (VARIANT * children), (children))
    HALOQUILL_SYSTEM_ANSWERS(accSelect, (LONG flags, VARIANT child), (flags, child))
    HALOQUILL_SYSTEM_ANSWERS(accLocation,
                             (LONG * x, LONG* y, LONG* width, LONG* height, VARIANT at),
                             (x, y, width, height, at))
    HALOQUILL_SYSTEM_ANSWERS(accNavigate, (LONG way, VARIANT start, VARIANT* end),
                             (way, start, end))
    HALOQUILL_SYSTEM_ANSWERS(accHitTest, (LONG x, LONG y, VARIANT* child), (x, y, child))
    HALOQUILL_SYSTEM_ANSWERS(put_accName, (VARIANT child, BSTR name), (child, name))
    HALOQUILL_SYSTEM_ANSWERS(put_accValue, (VARIANT child, BSTR value), (child, value))
#undef HALOQUILL_SYSTEM_ANSWERS

  private:
    // A string for the caller, who frees it.
    HRESULT Text(const std::wstring& text, BSTR* out) {
        const auto allocate = HALOQUILL_LATE_BOUND(oleAutomation_, SysAllocString);
        *out = allocate ? allocate(text.c_str()) : nullptr;
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    LONG references_ = 1;
    HWND window_;
    AccessibleTraits traits_;
    // Declared before the system's object, so that they are unloaded only after it is released.
    SystemLibrary oleacc_{kOleacc};
    SystemLibrary oleAutomation_{kOleAutomation};
    InterfaceReference<IAccessible> system_;
};

// What a window says of itself, kept with the window, and the COM apartment the answers are
// marshalled in.
struct Exposure {
    AccessibleTraits traits;
    ComApartment com;
};

constexpr UINT_PTR kAccessibilitySubclass = 3;

// The answer to WM_GETOBJECT for the client object, or 0 to leave the question to the system.
LRESULT AnswerClientObject(HWND window, WPARAM wParam, Exposure& exposure) {
    if (!exposure.com.Enter()) {
        return 0;
    }
    auto object = std::make_unique<AccessibleWithTraits>(window, exposure.traits);
    if (!object->Attach()) {
        return 0;
    }
    // COM's reference counting owns the object from here.
    const InterfaceReference<IAccessible> reference(object.release());
    SystemLibrary oleacc(kOleacc);
    const auto lresultFromObject = HALOQUILL_LATE_BOUND(oleacc, LresultFromObject);
    const LRESULT answer =
        lresultFromObject ? lresultFromObject(IID_IAccessible, wParam, reference.Get()) : 0;
    // A negative answer is an error code.
    return answer > 0 ? answer : 0;
}

LRESULT CALLBACK AccessibilityProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR /*id*/, DWORD_PTR data) {
    auto* exposure = reinterpret_cast<Exposure*>(data);
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = AnswerClientObject(window, wParam, *exposure)) {
            return answer;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveSubclass(window, AccessibilityProc, kAccessibilitySubclass);
        const std::unique_ptr<Exposure> ended(exposure);
    }
    return DefSubclass(window, message, wParam, lParam);
}

} // namespace

void ExposeAccessibleTraits(HWND window, const AccessibleTraits& traits) {
    if (!window || traits == AccessibleTraits{}) {
        return;
    }
    auto exposure = std::make_unique<Exposure>();
    exposure->traits = traits;
    if (SetSubclass(window, AccessibilityProc, kAccessibilitySubclass,
                    reinterpret_cast<DWORD_PTR>(exposure.get()))) {
        // The window owns it from here, until WM_NCDESTROY.
        static_cast<void>(exposure.release());
    }
}

} // namespace haloquill::win32
