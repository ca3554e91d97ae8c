// Checking URL text before it is handed to the system, so a misconfigured
// address makes a command do nothing instead of reaching an opener.
#pragma once

#include <string_view>

class Workspace;

namespace Url {

/// True for an absolute URL: a scheme (a letter, then letters, digits, "+",
/// "-" or "."), a colon, and only printable ASCII without blanks or the
/// characters URLs never carry unescaped ("\"<>\\^`{|}").
bool parses(std::string_view text);

/// Hands `text` to the workspace when it parses; otherwise does nothing.
/// Whether the workspace managed to open it is not reported.
void openIfValid(Workspace& workspace, std::string_view text);

}  // namespace Url
