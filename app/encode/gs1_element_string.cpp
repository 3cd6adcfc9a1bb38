#include "app/encode/gs1_element_string.h"

#include "app/encode/gs1_ai_table.h"
#include "app/model/check_digits.h"

namespace quillet {

namespace {

struct Component {
    bool numeric = true;
    size_t minLength = 0, maxLength = 0;
    std::string_view rule;  // "", "csum", "yymmdd" or "yymmd0"
};

std::vector<Component> components(std::string_view format) {
    std::vector<Component> out;
    while (!format.empty()) {
        const size_t plus = format.find('+');
        std::string_view part = format.substr(0, plus);
        format = plus == std::string_view::npos ? std::string_view() : format.substr(plus + 1);
        Component c;
        c.numeric = part[0] == 'N';
        const size_t comma = part.find(',');
        if (comma != std::string_view::npos) c.rule = part.substr(comma + 1);
        std::string_view length = part.substr(1, comma == std::string_view::npos ? part.npos : comma - 1);
        const bool variable = length.substr(0, 2) == "..";
        if (variable) length.remove_prefix(2);
        c.maxLength = std::stoul(std::string(length));
        c.minLength = variable ? 1 : c.maxLength;
        out.push_back(c);
    }
    return out;
}

// The GS1 subset of ISO 646 (character set 82).
bool inGs1CharacterSet(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return std::string_view("!\"%&'()*+,-./:;<=>?_").find(char(c)) != std::string_view::npos;
}

bool validDate(std::string_view d, bool dayZero) {
    const int yy = (d[0] - '0') * 10 + (d[1] - '0');
    const int mm = (d[2] - '0') * 10 + (d[3] - '0');
    const int dd = (d[4] - '0') * 10 + (d[5] - '0');
    if (mm < 1 || mm > 12) return false;
    if (dd == 0) return dayZero;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // Two-digit years lie within a century that counts 00 as a leap year.
    if (mm == 2 && dd == 29) return yy % 4 == 0;
    return dd <= kDays[mm - 1];
}

std::string lengthText(const std::vector<Component>& parts, size_t minLength, size_t maxLength) {
    const bool digits = parts.size() == 1 && parts[0].numeric;
    const std::string unit = digits ? " digits" : " characters";
    if (minLength == maxLength) return std::to_string(minLength) + unit;
    return std::to_string(minLength) + " to " + std::to_string(maxLength) + unit;
}

// The fault of one element's data, or "".
std::string dataFault(const Gs1Ai& entry, std::string_view data) {
    const std::vector<Component> parts = components(entry.format);
    size_t minLength = 0, maxLength = 0;
    for (const Component& c : parts) {
        minLength += c.minLength;
        maxLength += c.maxLength;
    }
    if (data.size() < minLength || data.size() > maxLength)
        return "the data must be " + lengthText(parts, minLength, maxLength) + ", not " + std::to_string(data.size());
    size_t pos = 0;
    for (size_t k = 0; k < parts.size(); ++k) {
        const Component& c = parts[k];
        // A variable component takes what the fixed ones after it leave.
        size_t after = 0;
        for (size_t j = k + 1; j < parts.size(); ++j) after += parts[j].minLength;
        const size_t length = c.minLength == c.maxLength ? c.maxLength : std::min(c.maxLength, data.size() - pos - after);
        const std::string_view field = data.substr(pos, length);
        for (size_t i = 0; i < field.size(); ++i) {
            const unsigned char ch = static_cast<unsigned char>(field[i]);
            const std::string where = "character " + std::to_string(pos + i + 1) + " (\"" + char(ch) + "\")";
            if (c.numeric && (ch < '0' || ch > '9')) return where + " must be a digit";
            if (!c.numeric && !inGs1CharacterSet(ch)) return where + " is not in the GS1 character set";
        }
        if (c.rule == "csum") {
            const int expected = upcEanCheckDigit(field.substr(0, field.size() - 1));
            if (field.back() - '0' != expected)
                return "the check digit is " + std::string(1, field.back()) + ", it should be " + std::to_string(expected);
        } else if ((c.rule == "yymmdd" || c.rule == "yymmd0") && !validDate(field, c.rule == "yymmd0")) {
            return "\"" + std::string(field) + "\" is not a date YYMMDD";
        }
        pos += length;
    }
    return "";
}

Gs1ElementString failure(std::string text) {
    Gs1ElementString r;
    r.error = std::move(text);
    return r;
}

}  // namespace

bool isGs1ElementString(std::string_view text) {
    return text.size() >= 2 && (text[0] == '(' || text[0] == '[') && text[1] >= '0' && text[1] <= '9';
}

Gs1ElementString parseGs1ElementString(std::string_view text) {
    Gs1ElementString result;
    if (text.empty()) return failure("GS1 element string: the text is empty");
    const char open = text[0], close = open == '[' ? ']' : ')';
    if (open != '(' && open != '[') return failure("GS1 element string: it must begin with an AI in parentheses");
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find(close, pos + 1);
        if (end == std::string_view::npos)
            return failure("GS1 element string: \"" + std::string(text.substr(pos)) + "\" lacks its closing " + close);
        const std::string ai(text.substr(pos + 1, end - pos - 1));
        const Gs1Ai* entry = ai.find_first_not_of("0123456789") == std::string::npos ? findGs1Ai(ai) : nullptr;
        if (!entry) return failure("GS1 AI (" + ai + ") is not a known Application Identifier");
        size_t next = text.find(open, end + 1);
        if (next == std::string_view::npos) next = text.size();
        const std::string data(text.substr(end + 1, next - end - 1));
        if (data.empty()) return failure("GS1 AI (" + ai + ") has no data");
        if (const std::string fault = dataFault(*entry, data); !fault.empty())
            return failure("GS1 AI (" + ai + "): " + fault);
        result.elements.push_back({ai, data, entry->fnc1});
        pos = next;
    }
    return result;
}

std::string gs1Data(const std::vector<Gs1Element>& elements, char separator) {
    std::string out;
    for (size_t i = 0; i < elements.size(); ++i) {
        out += elements[i].ai + elements[i].data;
        if (elements[i].fnc1 && i + 1 < elements.size()) out += separator;
    }
    return out;
}

std::string gs1DisplayText(const std::vector<Gs1Element>& elements) {
    std::string out;
    for (const Gs1Element& e : elements) out += "(" + e.ai + ")" + e.data;
    return out;
}

}  // namespace quillet
