#pragma once
// Validation and build messages of every symbology, by numeric code.
#include <string>

namespace quillet {

// The exact text shown for a message code (CR / CRLF included).
std::string messageText(int code);

}  // namespace quillet
