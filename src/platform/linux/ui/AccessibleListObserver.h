// What the painted list tells its accessible interface, after that exists.
#pragma once

#include "history/Uuid.h"

class AccessibleListObserver {
 public:
  /// The rows were laid out anew: some may have come, gone or moved.
  virtual void rowsChanged() = 0;
  /// The selection moved onto the row of `id`; nothing when it was there.
  virtual void selectionMoved(const Uuid& id) = 0;
  /// The focus came to the selected row of `id`.
  virtual void focusMoved(const Uuid& id) = 0;
  /// The row of `id` changed what it says (pinned or unpinned) in place.
  virtual void rowRenamed(const Uuid& id) = 0;
  /// The list is being destroyed: nothing may be asked of it any more.
  virtual void sourceDestroyed() = 0;

 protected:
  ~AccessibleListObserver() = default;
};
