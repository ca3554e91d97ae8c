// The About window's content: brand values arranged as AboutContent, and the
// website button's action.
#pragma once

#include "app/AboutContent.h"

class ResourceBundle;
class Workspace;

class AboutView {
 public:
  static constexpr const char* wordmarkAsset = "PellimoreWordmark";
  static constexpr const char* wordmarkFallbackText = "pellimore";

  AboutView(const ResourceBundle& bundle, Workspace& workspace);

  /// Built on each call, so the version line follows the bundle as it is
  /// read now.
  AboutContent content() const;
  /// Opens the maker's website, as the status menu's command does; nothing
  /// happens when the configured address is not a URL.
  void visitWebsite();

 private:
  const ResourceBundle& bundle_;
  Workspace& workspace_;
};
