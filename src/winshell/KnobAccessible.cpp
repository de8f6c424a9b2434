#include "winshell/KnobAccessible.h"

#include <oleacc.h>

#include <charconv>
#include <string>

#include "winshell/PaintedControls.h"

namespace velmora {

namespace {

class KnobAccessible final : public IAccessible {
 public:
  KnobAccessible(Control& knob, IAccessible* proxy) : knob_(knob), proxy_(proxy) {}
  KnobAccessible(const KnobAccessible&) = delete;
  KnobAccessible& operator=(const KnobAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, IID_IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return proxy_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return proxy_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return proxy_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong) override {
    return proxy_->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return proxy_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return proxy_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** found) override {
    return proxy_->get_accChild(child, found);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return proxy_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!Self(child)) {
      return proxy_->get_accValue(child, value);
    }
    *value = SysAllocString(std::to_wstring(knob_.announcedValue).c_str());
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return proxy_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Self(child)) {
      return proxy_->get_accRole(child, role);
    }
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_SLIDER;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return proxy_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return proxy_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return proxy_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return proxy_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return proxy_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return proxy_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return proxy_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
    return proxy_->accSelect(how, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return proxy_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return proxy_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return proxy_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return proxy_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return proxy_->put_accName(child, name);
  }
  // The reader's increment or decrement: one step towards the value asked for.
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    if (!Self(child)) {
      return proxy_->put_accValue(child, value);
    }
    if (!ControlSet::Enabled(knob_.hwnd)) {
      return E_ACCESSDENIED;
    }
    std::string digits;
    for (const wchar_t* c = value; c != nullptr && *c != L'\0'; ++c) {
      digits += *c < 0x80 ? static_cast<char>(*c) : '?';
    }
    int asked = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), asked);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
      return E_INVALIDARG;
    }
    if (asked != knob_.announcedValue) {
      Notify(knob_, asked > knob_.announcedValue ? kKnobRight : kKnobLeft);
    }
    return S_OK;
  }

 private:
  ~KnobAccessible() { proxy_->Release(); }
  static bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  Control& knob_;
  IAccessible* proxy_;
  LONG references_ = 1;
};

}  // namespace

LRESULT KnobAccessibleObject(Control& knob, WPARAM flags, LPARAM object) {
  if (static_cast<DWORD>(object) != static_cast<DWORD>(OBJID_CLIENT)) {
    return 0;
  }
  IAccessible* proxy = nullptr;
  if (FAILED(CreateStdAccessibleObject(knob.hwnd, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&proxy)))) {
    return 0;
  }
  auto* accessible = new KnobAccessible(knob, proxy);
  const LRESULT result = LresultFromObject(IID_IAccessible, flags, accessible);
  accessible->Release();
  return result > 0 ? result : 0;
}

}  // namespace velmora
