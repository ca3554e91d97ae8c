// URL text checks.
#include "app/Url.h"

#include <string>

#include "platform/Workspace.h"

namespace Url {
namespace {

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isSchemeCharacter(char c) {
  return isAsciiLetter(c) || isAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

bool mayAppearUnescaped(char c) {
  auto code = static_cast<unsigned char>(c);
  if (code <= 0x20 || code >= 0x7F) {
    return false;
  }
  return std::string_view("\"<>\\^`{|}").find(c) == std::string_view::npos;
}

}  // namespace

bool parses(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || !isAsciiLetter(text.front())) {
    return false;
  }
  for (char c : text.substr(0, colon)) {
    if (!isSchemeCharacter(c)) {
      return false;
    }
  }
  for (char c : text) {
    if (!mayAppearUnescaped(c)) {
      return false;
    }
  }
  return true;
}

void openIfValid(Workspace& workspace, std::string_view text) {
  if (!parses(text)) {
    return;
  }
  workspace.openURL(std::string(text));
}

}  // namespace Url
