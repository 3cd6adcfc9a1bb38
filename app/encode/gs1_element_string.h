#pragma once
// GS1 element strings as people write them, "(01)09501101530003(17)260101"
// or with square brackets, checked against the AI table and turned into the
// data a GS1 symbol carries.
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct Gs1Element {
    std::string ai;
    std::string data;
    bool fnc1 = false;  // a separator follows unless this element ends the data
};

struct Gs1ElementString {
    std::vector<Gs1Element> elements;
    std::string error;  // the fault, naming the AI; empty when every element is valid
};

// True when the text is meant as an element string: it opens with an AI in
// parentheses or square brackets.
bool isGs1ElementString(std::string_view text);

Gs1ElementString parseGs1ElementString(std::string_view text);

// The elements one after another, with `separator` after each variable-length
// element that another follows.
std::string gs1Data(const std::vector<Gs1Element>& elements, char separator);
// The human-readable form, every AI in parentheses.
std::string gs1DisplayText(const std::vector<Gs1Element>& elements);

}  // namespace quillet
