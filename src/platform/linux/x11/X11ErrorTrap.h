// Catches the X errors of a few Xlib calls instead of letting Xlib's default
// handler end the process (a window that vanished, a key someone else grabbed).
#pragma once

struct _XDisplay;

class X11ErrorTrap {
 public:
  /// Installs the trap; errors are counted until `sync` or destruction.
  explicit X11ErrorTrap(_XDisplay* display);
  /// Restores the previous handler after a round trip, so late errors of the
  /// trapped calls are still caught.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  /// Waits until the server has answered every request so far; true when
  /// none of them failed since the trap was installed.
  bool sync();
  /// The error code of the first failure (BadAccess, BadWindow...), 0 if none.
  int firstError() const;

 private:
  _XDisplay* display_;
};
