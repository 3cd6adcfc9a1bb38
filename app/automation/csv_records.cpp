#include "app/automation/csv_records.h"

namespace quillet {

namespace {

struct Reader {
    std::string_view bytes;
    size_t pos = 0;
    long line = 1;

    bool atEnd() const { return pos >= bytes.size(); }
    bool atLineEnd() const { return atEnd() || bytes[pos] == '\n' || bytes[pos] == '\r'; }
    // Past one CRLF, LF or CR.
    void skipLineEnd() {
        if (atEnd()) return;
        if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
        ++pos;
        ++line;
    }
    void skipToNextLine() {
        while (!atLineEnd()) ++pos;
        skipLineEnd();
    }
};

// A quoted field from its opening quote; false with `error` set when malformed.
bool quotedField(Reader& r, size_t number, std::string& field, std::string& error) {
    const long opened = r.line;
    ++r.pos;
    for (;;) {
        if (r.atEnd()) {
            error = "quoted field " + std::to_string(number) + " opened on line " + std::to_string(opened) +
                    " has no closing quote";
            return false;
        }
        const char c = r.bytes[r.pos];
        if (c == '"') {
            if (r.pos + 1 < r.bytes.size() && r.bytes[r.pos + 1] == '"') {
                field += '"';
                r.pos += 2;
                continue;
            }
            ++r.pos;
            if (!r.atLineEnd() && r.bytes[r.pos] != ',') {
                error = "text follows the closing quote of field " + std::to_string(number);
                return false;
            }
            return true;
        }
        // Line breaks inside the quotes belong to the field, as they are.
        if (c == '\n' || (c == '\r' && !(r.pos + 1 < r.bytes.size() && r.bytes[r.pos + 1] == '\n'))) ++r.line;
        field += c;
        ++r.pos;
    }
}

CsvRecord record(Reader& r) {
    CsvRecord rec;
    rec.line = r.line;
    for (;;) {
        std::string field;
        if (!r.atEnd() && r.bytes[r.pos] == '"') {
            if (!quotedField(r, rec.fields.size() + 1, field, rec.error)) {
                if (!r.atEnd()) r.skipToNextLine();
                rec.fields.clear();
                return rec;
            }
        } else {
            while (!r.atLineEnd() && r.bytes[r.pos] != ',') {
                if (r.bytes[r.pos] == '"') {
                    rec.error = "a quote inside unquoted field " + std::to_string(rec.fields.size() + 1);
                    r.skipToNextLine();
                    rec.fields.clear();
                    return rec;
                }
                field += r.bytes[r.pos++];
            }
        }
        rec.fields.push_back(std::move(field));
        if (r.atLineEnd()) {
            r.skipLineEnd();
            return rec;
        }
        ++r.pos;  // the comma
    }
}

}  // namespace

std::vector<CsvRecord> readCsvRecords(std::string_view bytes) {
    Reader r{bytes};
    std::vector<CsvRecord> out;
    while (!r.atEnd()) {
        if (r.atLineEnd()) {
            r.skipLineEnd();
            continue;
        }
        out.push_back(record(r));
    }
    return out;
}

}  // namespace quillet
