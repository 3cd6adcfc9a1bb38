#pragma once
// Strict reader of Windows Metafile bytes, with or without the placeable
// header. Anything malformed is rejected; nothing is read out of bounds.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wmf {

struct Record {
    uint16_t function = 0;
    std::vector<uint16_t> params;

    int16_t s(size_t i) const { return int16_t(params[i]); }
    uint32_t u32(size_t i) const { return params[i] | uint32_t(params[i + 1]) << 16; }
};

struct PlaceableHeader {
    int16_t left = 0, top = 0, right = 0, bottom = 0;
    uint16_t unitsPerInch = 0;
    uint16_t checksum = 0;
};

struct Metafile {
    std::optional<PlaceableHeader> placeable;
    uint16_t type = 0;
    uint16_t version = 0;
    uint32_t sizeWords = 0;   // header and records
    uint16_t objects = 0;     // size of the object table
    uint32_t maxRecord = 0;   // largest record in words
    std::vector<Record> records;  // in file order, the end record excluded
};

// Parses the whole buffer; on failure returns nothing and, when error is
// given, says why.
std::optional<Metafile> parse(const uint8_t* data, size_t size, std::string* error = nullptr);
inline std::optional<Metafile> parse(const std::vector<uint8_t>& bytes, std::string* error = nullptr) {
    return parse(bytes.data(), bytes.size(), error);
}

// The text of a META_TEXTOUT record, or nothing when the record is not one.
std::optional<std::string> textOutString(const Record& r);

}  // namespace wmf
