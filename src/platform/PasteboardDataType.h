// The binary pasteboard types the core reads and writes, in platform-neutral
// terms; each backend maps them to its own identifiers.
#pragma once

enum class PasteboardDataType { png, tiff, rtf, html };
