// A painted row or section heading of the popup's list, for assistive
// technologies.
#include "platform/linux/ui/AccessibleListEntry.h"

#include <QKeySequence>

#include "platform/linux/ui/QtFont.h"
#include "views/AccessibleRow.h"

namespace {

QString actionName(std::string_view name) {
  return QtFont::toQString(name);
}

}  // namespace

AccessibleListEntry::AccessibleListEntry(AccessibleListSource& source, Key key)
    : source_(source), widget_(&source.widget()), key_(key) {}

QWindow* AccessibleListEntry::window() const {
  return widget_ ? widget_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleListEntry::parent() const {
  return widget_ ? QAccessible::queryAccessibleInterface(widget_.data()) : nullptr;
}

QString AccessibleListEntry::text(QAccessible::Text t) const {
  if (!isListed())
    return {};
  if (key_.heading)
    return t == QAccessible::Name ? source_.headingTitle(key_.id).value_or(QString()) : QString();
  switch (t) {
    case QAccessible::Name:
      return QString::fromStdString(source_.accessibleRow(key_.id).name);
    case QAccessible::Description:
      return QString::fromStdString(source_.accessibleRow(key_.id).description);
    default:
      return {};
  }
}

QRect AccessibleListEntry::rect() const {
  return isListed() ? source_.screenRect(key_) : QRect();
}

QAccessible::Role AccessibleListEntry::role() const {
  return key_.heading ? QAccessible::Heading : QAccessible::ListItem;
}

QAccessible::State AccessibleListEntry::state() const {
  QAccessible::State state;
  if (!isListed()) {
    state.invalid = true;
    return state;
  }
  state.offscreen = !source_.isShown(key_);
  if (key_.heading)
    return state;
  state.selectable = true;
  state.focusable = true;
  state.selected = source_.isSelected(key_.id);
  state.focused = state.selected && source_.selectionHasFocus();
  return state;
}

void* AccessibleListEntry::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface && !key_.heading)
    return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

QStringList AccessibleListEntry::actionNames() const {
  if (!isListed() || key_.heading)
    return {};
  return {actionName(AccessibleRow::pasteAction),
          actionName(source_.accessibleRow(key_.id).pinOrUnpinAction),
          actionName(AccessibleRow::deleteAction)};
}

QString AccessibleListEntry::localizedActionName(const QString& name) const {
  if (name == actionName(AccessibleRow::pasteAction))
    return QStringLiteral("Paste");
  if (name == actionName(AccessibleRow::deleteAction))
    return QStringLiteral("Delete");
  if (isListed())
    return QtFont::toQString(source_.accessibleRow(key_.id).pinOrUnpinLabel);
  return name;
}

void AccessibleListEntry::doAction(const QString& name) {
  if (!isListed() || key_.heading)
    return;
  if (name == actionName(AccessibleRow::pasteAction)) {
    source_.perform(key_.id, AccessibleListSource::Action::paste);
  } else if (name == actionName(AccessibleRow::pinAction) ||
             name == actionName(AccessibleRow::unpinAction)) {
    source_.perform(key_.id, AccessibleListSource::Action::togglePin);
  } else if (name == actionName(AccessibleRow::deleteAction)) {
    source_.perform(key_.id, AccessibleListSource::Action::remove);
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
