// The About window's content.
#include "app/AboutView.h"

#include <string>

#include "app/Brand.h"
#include "app/BrandConfig.h"
#include "app/Url.h"

AboutView::AboutView(const ResourceBundle& bundle, Workspace& workspace)
    : bundle_(bundle), workspace_(workspace) {}

AboutContent AboutView::content() const {
  AboutContent content;
  content.wordmarkImage = Brand::image(bundle_, wordmarkAsset);
  if (!content.wordmarkImage) {
    content.wordmarkText = wordmarkFallbackText;
  }
  content.name = std::string(Brand::appName);
  content.versionLine = "Version " + Brand::version(bundle_);
  content.tagline = std::string(Brand::tagline);
  content.buttonLabel = "Visit " + std::string(Brand::webDomain);
  content.rightsNotice = "© " + std::string(BrandConfig::copyrightYear) + " " +
                         std::string(Brand::company) + ". All rights reserved.";
  return content;
}

void AboutView::visitWebsite() {
  Url::openIfValid(workspace_, Brand::website);
}
