// What the About window shows, top to bottom, as data the front ends draw
// without deciding anything (styles and measures are in AboutMetrics).
#pragma once

#include <memory>
#include <string>

#include "platform/Image.h"

struct AboutContent {
  /// The wordmark asset; null when it is missing or unreadable, and then
  /// `wordmarkText` is shown in its place.
  std::shared_ptr<Image> wordmarkImage;
  /// Empty when there is a wordmark image.
  std::string wordmarkText;
  std::string name;
  std::string versionLine;
  /// Shown as given, line feeds included.
  std::string tagline;
  /// The website button's label; pressing it calls AboutView::visitWebsite.
  std::string buttonLabel;
  std::string rightsNotice;
};
