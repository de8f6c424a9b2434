#include "window/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>

#include "surface/form/LabelInFront.h"
#include "window/ClickLabel.h"
#include "window/KnobWidget.h"

namespace velmora {

namespace {

// A screen reader's action may open a menu or a message box: it runs once the reader has
// its answer, not inside the call that asked for it.
template <typename Action>
void Later(QObject* target, Action action) {
  QMetaObject::invokeMethod(target, std::move(action), Qt::QueuedConnection);
}

class KnobAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit KnobAccessible(KnobWidget* knob) : QAccessibleWidget(knob, QAccessible::Slider) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text which) const override {
    return which == QAccessible::Value ? QString::number(Knob()->Value())
                                       : QAccessibleWidget::text(which);
  }

  QVariant currentValue() const override { return Knob()->Value(); }
  // A knob moves by its sensitivity's steps only, as with the mouse.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 127; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return {}; }

  QStringList actionNames() const override {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    KnobWidget* knob = Knob();
    if (action == increaseAction() || action == decreaseAction()) {
      const MouseButton button =
          action == increaseAction() ? MouseButton::Right : MouseButton::Left;
      Later(knob, [knob, button] { emit knob->keyTurned(button, false); });
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  KnobWidget* Knob() const { return static_cast<KnobWidget*>(widget()); }
};

// The factor on a channel screen opens the sensitivity menu; the About window's link opens
// the website.
class ClickLabelAccessible : public QAccessibleWidget {
 public:
  ClickLabelAccessible(ClickLabel* label, QAccessible::Role role)
      : QAccessibleWidget(label, role) {}

  QString text(QAccessible::Text which) const override {
    const QString own = static_cast<const QLabel*>(widget())->text();
    if (which != QAccessible::Name) {
      return QAccessibleWidget::text(which);
    }
    const QString inFront = QAccessibleWidget::text(which);
    return inFront.isEmpty() || inFront == own ? own : inFront + own;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    auto* label = static_cast<ClickLabel*>(widget());
    if (action == pressAction()) {
      Later(label, [label] { emit label->clicked(label->ClickPlace()); });
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
  if (className == QLatin1String("velmora::KnobWidget")) {
    return new KnobAccessible(static_cast<KnobWidget*>(object));
  }
  if (className == QLatin1String("velmora::ClickLabel")) {
    auto* label = static_cast<ClickLabel*>(object);
    if (label->focusPolicy() == Qt::NoFocus) {
      return nullptr;
    }
    const bool menu = label->objectName().startsWith(QLatin1String("lblSensibilite"));
    return new ClickLabelAccessible(label, menu ? QAccessible::ButtonMenu : QAccessible::Link);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  QAccessible::installFactory(MakeInterface);
}

void NameByLabelsInFront(const ControlSet& widgets, std::span<const ControlEntry> table) {
  for (const ControlEntry& control : table) {
    if (!NamedByLabelInFront(control)) {
      continue;
    }
    auto* label = widgets.As<QLabel>(LabelInFront(table, control));
    QWidget* widget = widgets.Find(control.name);
    if (label != nullptr && widget != nullptr) {
      label->setBuddy(widget);
    }
  }
}

}  // namespace velmora
