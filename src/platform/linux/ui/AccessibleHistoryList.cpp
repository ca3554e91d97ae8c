// The painted history list for assistive technologies.
#include "platform/linux/ui/AccessibleHistoryList.h"

#include <QTimer>
#include <algorithm>
#include <chrono>

namespace {

/// Longer than a screen reader takes to turn to where the focus went.
constexpr std::chrono::milliseconds forgetAfter{3000};

}  // namespace

AccessibleHistoryList::AccessibleHistoryList(AccessibleListSource& source)
    : QAccessibleWidget(&source.widget(), QAccessible::List), source_(source) {
  std::vector<QAccessible::Id> added;
  entries_ = entriesFor(source_.keys(), added);
  source_.setObserver(this);
}

AccessibleHistoryList::~AccessibleHistoryList() {
  if (sourceAlive_)
    source_.setObserver(nullptr);
  for (const auto& [key, id] : entries_)
    QAccessible::deleteAccessibleInterface(id);
}

AccessibleHistoryList::Entries AccessibleHistoryList::entriesFor(
    const std::vector<AccessibleListEntry::Key>& keys, std::vector<QAccessible::Id>& added) {
  Entries next;
  next.reserve(keys.size());
  for (const AccessibleListEntry::Key& key : keys) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const auto& entry) { return entry.first == key; });
    if (found != entries_.end()) {
      next.push_back(*found);
      continue;
    }
    // Qt owns what it registers and deletes it with deleteAccessibleInterface.
    auto* created = new AccessibleListEntry(source_, key);
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
    next.emplace_back(key, QAccessible::registerAccessibleInterface(created));
    added.push_back(next.back().second);
  }
  return next;
}

void AccessibleHistoryList::rowsChanged() {
  const std::vector<AccessibleListEntry::Key> keys = source_.keys();
  const auto kept = [&keys](const auto& entry) {
    return std::find(keys.begin(), keys.end(), entry.first) != keys.end();
  };
  Entries left = entries_;
  std::vector<QAccessible::Id> added;
  entries_ = entriesFor(keys, added);
  // In the list's order, so that each index holds as the next one comes.
  for (QAccessible::Id id : added) {
    QAccessibleInterface* created = QAccessible::accessibleInterface(id);
    announcing_ = indexOfChild(created);
    QAccessibleEvent event(created, QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&event);
    announcing_.reset();
  }
  // A screen reader whose focus is left on a row that goes loses its place
  // and reads the whole popup again: the focus moves on first.
  const auto selected = std::find_if(keys.begin(), keys.end(), [this](const auto& key) {
    return !key.heading && source_.isSelected(key.id);
  });
  if (selected != keys.end())
    selectionMoved(selected->id);
  // Entries that went are announced while they can still be asked for
  // their parent, and forgotten a little later: a screen reader whose focus
  // was on one asks it what it was as the focus moves on, and one that no
  // longer answers has it read the whole popup again.
  std::vector<QAccessible::Id> gone;
  for (const auto& entry : left) {
    if (kept(entry))
      continue;
    QAccessibleEvent event(QAccessible::accessibleInterface(entry.second),
                           QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&event);
    gone.push_back(entry.second);
  }
  if (gone.empty())
    return;
  QTimer::singleShot(forgetAfter, &source_.widget(), [gone] {
    for (QAccessible::Id id : gone)
      QAccessible::deleteAccessibleInterface(id);
  });
}

void AccessibleHistoryList::selectionMoved(const Uuid& id) {
  if (selected_ == id)
    return;
  // Qt's bridge reports each row's selected state as it is now, so the row
  // left is told too.
  for (const std::optional<Uuid>& changed : {selected_, std::optional<Uuid>(id)}) {
    QAccessibleInterface* row = changed ? entry({*changed, false}) : nullptr;
    if (!row)
      continue;
    QAccessibleEvent selection(row, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
  }
  selected_ = id;
  if (source_.selectionHasFocus())
    focusMoved(id);
}

void AccessibleHistoryList::focusMoved(const Uuid& id) {
  if (QAccessibleInterface* row = entry({id, false})) {
    QAccessibleEvent focus(row, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

void AccessibleHistoryList::rowRenamed(const Uuid& id) {
  if (QAccessibleInterface* row = entry({id, false})) {
    QAccessibleEvent renamed(row, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
  }
}

QAccessibleInterface* AccessibleHistoryList::entry(const AccessibleListEntry::Key& key) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&key](const auto& entry) { return entry.first == key; });
  return found == entries_.end() ? nullptr : QAccessible::accessibleInterface(found->second);
}

int AccessibleHistoryList::childCount() const {
  return announcing_.value_or(static_cast<int>(entries_.size()));
}

QAccessibleInterface* AccessibleHistoryList::child(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size())
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
  for (const auto& [key, id] : entries_) {
    QAccessibleInterface* candidate = QAccessible::accessibleInterface(id);
    if (candidate && candidate->rect().contains(x, y))
      return candidate;
  }
  return nullptr;
}

QAccessibleInterface* AccessibleHistoryList::focusChild() const {
  for (const auto& [key, id] : entries_) {
    QAccessibleInterface* candidate = QAccessible::accessibleInterface(id);
    if (candidate && candidate->state().focused)
      return candidate;
  }
  return nullptr;
}

QString AccessibleHistoryList::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return source_.listName();
    case QAccessible::Description:
      return source_.listDescription();
    default:
      return QAccessibleWidget::text(t);
  }
}
