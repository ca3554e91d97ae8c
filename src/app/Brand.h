// The product's identity in one place: names, website, tagline, the brand
// green, the version the bundle carries, and the images shipped with it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/BrandConfig.h"
#include "app/SrgbColor.h"
#include "platform/Image.h"

class ResourceBundle;

namespace Brand {

inline constexpr std::string_view appName = "Pellimore Clip";
inline constexpr std::string_view company = "Pellimore";
inline constexpr const std::string_view& website = BrandConfig::website;
/// The host part of the website, as shown in "Visit " + webDomain.
inline constexpr const std::string_view& webDomain = BrandConfig::webDomain;
/// Two sentences separated by one line feed.
inline constexpr const std::string_view& tagline = BrandConfig::tagline;

/// #00FF91, for the declarative views.
inline constexpr SrgbColor green{0.0, 1.0, 145.0 / 255.0, 1.0};
/// The same colour, for the window framework's own controls.
inline constexpr SrgbColor greenNS = green;

/// The bundle's information key for the user-visible version.
inline constexpr std::string_view versionKey = "CFBundleShortVersionString";
/// Shown when the bundle's version is missing or not text.
inline constexpr std::string_view fallbackVersion = "1.0";

/// Read anew on each call: the bundle's "CFBundleShortVersionString" when it
/// is present and a string, otherwise "1.0".
std::string version(const ResourceBundle& bundle);

/// The PNG resource `name` (no extension), or null when the bundle has none
/// or it cannot be read as an image. Never reports an error.
std::shared_ptr<Image> image(const ResourceBundle& bundle, std::string_view name);

}  // namespace Brand
