// POSTNET: the ZIP code taken from the end of an address line.
#include <string>

#include "app/encode/linear_job.h"
#include "app/encode/postal.h"
#include "app/model/check_digits.h"

namespace quillet {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<std::string> postnetZipDigits(std::string_view address) {
    // Anything after the last digit is not part of the ZIP code.
    size_t end = address.size();
    while (end > 0 && !isDigit(address[end - 1])) --end;
    std::string_view line = address.substr(0, end);
    size_t begin = line.find_first_not_of(' ');
    line = begin == std::string_view::npos ? std::string_view{} : line.substr(begin);

    // Collect from the end: digits, the last hyphen, skipping spaces and,
    // until more than 12 characters are in, any other text.
    std::string collected;
    bool hyphen = false;
    for (size_t i = line.size(); i-- > 0;) {
        char c = line[i];
        if (isDigit(c)) {
            collected.insert(collected.begin(), c);
        } else if (c == '-') {
            if (!hyphen) collected.insert(collected.begin(), c);
            hyphen = true;
        } else if (c != ' ' && collected.size() > 12) {
            break;
        }
    }
    // An incomplete ZIP+4 ("19123-45") counts as the plain ZIP code.
    if (hyphen && collected.size() < 10 && collected.size() > 5 && collected[5] == '-') collected.resize(5);

    std::string digits;
    for (char c : collected)
        if (isDigit(c)) digits += c;
    size_t n = digits.size();
    if (n != 5 && n != 9 && n != 11 && n != 12) return std::nullopt;
    return digits;
}

std::string postnetNormalised(std::string_view d) {
    if (d.size() <= 5) return std::string(d);
    std::string tail(d.substr(5, d.size() == 12 ? 6 : std::string_view::npos));
    return std::string(d.substr(0, 5)) + "-" + tail;
}

void encodePostnet(LinearJob& job) {
    auto digits = postnetZipDigits(job.message);
    if (!digits) { job.error = 1; return; }
    std::string encoded = digits->substr(0, 11);
    std::string pattern = job.tables.start;
    for (char c : encoded) pattern += job.tables.main[static_cast<unsigned char>(c)];
    pattern += job.tables.main[size_t('0' + postnetCheckDigit(encoded))];
    pattern += job.tables.stop;
    job.pattern = std::move(pattern);
    // No text is printed with POSTNET; the message comes back in the form
    // that replaces the typed one.
    job.message = postnetNormalised(*digits);
}

}  // namespace quillet
