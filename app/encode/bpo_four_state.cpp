// BPO 4 State customer code.
#include <string>

#include "app/encode/linear_job.h"
#include "app/encode/postal.h"
#include "app/model/check_digits.h"

namespace quillet {

std::string bpoFiltered(std::string_view message) {
    std::string out;
    for (char ch : message) {
        char c = ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) out += c;
    }
    return out;
}

void encodeBpo4State(LinearJob& job) {
    std::string msg = bpoFiltered(job.message);
    if (msg.size() < 5 || msg.size() > 12) { job.error = 34; return; }
    std::string pattern = job.tables.start;
    for (char c : msg) pattern += job.tables.main[static_cast<unsigned char>(c)];
    pattern += job.tables.main[static_cast<unsigned char>(bpoCheckChar(msg))];
    pattern += job.tables.stop;
    job.pattern = std::move(pattern);
    job.message = std::move(msg);
}

}  // namespace quillet
