// What the list's accessible interfaces read of the painted list, and the
// one way back: the list tells an observer what changed, once one exists.
// The accessible side depends on this alone, never on the widget.
#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "history/Uuid.h"
#include "views/AccessibleRow.h"

class AccessibleListObserver;
class QWidget;

class AccessibleListSource {
 public:
  /// A row, by its entry's id, or the section heading drawn above it.
  struct Key {
    Uuid id;
    bool heading = false;

    friend bool operator==(const Key&, const Key&) = default;
  };

  enum class Action { paste, togglePin, remove };

  /// The widget the list is painted in.
  virtual QWidget& widget() = 0;
  /// The headings and rows, in the order drawn.
  virtual std::vector<Key> keys() const = 0;
  /// The heading's title, or the row's absence as nothing.
  virtual std::optional<QString> headingTitle(const Uuid& id) const = 0;
  virtual bool isListed(const Uuid& id) const = 0;
  /// What a screen reader says of the listed row of `id`.
  virtual AccessibleRow accessibleRow(const Uuid& id) = 0;
  virtual bool isSelected(const Uuid& id) const = 0;
  /// Where the entry is on the screen; empty when it is not listed.
  virtual QRect screenRect(const Key& key) const = 0;
  /// Whether any of the entry shows in the scroll area.
  virtual bool isShown(const Key& key) const = 0;
  /// Whether the selected row holds the focus: the list has the keyboard, or
  /// the selection was last moved by a key from the search field.
  virtual bool selectionHasFocus() const = 0;
  virtual QString listName() const = 0;
  virtual QString listDescription() const = 0;
  /// Acts on the row of `id`; a row that is gone is ignored.
  virtual void perform(const Uuid& id, Action action) = 0;
  /// Told of changes from now on; nullptr stops that.
  virtual void setObserver(AccessibleListObserver* observer) = 0;

 protected:
  ~AccessibleListSource() = default;
};
