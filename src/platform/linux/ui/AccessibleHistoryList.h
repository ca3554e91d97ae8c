// The popup's painted list as assistive technologies see it: a list of its
// section headings and rows in the order drawn, whose selection and focus
// follow the keyboard's selection.
#pragma once

#include <QAccessibleWidget>
#include <optional>
#include <utility>
#include <vector>

#include "platform/linux/ui/AccessibleListEntry.h"

class HistoryListWidget;

class AccessibleHistoryList : public QAccessibleWidget {
 public:
  explicit AccessibleHistoryList(HistoryListWidget& list);
  ~AccessibleHistoryList() override;
  AccessibleHistoryList(const AccessibleHistoryList&) = delete;
  AccessibleHistoryList& operator=(const AccessibleHistoryList&) = delete;

  /// The list's interface, once assistive technology has asked for it.
  static AccessibleHistoryList* of(HistoryListWidget& list);

  /// Brings the entries in line with the rows as laid out, telling
  /// listeners which came and went.
  void sync();
  /// The selection moved onto the row of `id`: say so, and move the focus
  /// there when the popup has it.
  void selectionMoved(const Uuid& id);

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;

 private:
  HistoryListWidget& list() const;
  QAccessibleInterface* entry(const AccessibleListEntry::Key& key) const;

  /// Each entry's interface, registered with Qt, in the list's order.
  std::vector<std::pair<AccessibleListEntry::Key, QAccessible::Id>> entries_;
  /// The row last announced as selected.
  std::optional<Uuid> selected_;
};
