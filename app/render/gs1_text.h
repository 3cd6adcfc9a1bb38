#pragma once
// The human-readable form of GS1 data: each application identifier in
// parentheses before its data, as printed under a DataBar Expanded symbol.
#include <string>

namespace quillet {

// `data` is element strings without parentheses, FNC1 (byte 128 or 29)
// after a variable-length field that another follows. Fields of the
// predefined lengths end by length; any other runs to the next FNC1.
std::string gs1ElementText(const std::string& data);

}  // namespace quillet
