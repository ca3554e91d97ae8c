// The commands of the status menu, so a backend can route a chosen item back
// to its target without knowing what the command does.
#pragma once

enum class MenuAction {
  none,
  openHistory,
  toggleLaunchAtLogin,
  fixAccessibility,
  clearHistory,
  showAbout,
  visitWebsite,
  quit,
};
