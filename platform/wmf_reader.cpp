// Strict WMF parser. Each check names what it protects: the renderer and the
// metafile handles rely on records being complete and self-consistent.
#include "platform/wmf_reader.h"

#include "platform/wmf_format.h"

namespace wmf {
namespace {

struct Cursor {
    const uint8_t* p;
    size_t n;
    size_t at = 0;

    bool has(size_t k) const { return k <= n - at; }
    uint16_t u16() {
        uint16_t v = uint16_t(p[at] | p[at + 1] << 8);
        at += 2;
        return v;
    }
    uint32_t u32() {
        uint32_t l = u16();
        return l | uint32_t(u16()) << 16;
    }
};

bool fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

// Minimum parameter words of the records whose layout the players read.
size_t minimumParams(uint16_t f) {
    switch (f) {
        case META_SAVEDC: return 0;
        case META_SETBKMODE: case META_SETMAPMODE: case META_SETROP2: case META_SETPOLYFILLMODE:
        case META_SETTEXTALIGN: case META_SELECTOBJECT: case META_RESTOREDC: case META_DELETEOBJECT:
            return 1;
        case META_SETBKCOLOR: case META_SETTEXTCOLOR: case META_SETWINDOWORG: case META_SETWINDOWEXT:
        case META_SETVIEWPORTORG: case META_SETVIEWPORTEXT: case META_LINETO: case META_MOVETO:
            return 2;
        case META_CREATEPENINDIRECT: return 5;
        case META_CREATEBRUSHINDIRECT: return 4;
        case META_CREATEFONTINDIRECT: return 9;
        case META_RECTANGLE: return 4;
        case META_TEXTOUT: return 3;
        case META_POLYGON: case META_POLYLINE: return 1;
        case META_EXTTEXTOUT: return 4;
        default: return 0;
    }
}

// Checks the layout of records whose length depends on their contents.
bool consistent(const Record& r, uint16_t objects, std::string* error) {
    const auto& p = r.params;
    if (p.size() < minimumParams(r.function)) return fail(error, "record too short");
    switch (r.function) {
        case META_TEXTOUT: {
            int16_t count = r.s(0);
            if (count < 0) return fail(error, "negative text length");
            if (p.size() < 1 + (size_t(count) + 1) / 2 + 2) return fail(error, "text record too short");
            return true;
        }
        case META_POLYGON: case META_POLYLINE: {
            int16_t count = r.s(0);
            if (count < 0 || p.size() < 1 + 2 * size_t(count)) return fail(error, "polygon record too short");
            return true;
        }
        case META_EXTTEXTOUT: {
            int16_t count = r.s(2);
            if (count < 0) return fail(error, "negative text length");
            size_t need = 4 + (p[3] & 0x0006 ? 4 : 0) + (size_t(count) + 1) / 2;
            if (p.size() < need) return fail(error, "text record too short");
            return true;
        }
        case META_SELECTOBJECT: case META_DELETEOBJECT:
            if (p[0] >= objects) return fail(error, "object index outside the object table");
            return true;
        default:
            return true;
    }
}

}  // namespace

std::optional<std::string> textOutString(const Record& r) {
    if (r.function != META_TEXTOUT || r.params.empty() || r.s(0) < 0) return std::nullopt;
    size_t count = size_t(r.s(0));
    if (r.params.size() < 1 + (count + 1) / 2) return std::nullopt;
    std::string s(count, '\0');
    for (size_t i = 0; i < count; ++i) s[i] = char(i % 2 ? r.params[1 + i / 2] >> 8 : r.params[1 + i / 2] & 0xFF);
    return s;
}

std::optional<Metafile> parse(const uint8_t* data, size_t size, std::string* error) {
    if (!data && size) {
        fail(error, "no data");
        return std::nullopt;
    }
    Cursor c{data, size};
    Metafile mf;
    if (c.has(4) && (data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24) == kPlaceableKey) {
        if (!c.has(kPlaceableHeaderBytes)) {
            fail(error, "placeable header cut short");
            return std::nullopt;
        }
        uint16_t sum = 0;
        for (size_t i = 0; i < 10; ++i) sum ^= uint16_t(data[2 * i] | data[2 * i + 1] << 8);
        c.u32();
        c.u16();  // handle
        PlaceableHeader h;
        h.left = int16_t(c.u16());
        h.top = int16_t(c.u16());
        h.right = int16_t(c.u16());
        h.bottom = int16_t(c.u16());
        h.unitsPerInch = c.u16();
        c.u32();  // reserved
        h.checksum = c.u16();
        if (h.checksum != sum) {
            fail(error, "placeable header checksum wrong");
            return std::nullopt;
        }
        if (h.unitsPerInch == 0) {
            fail(error, "placeable header without units");
            return std::nullopt;
        }
        mf.placeable = h;
    }
    size_t start = c.at;
    if (!c.has(kHeaderBytes)) {
        fail(error, "header cut short");
        return std::nullopt;
    }
    mf.type = c.u16();
    uint16_t headerWords = c.u16();
    mf.version = c.u16();
    mf.sizeWords = c.u32();
    mf.objects = c.u16();
    mf.maxRecord = c.u32();
    c.u16();  // parameter count, unused
    if (mf.type != kMemoryMetafile && mf.type != kDiskMetafile) {
        fail(error, "unknown metafile type");
        return std::nullopt;
    }
    if (headerWords != kHeaderWords) {
        fail(error, "wrong header size");
        return std::nullopt;
    }
    if (mf.version != 0x0100 && mf.version != 0x0300) {
        fail(error, "unknown metafile version");
        return std::nullopt;
    }
    if (uint64_t(mf.sizeWords) * 2 != size - start) {
        fail(error, "size field does not match the data");
        return std::nullopt;
    }
    bool ended = false;
    while (c.at < size) {
        if (ended) {
            fail(error, "records after the end record");
            return std::nullopt;
        }
        if (!c.has(6)) {
            fail(error, "record header cut short");
            return std::nullopt;
        }
        uint32_t words = c.u32();
        uint16_t function = c.u16();
        if (words < 3 || uint64_t(words - 3) * 2 > size - c.at) {
            fail(error, "record size outside the data");
            return std::nullopt;
        }
        if (words > mf.maxRecord) {
            fail(error, "record larger than the header allows");
            return std::nullopt;
        }
        if (function == META_EOF) {
            if (words != kEofRecordWords) {
                fail(error, "malformed end record");
                return std::nullopt;
            }
            ended = true;
            continue;
        }
        Record r;
        r.function = function;
        r.params.resize(words - 3);
        for (auto& w : r.params) w = c.u16();
        if (!consistent(r, mf.objects, error)) return std::nullopt;
        mf.records.push_back(std::move(r));
    }
    if (!ended) {
        fail(error, "no end record");
        return std::nullopt;
    }
    return mf;
}

}  // namespace wmf
