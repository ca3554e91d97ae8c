// A painted row or section heading of the popup's list, for assistive
// technologies.
#include "platform/linux/ui/AccessibleListEntry.h"

#include <QKeySequence>

#include "platform/linux/ui/HistoryListWidget.h"
#include "platform/linux/ui/QtFont.h"
#include "views/AccessibleRow.h"
#include "views/HistoryView.h"

namespace {

QString actionName(std::string_view name) {
  return QtFont::toQString(name);
}

}  // namespace

AccessibleListEntry::AccessibleListEntry(HistoryListWidget& list, Key key)
    : list_(&list), key_(key) {}

bool AccessibleListEntry::isValid() const {
  return list_ && list_->rowFor(key_.id) != nullptr;
}

QWindow* AccessibleListEntry::window() const {
  return list_ ? list_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleListEntry::parent() const {
  return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
}

QString AccessibleListEntry::text(QAccessible::Text t) const {
  const HistoryListWidget::RowGeometry* geometry = list_ ? list_->rowFor(key_.id) : nullptr;
  if (!geometry)
    return {};
  if (key_.heading)
    return t == QAccessible::Name ? geometry->sectionTitle.value_or(QString()) : QString();
  switch (t) {
    case QAccessible::Name:
      return QString::fromStdString(list_->accessibleRow(key_.id).name);
    case QAccessible::Description:
      return QString::fromStdString(list_->accessibleRow(key_.id).description);
    default:
      return {};
  }
}

QRect AccessibleListEntry::rect() const {
  const HistoryListWidget::RowGeometry* geometry = list_ ? list_->rowFor(key_.id) : nullptr;
  if (!geometry)
    return {};
  return list_->screenRect(key_.heading ? geometry->titleRect : geometry->rowRect);
}

QAccessible::Role AccessibleListEntry::role() const {
  return key_.heading ? QAccessible::Heading : QAccessible::ListItem;
}

QAccessible::State AccessibleListEntry::state() const {
  QAccessible::State state;
  const HistoryListWidget::RowGeometry* geometry = list_ ? list_->rowFor(key_.id) : nullptr;
  if (!geometry) {
    state.invalid = true;
    return state;
  }
  state.offscreen =
      !list_->isShownInViewport(key_.heading ? geometry->titleRect : geometry->rowRect);
  if (key_.heading)
    return state;
  state.selectable = true;
  state.focusable = true;
  state.selected = geometry->row.state.selected;
  state.focused = state.selected && list_->popupHasFocus();
  return state;
}

void* AccessibleListEntry::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface && !key_.heading)
    return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

QStringList AccessibleListEntry::actionNames() const {
  if (!isValid() || key_.heading)
    return {};
  return {actionName(AccessibleRow::pasteAction),
          actionName(list_->accessibleRow(key_.id).pinOrUnpinAction),
          actionName(AccessibleRow::deleteAction)};
}

QString AccessibleListEntry::localizedActionName(const QString& name) const {
  if (name == actionName(AccessibleRow::pasteAction))
    return QStringLiteral("Paste");
  if (name == actionName(AccessibleRow::deleteAction))
    return QStringLiteral("Delete");
  if (isValid())
    return QtFont::toQString(list_->accessibleRow(key_.id).pinOrUnpinLabel);
  return name;
}

void AccessibleListEntry::doAction(const QString& name) {
  if (!isValid() || key_.heading)
    return;
  HistoryView& view = list_->view();
  if (name == actionName(AccessibleRow::pasteAction)) {
    view.clickRow(key_.id);
  } else if (name == actionName(AccessibleRow::pinAction) ||
             name == actionName(AccessibleRow::unpinAction)) {
    view.togglePin(key_.id);
  } else if (name == actionName(AccessibleRow::deleteAction)) {
    view.deleteItem(key_.id);
  }
}

QStringList AccessibleListEntry::keyBindingsForAction(const QString& name) const {
  if (name == actionName(AccessibleRow::pasteAction))
    return {QKeySequence(Qt::Key_Return).toString()};
  if (name == actionName(AccessibleRow::deleteAction))
    return {QKeySequence(Qt::SHIFT | Qt::Key_Delete).toString()};
  if (name == actionName(AccessibleRow::pinAction) ||
      name == actionName(AccessibleRow::unpinAction))
    return {QKeySequence(Qt::CTRL | Qt::Key_P).toString()};
  return {};
}
