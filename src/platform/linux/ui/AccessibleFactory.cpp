// Accessible interfaces for the popup's widgets.
#include "platform/linux/ui/AccessibleFactory.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

#include "platform/linux/ui/AccessibleHistoryList.h"
#include "platform/linux/ui/AccessibleListSource.h"

namespace {

constexpr const char* roleProperty = "pellimoreAccessibleRole";

QAccessibleInterface* create(const QString& /*className*/, QObject* object) {
  if (auto* list = dynamic_cast<AccessibleListSource*>(object))
    return new AccessibleHistoryList(*list);
  auto* widget = qobject_cast<QWidget*>(object);
  const QVariant role = widget ? widget->property(roleProperty) : QVariant();
  if (!role.isValid())
    return nullptr;
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void AccessibleFactory::install() {
  static const bool installed = [] {
    QAccessible::installFactory(create);
    return true;
  }();
  (void)installed;
}

void AccessibleFactory::setRole(QWidget& widget, QAccessible::Role role) {
  install();
  widget.setProperty(roleProperty, static_cast<int>(role));
}
