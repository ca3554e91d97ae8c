// Accessible interfaces for the popup's widgets.
#include "platform/linux/ui/AccessibleFactory.h"

#include <QAccessibleWidget>

#include "platform/linux/ui/AccessibleHistoryList.h"
#include "platform/linux/ui/HistoryListWidget.h"
#include "platform/linux/ui/QtFont.h"
#include "platform/linux/ui/QtPanel.h"
#include "platform/linux/ui/QtWindow.h"

namespace {

QAccessibleInterface* create(const QString& /*className*/, QObject* object) {
  if (auto* list = dynamic_cast<HistoryListWidget*>(object))
    return new AccessibleHistoryList(*list);
  if (auto* panel = dynamic_cast<QtPanel*>(object))
    return new QAccessibleWidget(panel, QAccessible::Dialog);
  if (auto* window = dynamic_cast<QtWindow*>(object))
    return new QAccessibleWidget(window, QAccessible::Window);
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget && widget->objectName() == QtFont::toQString(AccessibleFactory::emptyStateName))
    return new QAccessibleWidget(widget, QAccessible::Notification);
  return nullptr;
}

}  // namespace

void AccessibleFactory::install() {
  static const bool installed = [] {
    QAccessible::installFactory(create);
    return true;
  }();
  (void)installed;
}
