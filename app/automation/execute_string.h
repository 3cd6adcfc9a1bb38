#pragma once
// Splitting an execute string into bracketed commands.
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

std::string trimSpaces(std::string_view text);
std::string upperAscii(std::string_view text);

// The commands of an execute string, left to right: each runs from the
// current position through the next ']'. Text after the last ']' is not a
// command and is dropped.
std::vector<std::string> splitExecuteString(std::string_view execute);

}  // namespace quillet
