// The main NSBundle reduced to plain C++ values, apart from the core's
// geometry types (see AppKitImage.h for why).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace AppKitBundle {

using InfoValue = std::variant<std::string, std::int64_t, double, bool>;

/// Nothing when there is no information dictionary, no such key, or a value
/// of a kind other than text, number or boolean.
std::optional<InfoValue> infoValue(const std::string& key);
/// The file path of the resource, or nothing when the bundle has none.
std::optional<std::string> resourcePath(const std::string& name, const std::string& extension);

}  // namespace AppKitBundle
