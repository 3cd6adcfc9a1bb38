// MSI Plessey with one or two modulo-10 check digits.
#include <cctype>

#include "app/encode/linear_job.h"
#include "app/model/check_digits.h"

namespace quillet {

void fillMsiTable(PatternTables& t) {
    for (int d = 0; d < 10; ++d) {
        std::string p;
        for (int bit = 3; bit >= 0; --bit) p += ((d >> bit) & 1) ? "41" : "32";
        t.main[size_t('0' + d)] = p;
    }
    t.start = "41";
    t.stop = "323";
}

void encodeMsiPlessey(LinearJob& job) {
    std::string& msg = job.message;
    for (char& c : msg) c = char(std::toupper(static_cast<unsigned char>(c)));
    std::string pattern = job.tables.start;
    for (char c : msg) {
        if (c < '0' || c > '9') { job.error = 35; return; }
        pattern += job.tables.main[static_cast<unsigned char>(c)];
    }
    char first = char('0' + msiCheckDigit(msg));
    pattern += job.tables.main[static_cast<unsigned char>(first)];
    job.checkText = std::string(1, first);
    if (job.settings.optionalCheckDigit) {
        msg += first;
        char second = char('0' + msiCheckDigit(msg));
        pattern += job.tables.main[static_cast<unsigned char>(second)];
        job.checkText = std::string(1, second);
    }
    job.pattern = pattern + job.tables.stop;
}

}  // namespace quillet
