// Tells Qt how assistive technologies should see the popup's own widgets:
// the painted list as a list of its rows, and any widget given a role here
// (the panel as a dialog, the About window as a window, the empty state as a
// notification) as a plain widget of that role.
#pragma once

#include <QAccessible>

class QWidget;

namespace AccessibleFactory {

/// Safe to call more than once; only the first call installs.
void install();

/// Has `widget` seen with `role`; call before it is first shown.
void setRole(QWidget& widget, QAccessible::Role role);

}  // namespace AccessibleFactory
