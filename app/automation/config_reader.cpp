// Reading a configuration file into a checked record, line by line of the
// table. Nothing here touches the settings: a file that ends early or holds
// a value no setting can take is refused whole.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/automation/config_lines.h"

namespace quillet {

namespace {

struct Refused {
    ConfigProblem problem;
};

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    int line() const { return line_; }
    bool ended() const { return pos_ >= bytes_.size(); }
    // Nothing but line ends and spaces remains.
    bool onlyBlankLeft() const {
        return bytes_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
    }

    std::string text() {
        ++line_;
        if (ended()) throw Refused{ConfigProblem::EndsEarly};
        return restOfLine();
    }

    // The rest of the current physical line, without its line end.
    std::string restOfLine() {
        size_t end = bytes_.find('\n', pos_);
        std::string_view l = bytes_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        pos_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        return std::string(l);
    }

    // The line of raw text begins.
    void beginRaw() { ++line_; }

    // Exactly n bytes, line ends included.
    std::string raw(size_t n) {
        if (bytes_.size() - pos_ < n) throw Refused{ConfigProblem::EndsEarly};
        std::string r(bytes_.substr(pos_, n));
        pos_ += n;
        return r;
    }

    // Any decimal notation, spaces around it allowed.
    double number() {
        const std::string t = text();
        size_t b = t.find_first_not_of(" \t");
        size_t e = t.find_last_not_of(" \t");
        if (b == std::string::npos) throw Refused{ConfigProblem::BadValue};
        const std::string core = t.substr(b, e - b + 1);
        // strtod also reads hexadecimal, infinities and NaN; none of them is
        // a decimal number.
        for (char c : core)
            if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
                throw Refused{ConfigProblem::BadValue};
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(core.c_str(), &end);
        if (end != core.c_str() + core.size() || errno == ERANGE || !std::isfinite(v))
            throw Refused{ConfigProblem::BadValue};
        return v;
    }

    // A number within [lo, hi]; whole numbers are rounded to nearest first.
    double wholeNumber(double lo, double hi) { return within(std::nearbyint(number()), lo, hi); }
    double number(double lo, double hi) { return within(number(), lo, hi); }

private:
    static double within(double v, double lo, double hi) {
        if (v < lo || v > hi) throw Refused{ConfigProblem::BadValue};
        return v;
    }

    std::string_view bytes_;
    size_t pos_ = 0;
    int line_ = 0;
};

// A text on line 63 and its length from lines 60-62.
struct RawText {
    std::string ConfigRecord::*field;
    size_t length;
};

void store(const ConfigLine& l, ConfigRecord& r, double v) {
    if (l.number.set && !l.number.set(r, v)) throw Refused{ConfigProblem::BadValue};
}

void readLine(LineReader& in, const ConfigLine& l, ConfigRecord& r, std::vector<RawText>& raw) {
    switch (l.kind) {
    case LineKind::Header: break;  // checked before
    case LineKind::Text: r.*l.text = in.text(); break;
    case LineKind::Reserved: in.text(); break;
    case LineKind::Integer:
    case LineKind::Flag: store(l, r, in.wholeNumber(l.lo, l.hi)); break;
    case LineKind::Single:
    case LineKind::Double: store(l, r, in.number(l.lo, l.hi)); break;
    case LineKind::Length: raw.push_back({l.text, size_t(in.wholeNumber(l.lo, l.hi))}); break;
    case LineKind::Raw:
        in.beginRaw();
        for (const RawText& t : raw) r.*t.field = in.raw(t.length);
        if (!in.ended()) r.comment = in.restOfLine();
        break;
    }
}

// The groups after line 63, each only if the file goes on. A group counts
// only when it is complete: a file cut inside one keeps the settings of
// that group and of every later one.
void readOptionalGroups(LineReader& in, std::span<const ConfigLine> lines, ConfigRecord& r,
                        std::vector<RawText>& raw) {
    LineGroup open = LineGroup::Main;
    try {
        for (const ConfigLine& l : lines) {
            if (l.group != open) {
                if (in.onlyBlankLeft()) return;
                open = l.group;
            }
            readLine(in, l, r, raw);
        }
    } catch (const Refused& e) {
        if (e.problem != ConfigProblem::EndsEarly) throw;
        clearConfigGroup(r, open);
    }
}

}  // namespace

ConfigParse parseConfiguration(std::string_view bytes) {
    ConfigParse result;
    LineReader in(bytes);
    try {
        const std::string header = in.ended() ? std::string() : in.text();
        if (header != kConfigHeader && header != kOlderConfigHeader) {
            result.problem = ConfigProblem::NotConfiguration;
            result.line = 1;
            return result;
        }
        const std::span<const ConfigLine> lines = configLines().subspan(1);
        size_t main = 0;
        while (main < lines.size() && lines[main].group == LineGroup::Main) ++main;
        std::vector<RawText> raw;
        for (const ConfigLine& l : lines.first(main)) readLine(in, l, result.record, raw);
        readOptionalGroups(in, lines.subspan(main), result.record, raw);
    } catch (const Refused& e) {
        result.problem = e.problem;
        result.line = in.line();
        result.record = ConfigRecord{};
    }
    return result;
}

}  // namespace quillet
