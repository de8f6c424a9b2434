#include "winshell/AccessibleRoles.h"

#include <initguid.h>

#include <oleacc.h>

#include <string>

#include "surface/form/LabelInFront.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

// Where the system has no annotation service (or the program no COM), the controls keep
// the proxies' defaults: their window texts still name them.
IAccPropServices* Service() {
  static IAccPropServices* service = [] {
    IAccPropServices* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&made)))) {
      return static_cast<IAccPropServices*>(nullptr);
    }
    return made;
  }();
  return service;
}

long RoleOf(const ControlEntry& entry) {
  switch (entry.kind) {
    case ControlKind::Knob:
      return ROLE_SYSTEM_SLIDER;
    case ControlKind::GradientButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::Label:
      return entry.style == TextStyle::Link                  ? ROLE_SYSTEM_LINK
             : entry.name.starts_with("lblSensibiliteKnobs") ? ROLE_SYSTEM_BUTTONMENU
                                                             : ROLE_SYSTEM_STATICTEXT;
    case ControlKind::Picture:
      return ROLE_SYSTEM_GRAPHIC;
    default:
      return 0;
  }
}

}  // namespace

void AnnotateControls(const ControlSet& controls) {
  IAccPropServices* service = Service();
  for (const auto& control : controls.All()) {
    const ControlEntry& entry = *control->entry;
    const long role = RoleOf(entry);
    if (control->hwnd == nullptr || role == 0) {
      continue;
    }
    if (entry.kind == ControlKind::Knob) {
      // Its window text is its name, as a button's caption is.
      const std::string_view label = LabelInFront(controls.Entries(), entry);
      if (const Control* found = controls.Find(label)) {
        SetWindowTextW(control->hwnd, ToUtf16(found->entry->caption).c_str());
      }
    }
    if (service != nullptr) {
      VARIANT value;
      VariantInit(&value);
      value.vt = VT_I4;
      value.lVal = role;
      service->SetHwndProp(control->hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                           PROPID_ACC_ROLE, value);
    }
  }
}

void AnnotateKnobValue(Control& knob, int value) {
  if (knob.announcedValue == value) {
    return;
  }
  knob.announcedValue = value;
  if (IAccPropServices* service = Service()) {
    service->SetHwndPropStr(knob.hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            PROPID_ACC_VALUE, std::to_wstring(value).c_str());
  }
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, knob.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace velmora
