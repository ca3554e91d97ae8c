// Tells Qt how assistive technologies should see the popup's own widgets:
// the panel as a dialog named after the app, the About window as a window,
// the painted list as a list of its rows, and the empty state as a
// notification that is spoken when it appears.
#pragma once

#include <string_view>

namespace AccessibleFactory {

/// The object name that marks the card's empty-state area.
inline constexpr std::string_view emptyStateName = "emptyState";

/// Safe to call more than once; only the first call installs.
void install();

}  // namespace AccessibleFactory
