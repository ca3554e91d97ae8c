// The popup's painted list as assistive technologies see it: a list of its
// section headings and rows in the order drawn, whose selection and focus
// follow the keyboard's selection.
#pragma once

#include <QAccessibleWidget>
#include <optional>
#include <utility>
#include <vector>

#include "platform/linux/ui/AccessibleListEntry.h"
#include "platform/linux/ui/AccessibleListObserver.h"
#include "platform/linux/ui/AccessibleListSource.h"

class AccessibleHistoryList : public QAccessibleWidget, public AccessibleListObserver {
 public:
  /// Reads the rows as they are without announcing them: Qt has not cached
  /// this interface yet, and an event now would have it built again.
  explicit AccessibleHistoryList(AccessibleListSource& source);
  ~AccessibleHistoryList() override;
  AccessibleHistoryList(const AccessibleHistoryList&) = delete;
  AccessibleHistoryList& operator=(const AccessibleHistoryList&) = delete;

  void rowsChanged() override;
  void selectionMoved(const Uuid& id) override;
  void focusMoved(const Uuid& id) override;
  void rowRenamed(const Uuid& id) override;
  void sourceDestroyed() override { sourceAlive_ = false; }

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;

 private:
  using Entries = std::vector<std::pair<AccessibleListEntry::Key, QAccessible::Id>>;

  /// The entries for `keys`, reusing those already registered.
  Entries entriesFor(const std::vector<AccessibleListEntry::Key>& keys,
                     std::vector<QAccessible::Id>& added);
  QAccessibleInterface* entry(const AccessibleListEntry::Key& key) const;

  AccessibleListSource& source_;
  /// Qt drops this interface only once the widget's QObject part goes, after
  /// the list's own destructor has run.
  bool sourceAlive_ = true;
  /// Each entry's interface, registered with Qt, in the list's order.
  Entries entries_;
  /// While an added entry is announced, the count of the entries before it:
  /// Qt's bridge gives the list's child count as the new child's index.
  std::optional<int> announcing_;
  /// The row last announced as selected.
  std::optional<Uuid> selected_;
};
