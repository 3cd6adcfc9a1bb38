#pragma once
// Code 128 and GS1-128 helpers shared by the encoder and its tests.
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Message characters 128..131 stand for FNC1..FNC4.
constexpr unsigned char kFnc1Char = 128, kFnc2Char = 129, kFnc3Char = 130, kFnc4Char = 131;

// The symbol character values of a message (every character 0..131): the
// start character, a leading FNC1 for GS1-128, then the data with its code
// set changes and shifts; the check character is not included.
std::vector<int> code128Values(std::string_view message, bool gs1);

// The message with FNC1..FNC4 shown as the characters 185, 178, 179, 128.
std::string code128DisplayText(std::string_view message);

}  // namespace quillet
