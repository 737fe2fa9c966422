#include "accessible_names.h"

// The interfaces' identifiers defined here, once.
#include <initguid.h>
#include <oleacc.h>
#include <uiautomationcore.h>

#include <atomic>
#include <memory>

namespace isosceles {

namespace {

// The COM and accessibility functions, taken from Windows' own folder when first needed.
// Linked to the exe, their libraries would be loaded before the window is made, at every
// start, and a library of the same name lying beside the exe, as in a Downloads folder,
// would be loaded in their place. They stay loaded: an object handed
// to a screen reader may call them at any time.
struct Ole {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) resultFromObject = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    // UI Automation's, the notification from Windows 10 1709 on; Wine has neither.
    HRESULT(WINAPI* hostProvider)(HWND, IRawElementProviderSimple**) = nullptr;
    HRESULT(WINAPI* raiseNotification)
    (IRawElementProviderSimple*, int kind, int processing, BSTR text, BSTR activity) = nullptr;
};

template <typename Function> void take(HMODULE library, const char* name, Function*& function) {
    // Through a pointer to a function without parameters, the one cast that says a function's
    // type is not known here.
    function = library == nullptr ? nullptr
                                  : reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(
                                        GetProcAddress(library, name)));
}

const Ole& ole() {
    static const Ole functions = [] {
        const auto load = [](const wchar_t* name) {
            return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        };
        const HMODULE com = load(L"ole32.dll");
        const HMODULE automation = load(L"oleaut32.dll");
        const HMODULE accessibility = load(L"oleacc.dll");
        const HMODULE uiAutomation = load(L"uiautomationcore.dll");
        Ole f;
        take(com, "CoInitializeEx", f.initialize);
        take(com, "CoCreateInstance", f.createInstance);
        take(automation, "SysAllocString", f.allocString);
        take(accessibility, "CreateStdAccessibleObject", f.standardObject);
        take(accessibility, "LresultFromObject", f.resultFromObject);
        take(automation, "SysFreeString", f.freeString);
        take(uiAutomation, "UiaHostProviderFromHwnd", f.hostProvider);
        take(uiAutomation, "UiaRaiseNotificationEvent", f.raiseNotification);
        return f;
    }();
    return functions;
}

// Windows' own object for a control, but for its name.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, std::wstring name, std::wstring description)
        : standard_(standard), name_(std::move(name)), description_(std::move(description)) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // What else Windows' object offers (its window, its children) it offers itself.
        return standard_->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
            *name = ole().allocString(name_.c_str());
            return *name != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        return standard_->get_accName(child, name);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(id, riid, locale, flags, parameters, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (description == nullptr) {
            return E_POINTER;
        }
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && !description_.empty()) {
            *description = ole().allocString(description_.c_str());
            return *description != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() = default;

    IAccessible* standard_;
    std::wstring name_;
    std::wstring description_;
    std::atomic<ULONG> references_{1};
};

} // namespace

// Made when first used, after the window is shown.
IAccPropServices* AccessibleNames::services() {
    if (!asked_) {
        asked_ = true;
        const Ole& f = ole();
        // Already begun in another mode, COM still serves the thread.
        if (f.initialize != nullptr) {
            f.initialize(nullptr, COINIT_APARTMENTTHREADED);
        }
        if (f.createInstance == nullptr ||
            FAILED(f.createInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
            services_ = nullptr;
        }
    }
    return services_;
}

AccessibleNames::~AccessibleNames() {
    if (services_ != nullptr) {
        services_->Release();
    }
}

void AccessibleNames::annotate(HWND control, const std::wstring& name) {
    if (services() != nullptr) {
        services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  PROPID_ACC_NAME, name.c_str());
    }
}

void AccessibleNames::describe(HWND control, const std::wstring& description) {
    if (services() == nullptr) {
        return;
    }
    MSAAPROPID property = PROPID_ACC_DESCRIPTION;
    if (description.empty()) {
        services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  &property, 1);
    } else {
        services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                                  description.c_str());
    }
}

bool announce(HWND window, const std::wstring& text) {
    const Ole& f = ole();
    if (f.hostProvider == nullptr || f.raiseNotification == nullptr || f.allocString == nullptr ||
        f.freeString == nullptr) {
        return false;
    }
    IRawElementProviderSimple* host = nullptr;
    if (FAILED(f.hostProvider(window, &host)) || host == nullptr) {
        return false;
    }
    const auto release = [](IUnknown* object) { object->Release(); };
    const std::unique_ptr<IRawElementProviderSimple, decltype(release)> provider(host, release);
    using String = std::unique_ptr<OLECHAR, decltype(f.freeString)>;
    const String said(f.allocString(text.c_str()), f.freeString);
    const String activity(f.allocString(L"isosceles.calculated"), f.freeString);
    // NotificationKind_ActionCompleted, NotificationProcessing_ImportantMostRecent: a second
    // Calculate's results replace the first's, never queue behind them.
    constexpr int kActionCompleted = 2;
    constexpr int kImportantMostRecent = 1;
    return said && activity &&
           SUCCEEDED(f.raiseNotification(provider.get(), kActionCompleted, kImportantMostRecent,
                                         said.get(), activity.get()));
}

LRESULT accessibleObject(HWND control, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                         const std::wstring& description) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
        return 0;
    }
    const Ole& f = ole();
    if (f.standardObject == nullptr || f.resultFromObject == nullptr || f.allocString == nullptr) {
        return 0;
    }
    IAccessible* standard = nullptr;
    if (FAILED(f.standardObject(control, OBJID_CLIENT, IID_IAccessible,
                                reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(standard, name, description);
    const LRESULT result = f.resultFromObject(IID_IAccessible, wParam, named);
    named->Release();
    return result > 0 ? result : 0;
}

} // namespace isosceles
