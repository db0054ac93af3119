#include "ui/accessible_radio.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRadioButton>

namespace ui {

namespace {

class RadioButtonAccessible : public QAccessibleWidget {
 public:
  explicit RadioButtonAccessible(QRadioButton* radio)
      : QAccessibleWidget(radio, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty()) {
      // The caption without its escaped ampersands.
      text = Radio()->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    return text;
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Radio()->isChecked();
    return state;
  }

  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }

  // As a click: through the button's own signal, and so the dispatcher.
  void doAction(const QString& name) override {
    if (name == pressAction()) {
      if (Radio()->isEnabled()) Radio()->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  QRadioButton* Radio() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* RadioButtonFactory(const QString& className, QObject* object) {
  auto* radio = qobject_cast<QRadioButton*>(object);
  if (className != QLatin1String("QRadioButton") || radio == nullptr || radio->autoExclusive())
    return nullptr;
  return new RadioButtonAccessible(radio);
}

}  // namespace

void InstallRadioButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(RadioButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace ui
