// One entry of the popup's list as assistive technologies see it: a row,
// with its spoken name, state and actions (paste, pin or unpin, delete), or
// the section heading drawn above one. The list paints its rows itself, so
// they have no widgets of their own; these stand in for them.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

#include "history/Uuid.h"

class HistoryListWidget;

class AccessibleListEntry : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  /// The row of `id`, or the heading above it when `heading`.
  struct Key {
    Uuid id;
    bool heading = false;

    friend bool operator==(const Key&, const Key&) = default;
  };

  AccessibleListEntry(HistoryListWidget& list, Key key);

  const Key& key() const { return key_; }

  bool isValid() const override;
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
  QPointer<HistoryListWidget> list_;
  Key key_;
};
