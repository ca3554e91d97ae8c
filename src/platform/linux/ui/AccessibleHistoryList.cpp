// The painted history list for assistive technologies.
#include "platform/linux/ui/AccessibleHistoryList.h"

#include <algorithm>

#include "platform/linux/ui/HistoryListWidget.h"
#include "platform/linux/ui/QtFont.h"

AccessibleHistoryList::AccessibleHistoryList(HistoryListWidget& list)
    : QAccessibleWidget(&list, QAccessible::List) {
  list.setAskedForAccessibility();
  sync();
}

AccessibleHistoryList::~AccessibleHistoryList() {
  for (const auto& [key, id] : entries_)
    QAccessible::deleteAccessibleInterface(id);
}

AccessibleHistoryList* AccessibleHistoryList::of(HistoryListWidget& list) {
  // Until something has read the list as a list, there is nothing to keep
  // up to date, and nobody to tell.
  if (!list.askedForAccessibility())
    return nullptr;
  return dynamic_cast<AccessibleHistoryList*>(QAccessible::queryAccessibleInterface(&list));
}

HistoryListWidget& AccessibleHistoryList::list() const {
  return *static_cast<HistoryListWidget*>(widget());
}

void AccessibleHistoryList::sync() {
  std::vector<AccessibleListEntry::Key> keys;
  for (const HistoryListWidget::RowGeometry& geometry : list().rows()) {
    if (geometry.sectionTitle)
      keys.push_back({geometry.row.id, true});
    keys.push_back({geometry.row.id, false});
  }
  const auto kept = [&keys](const auto& entry) {
    return std::find(keys.begin(), keys.end(), entry.first) != keys.end();
  };
  // Entries that went are announced while they can still be asked for
  // their place, then forgotten.
  for (const auto& entry : entries_) {
    if (kept(entry))
      continue;
    QAccessibleEvent gone(QAccessible::accessibleInterface(entry.second),
                          QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&gone);
  }
  std::vector<std::pair<AccessibleListEntry::Key, QAccessible::Id>> next;
  std::vector<QAccessible::Id> added;
  for (const AccessibleListEntry::Key& key : keys) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const auto& entry) { return entry.first == key; });
    if (found != entries_.end()) {
      next.push_back(*found);
    } else {
      // Qt owns what it registers and deletes it with deleteAccessibleInterface.
      auto* created = new AccessibleListEntry(list(), key);
      // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
      next.emplace_back(key, QAccessible::registerAccessibleInterface(created));
      added.push_back(next.back().second);
    }
  }
  for (const auto& entry : entries_) {
    if (!kept(entry))
      QAccessible::deleteAccessibleInterface(entry.second);
  }
  entries_ = std::move(next);
  for (QAccessible::Id id : added) {
    QAccessibleEvent came(QAccessible::accessibleInterface(id), QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&came);
  }
}

void AccessibleHistoryList::selectionMoved(const Uuid& id) {
  // Qt's bridge reports each row's selected state as it is now, so the row
  // left is told too. (Its AT-SPI side has no selection-changed signal for
  // the list; screen readers follow these and the focus.)
  for (const std::optional<Uuid>& changed : {selected_, std::optional<Uuid>(id)}) {
    QAccessibleInterface* row = changed ? entry({*changed, false}) : nullptr;
    if (!row)
      continue;
    QAccessibleEvent selection(row, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
  }
  selected_ = id;
  QAccessibleInterface* row = entry({id, false});
  if (row && list().popupHasFocus()) {
    QAccessibleEvent focus(row, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

QAccessibleInterface* AccessibleHistoryList::entry(const AccessibleListEntry::Key& key) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&key](const auto& entry) { return entry.first == key; });
  return found == entries_.end() ? nullptr : QAccessible::accessibleInterface(found->second);
}

int AccessibleHistoryList::childCount() const {
  return static_cast<int>(entries_.size());
}

QAccessibleInterface* AccessibleHistoryList::child(int index) const {
  if (index < 0 || index >= childCount())
    return nullptr;
  return QAccessible::accessibleInterface(entries_[static_cast<std::size_t>(index)].second);
}

int AccessibleHistoryList::indexOfChild(const QAccessibleInterface* child) const {
  const auto* listEntry = dynamic_cast<const AccessibleListEntry*>(child);
  if (!listEntry)
    return -1;
  const auto found = std::find_if(entries_.begin(), entries_.end(), [listEntry](const auto& entry) {
    return entry.first == listEntry->key();
  });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

QAccessibleInterface* AccessibleHistoryList::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* candidate = child(i);
    if (candidate && candidate->rect().contains(x, y))
      return candidate;
  }
  return nullptr;
}

QAccessibleInterface* AccessibleHistoryList::focusChild() const {
  for (int i = 0; i < childCount(); ++i) {
    QAccessibleInterface* candidate = child(i);
    if (candidate && candidate->state().focused)
      return candidate;
  }
  return nullptr;
}

QString AccessibleHistoryList::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return QtFont::toQString(list().spokenTexts().listName);
    case QAccessible::Description:
      return QString::fromStdString(list().spokenTexts().listDescription);
    default:
      return QAccessibleWidget::text(t);
  }
}
