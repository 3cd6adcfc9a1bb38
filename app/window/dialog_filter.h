#pragma once
// File dialog filters: the "Name (*.a)|*.a|All Files (*.*)|*.*" form the
// commands pass, as Qt's name filters.
#include <string>
#include <vector>

namespace quillet {

// One Qt name filter per description|patterns pair: the description
// without a trailing pattern list of its own, then the patterns in
// parentheses, separated by spaces ("*.*" becomes "*", as a file name here
// need not have a dot). A trailing description without patterns stands
// alone.
std::vector<std::string> qtNameFilters(const std::string& filter);

}  // namespace quillet
