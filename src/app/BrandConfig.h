// Identity values chosen when the build is configured (CMake cache values).
// Only their definitions are generated, into the build folder, so every
// source file reads without a configured build.
#pragma once

#include <string_view>

namespace BrandConfig {

extern const std::string_view website;
extern const std::string_view webDomain;
/// Two sentences separated by one line feed.
extern const std::string_view tagline;
extern const std::string_view copyrightYear;
/// The project version; the macOS bundle carries the same value.
extern const std::string_view version;

}  // namespace BrandConfig
