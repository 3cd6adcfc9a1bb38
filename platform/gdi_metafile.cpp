// Metafile recording: the object table of a metafile, the header, and the
// metafile handles.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "platform/file_input.h"
#include "platform/gdi_internal.h"
#include "platform/wmf_format.h"
#include "platform/wmf_reader.h"

namespace gdi {
namespace detail {
namespace {

uint16_t w16(int v) { return uint16_t(int16_t(v)); }
uint16_t lo(uint32_t v) { return uint16_t(v & 0xFFFF); }
uint16_t hi(uint32_t v) { return uint16_t(v >> 16); }

void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, lo(v));
    put16(b, hi(v));
}

// The create record of a pen, brush or font, its parameters in p (room for
// the largest, a font's), or false when a value does not fit the record's
// 16-bit fields.
constexpr size_t kMaxCreateWords = 9 + wmf::kFaceNameBytes / 2;

bool createRecord(const Object& o, uint16_t& function, uint16_t (&p)[kMaxCreateWords], size_t& n) {
    auto set = [&](std::initializer_list<uint16_t> words) {
        std::copy(words.begin(), words.end(), p);
        n = words.size();
    };
    switch (o.kind) {
        case ObjectKind::Pen:
            if (!fitsInt16(o.pen.width)) return false;
            function = wmf::META_CREATEPENINDIRECT;
            set({uint16_t(o.pen.style), w16(o.pen.width), 0, lo(o.pen.color), hi(o.pen.color)});
            return true;
        case ObjectKind::Brush:
            function = wmf::META_CREATEBRUSHINDIRECT;
            set({uint16_t(o.brush.style), lo(o.brush.color), hi(o.brush.color), w16(o.brush.hatch)});
            return true;
        case ObjectKind::Font: {
            const LogFont& f = o.font;
            for (int v : {f.height, f.width, f.escapement, f.orientation, f.weight})
                if (!fitsInt16(v)) return false;
            function = wmf::META_CREATEFONTINDIRECT;
            set({w16(f.height), w16(f.width), w16(f.escapement), w16(f.orientation), w16(f.weight),
                 uint16_t(f.italic | f.underline << 8), uint16_t(f.strikeOut | f.charSet << 8),
                 uint16_t(f.outPrecision | f.clipPrecision << 8), uint16_t(f.quality | f.pitchAndFamily << 8)});
            for (size_t i = 0; i < wmf::kFaceNameBytes; i += 2)
                p[n++] = uint16_t(uint8_t(f.faceName[i]) | uint8_t(f.faceName[i + 1]) << 8);
            return true;
        }
        default:
            return false;
    }
}

// The metafile slot that holds h, or slots.size() when none does. The
// table is a label's handful of objects: a scan beats any index.
size_t slotOf(const MetafileDC& dc, Handle h) {
    return size_t(std::find(dc.slots.begin(), dc.slots.end(), h) - dc.slots.begin());
}

}  // namespace

void record(MetafileDC& dc, uint16_t function, std::span<const uint16_t> params) {
    const uint32_t size = uint32_t(3 + params.size());
    dc.words.push_back(lo(size));
    dc.words.push_back(hi(size));
    dc.words.push_back(function);
    dc.words.insert(dc.words.end(), params.begin(), params.end());
    if (size > dc.maxRecord) dc.maxRecord = size;
}

uint16_t* recordSpace(MetafileDC& dc, uint16_t function, size_t paramWords) {
    const uint32_t size = uint32_t(3 + paramWords);
    const size_t at = dc.words.size();
    dc.words.resize(at + size);
    uint16_t* w = dc.words.data() + at;
    w[0] = lo(size);
    w[1] = hi(size);
    w[2] = function;
    if (size > dc.maxRecord) dc.maxRecord = size;
    return w + 3;
}

bool selectIntoMetafile(MetafileDC& dc, Handle h, const Object& obj) {
    size_t slot = slotOf(dc, h);
    if (slot == dc.slots.size()) {
        uint16_t function = 0;
        uint16_t params[kMaxCreateWords];
        size_t n = 0;
        if (!createRecord(obj, function, params, n)) return false;
        // A new object takes the lowest free slot, as a player assigns them.
        slot = slotOf(dc, 0);
        if (slot >= 0xFFFF) return false;
        if (slot == dc.slots.size()) dc.slots.push_back(0);
        dc.slots[slot] = h;
        record(dc, function, std::span<const uint16_t>(params, n));
    }
    record(dc, wmf::META_SELECTOBJECT, {uint16_t(slot)});
    return true;
}

void forgetObject(Handle h) {
    for (MetafileDC* dc : metafileDCs()) {
        const size_t slot = slotOf(*dc, h);
        if (slot == dc->slots.size()) continue;
        record(*dc, wmf::META_DELETEOBJECT, {uint16_t(slot)});
        dc->slots[slot] = 0;
    }
}

std::vector<uint8_t> finishMetafile(const MetafileDC& dc) {
    uint32_t total = wmf::kHeaderWords + uint32_t(dc.words.size()) + wmf::kEofRecordWords;
    uint32_t maxRecord = dc.maxRecord > wmf::kEofRecordWords ? dc.maxRecord : wmf::kEofRecordWords;
    std::vector<uint8_t> b;
    b.reserve(size_t(total) * 2);
    put16(b, wmf::kMemoryMetafile);
    put16(b, wmf::kHeaderWords);
    put16(b, wmf::kVersion);
    put32(b, total);
    put16(b, uint16_t(dc.slots.size()));
    put32(b, maxRecord);
    put16(b, 0);  // mtNoParameters
    const size_t at = b.size();
    b.resize(at + dc.words.size() * 2);
    if constexpr (std::endian::native == std::endian::little) {
        // The words are already in file order.
        if (!dc.words.empty()) std::memcpy(b.data() + at, dc.words.data(), dc.words.size() * 2);
    } else {
        for (size_t i = 0; i < dc.words.size(); ++i) {
            b[at + 2 * i] = uint8_t(dc.words[i]);
            b[at + 2 * i + 1] = uint8_t(dc.words[i] >> 8);
        }
    }
    put32(b, wmf::kEofRecordWords);
    put16(b, wmf::META_EOF);
    return b;
}

}  // namespace detail

using namespace detail;

namespace {

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Handle newMetafile(std::vector<uint8_t> bytes) {
    Object o;
    o.kind = ObjectKind::Metafile;
    o.metafileBytes = std::move(bytes);
    return add(std::move(o));
}

}  // namespace

Handle CreateMetaFile(const char* pathOrNull) {
    std::lock_guard lock(tableLock());
    auto dc = std::make_unique<MetafileDC>();
    // Room for a label's records at once: growing a word at a time would
    // copy them again and again.
    dc->words.reserve(1024);
    if (pathOrNull) {
        if (!*pathOrNull || !writeFile(pathOrNull, {})) return 0;
        dc->disk = true;
        dc->path = pathOrNull;
    }
    dc->state = defaultState();
    Object o;
    o.kind = ObjectKind::MetafileDC;
    o.mdc = std::move(dc);
    return add(std::move(o));
}

Handle CloseMetaFile(Handle hdc) {
    std::lock_guard lock(tableLock());
    Object* o = find(hdc, ObjectKind::MetafileDC);
    if (!o) return 0;
    std::vector<uint8_t> bytes = finishMetafile(*o->mdc);
    bool ok = !o->mdc->disk || writeFile(o->mdc->path, bytes);
    remove(hdc);
    return ok ? newMetafile(std::move(bytes)) : 0;
}

bool DeleteMetaFile(Handle hmf) {
    std::lock_guard lock(tableLock());
    if (!find(hmf, ObjectKind::Metafile)) return false;
    remove(hmf);
    return true;
}

Handle CopyMetaFile(Handle hmf, const char* pathOrNull) {
    std::lock_guard lock(tableLock());
    const Object* o = find(hmf, ObjectKind::Metafile);
    if (!o) return 0;
    std::vector<uint8_t> bytes = o->metafileBytes;
    if (pathOrNull && (!*pathOrNull || !writeFile(pathOrNull, bytes))) return 0;
    return newMetafile(std::move(bytes));
}

std::vector<uint8_t> GetMetaFileBits(Handle hmf) {
    std::lock_guard lock(tableLock());
    const Object* o = find(hmf, ObjectKind::Metafile);
    return o ? o->metafileBytes : std::vector<uint8_t>{};
}

Handle SetMetaFileBits(const std::vector<uint8_t>& bytes) {
    auto parsed = wmf::parse(bytes.data(), bytes.size());
    if (!parsed || parsed->placeable) return 0;
    std::lock_guard lock(tableLock());
    return newMetafile(bytes);
}

Handle GetMetaFile(const char* path) {
    if (!path) return 0;
    std::vector<uint8_t> bytes;
    if (!platform::readWholeFile(path, bytes)) return 0;
    return SetMetaFileBits(bytes);
}

}  // namespace gdi
