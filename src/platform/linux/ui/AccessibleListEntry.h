// One entry of the popup's list as assistive technologies see it: a row,
// with its spoken name, state and actions (paste, pin or unpin, delete), or
// the section heading drawn above one. The list paints its rows itself, so
// they have no widgets of their own; these stand in for them.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

#include "platform/linux/ui/AccessibleListSource.h"

class AccessibleListEntry : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  using Key = AccessibleListSource::Key;

  /// `source` is read only while its widget lives.
  AccessibleListEntry(AccessibleListSource& source, Key key);

  const Key& key() const { return key_; }

  /// Valid while the list is: an entry that has just left the list is still
  /// asked for its parent as its going is announced.
  bool isValid() const override { return !widget_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  QStringList actionNames() const override;
  QString localizedActionName(const QString& name) const override;
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString& name) const override;

 private:
  /// Whether the entry is in the list as drawn now.
  bool isListed() const { return isValid() && source_.isListed(key_.id); }

  AccessibleListSource& source_;
  QPointer<QWidget> widget_;
  Key key_;
};
