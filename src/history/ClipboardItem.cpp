// The display text by which an entry is shown and searched, and the
// signature that a text entry derives from its text.
#include "history/ClipboardItem.h"

#include "history/WhiteSpace.h"

namespace {

constexpr std::string_view textPrefix = "T:";
constexpr std::string_view filesPrefix = "F:";

// The part after the last "/", ignoring trailing slashes; a path of slashes
// only is the root, "/".
std::string_view lastPathComponent(std::string_view path) {
  std::size_t end = path.find_last_not_of('/');
  if (end == std::string_view::npos)
    return path.empty() ? std::string_view() : std::string_view("/");
  std::string_view trimmed = path.substr(0, end + 1);
  std::size_t slash = trimmed.find_last_of('/');
  return slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string joinedFileNames(const SharedValue<PathList>& paths) {
  std::string joined;
  if (!paths)
    return joined;
  for (std::size_t i = 0; i < paths->size(); ++i) {
    if (i > 0)
      joined += ", ";
    joined += lastPathComponent((*paths)[i]);
  }
  return joined;
}

}  // namespace

std::string ClipboardItem::displayText() const {
  std::string storage;
  return std::string(displayText(storage));
}

std::string_view ClipboardItem::displayText(std::string& storage) const {
  switch (kind) {
    case ClipboardItemKind::image:
      return storage = "Image";
    case ClipboardItemKind::files:
      return storage = joinedFileNames(filePaths);
    case ClipboardItemKind::text:
    case ClipboardItemKind::rtf:
      break;
  }
  std::string_view trimmed = WhiteSpace::trim(text ? std::string_view(*text) : std::string_view());
  if (trimmed.empty())
    return storage = "(empty)";
  return trimmed;
}

std::optional<std::pair<std::string_view, std::string_view>> ClipboardItem::derivedSignatureParts()
    const {
  if (text)
    return std::pair{textPrefix, std::string_view(*text)};
  if (filePaths)
    return std::pair{filesPrefix, filePaths->joined()};
  return std::nullopt;
}

std::pair<std::string_view, std::string_view> ClipboardItem::signatureParts() const {
  if (storedSignature)
    return {{}, *storedSignature};
  return derivedSignatureParts().value_or(std::pair<std::string_view, std::string_view>{});
}

std::string ClipboardItem::signature() const {
  const auto [prefix, rest] = signatureParts();
  std::string joined;
  joined.reserve(prefix.size() + rest.size());
  joined += prefix;
  joined += rest;
  return joined;
}

void ClipboardItem::setSignature(std::string_view signature) {
  const auto derived = derivedSignatureParts();
  if (derived && signature.starts_with(derived->first) &&
      signature.substr(derived->first.size()) == derived->second) {
    storedSignature.reset();
  } else {
    storedSignature.emplace(signature);
  }
}

bool ClipboardItem::hasSameSignature(const ClipboardItem& other) const {
  // Compares the two keys as the joined strings they stand for, whichever
  // way each is held.
  auto [prefixA, restA] = signatureParts();
  auto [prefixB, restB] = other.signatureParts();
  if (prefixA.size() + restA.size() != prefixB.size() + restB.size())
    return false;
  if (prefixA.size() < prefixB.size()) {
    std::swap(prefixA, prefixB);
    std::swap(restA, restB);
  }
  // Now prefixA is the longer one; it faces prefixB and the start of restB.
  const std::size_t overlap = prefixA.size() - prefixB.size();
  return prefixA.substr(0, prefixB.size()) == prefixB &&
         prefixA.substr(prefixB.size()) == restB.substr(0, overlap) &&
         restA == restB.substr(overlap);
}
