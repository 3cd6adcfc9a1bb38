#pragma once
// The four GS1 DataBar builders: checks, the stripegen library call, rows,
// separators, composite rows, text and comment.
#include <string>

namespace quillet {

// The 14 digits printed under a DataBar symbol: the message left-padded
// with zeros to 13 digits and its check digit.
std::string dataBarHumanReadable(const std::string& message);

}  // namespace quillet
