// The strict reader: round trips and malformed input.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gdi.h"
#include "platform/placeable.h"
#include "platform/wmf_format.h"
#include "platform/wmf_reader.h"

using namespace gdi;

namespace {

std::vector<uint8_t> sample() {
    Handle dc = CreateMetaFile(nullptr);
    SetWindowExtEx(dc, 300, -200);
    Handle pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    SelectObject(dc, pen);
    Rectangle(dc, 1, -2, 3, -4);
    TextOut(dc, 7, -8, "odd");
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    Handle hmf = CloseMetaFile(dc);
    std::vector<uint8_t> bits = GetMetaFileBits(hmf);
    DeleteMetaFile(hmf);
    return bits;
}

void set16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

}  // namespace

TEST(WmfReader, ReadsBackWhatWasRecorded) {
    auto mf = wmf::parse(sample());
    ASSERT_TRUE(mf);
    EXPECT_FALSE(mf->placeable);
    ASSERT_EQ(mf->records.size(), 8u);
    EXPECT_EQ(mf->records[2].function, wmf::META_SELECTOBJECT);
    EXPECT_EQ(mf->records[3].params, (std::vector<uint16_t>{uint16_t(-4), 3, uint16_t(-2), 1}));
    EXPECT_EQ(wmf::textOutString(mf->records[4]), "odd");
    EXPECT_EQ(mf->records[4].s(3), -8);
    EXPECT_EQ(mf->records[4].s(4), 7);
    EXPECT_FALSE(wmf::textOutString(mf->records[3]));
    auto placed = wmf::parse(platform::addPlaceableHeader(sample(), 300, 200));
    ASSERT_TRUE(placed && placed->placeable);
    EXPECT_EQ(placed->records.size(), mf->records.size());
}

TEST(WmfReader, RejectsMalformedInput) {
    const std::vector<uint8_t> good = sample();
    const size_t firstRecord = 18;
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> spoil;
    } cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"header only half there", [](auto& b) { b.resize(10); }},
        {"type 3", [](auto& b) { set16(b, 0, 3); }},
        {"header size 8", [](auto& b) { set16(b, 2, 8); }},
        {"version 0x200", [](auto& b) { set16(b, 4, 0x200); }},
        {"size field one word short", [](auto& b) { set16(b, 6, uint16_t(b.size() / 2 - 1)); }},
        {"last byte missing", [](auto& b) { b.pop_back(); }},
        {"no end record", [](auto& b) { b.resize(b.size() - 6); set16(b, 6, uint16_t(b.size() / 2)); }},
        {"record size 2", [&](auto& b) { set16(b, firstRecord, 2); }},
        {"record size past the end", [&](auto& b) { set16(b, firstRecord, 0xFFFF); }},
        {"record size beyond 32 bits of words", [&](auto& b) { set16(b, firstRecord + 2, 0xFFFF); }},
        {"record over the header's maximum", [](auto& b) { set16(b, 12, 5); }},
        {"object index past the table", [](auto& b) { set16(b, 10, 0); }},
        {"records after the end", [](auto& b) {
             b.insert(b.end(), {3, 0, 0, 0, 0, 0});
             set16(b, 6, uint16_t(b.size() / 2));
         }},
        {"end record with parameters", [](auto& b) {
             set16(b, b.size() - 6, 4);
             b.insert(b.end(), {0, 0});
             set16(b, 6, uint16_t(b.size() / 2));
         }},
    };
    ASSERT_TRUE(wmf::parse(good));
    for (const Case& c : cases) {
        std::vector<uint8_t> b = good;
        c.spoil(b);
        std::string why;
        EXPECT_FALSE(wmf::parse(b, &why)) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
        EXPECT_EQ(SetMetaFileBits(b), 0) << c.name;
    }
}

TEST(WmfReader, RejectsRecordsTooShortForTheirContents) {
    struct Case {
        const char* name;
        uint16_t function;
        std::vector<uint16_t> params;
        bool ok;
    } cases[] = {
        {"text of 3 bytes", wmf::META_TEXTOUT, {3, 0x6261, 0x0063, 0, 0}, true},
        {"text claims 4 bytes", wmf::META_TEXTOUT, {4, 0x6261, 0x0063, 0}, false},
        {"text of negative length", wmf::META_TEXTOUT, {0xFFFF, 0, 0}, false},
        {"rectangle of 3 words", wmf::META_RECTANGLE, {1, 2, 3}, false},
        {"pen of 4 words", wmf::META_CREATEPENINDIRECT, {0, 1, 0, 0}, false},
        {"font of 9 words", wmf::META_CREATEFONTINDIRECT, {1, 0, 0, 0, 400, 0, 0, 0, 0}, true},
        {"polygon claims 3 points", wmf::META_POLYGON, {3, 0, 0, 1, 1}, false},
        {"extended text with rectangle", wmf::META_EXTTEXTOUT, {0, 0, 2, 4, 0, 0, 9, 9, 0x4141}, true},
        {"extended text cut short", wmf::META_EXTTEXTOUT, {0, 0, 2, 4, 0, 0, 9, 9}, false},
        {"unknown record", 0x0999, {}, true},
    };
    for (const Case& c : cases) {
        uint32_t size = 3 + uint32_t(c.params.size());
        std::vector<uint8_t> b = {1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 0, 0, uint8_t(size), 0, 0, 0, 0, 0};
        b.insert(b.end(), {uint8_t(size), 0, 0, 0, uint8_t(c.function), uint8_t(c.function >> 8)});
        for (uint16_t p : c.params) b.insert(b.end(), {uint8_t(p), uint8_t(p >> 8)});
        b.insert(b.end(), {3, 0, 0, 0, 0, 0});
        set16(b, 6, uint16_t(b.size() / 2));
        EXPECT_EQ(wmf::parse(b).has_value(), c.ok) << c.name;
    }
}

TEST(WmfReader, PlaceableHeaderMustBeSound) {
    std::vector<uint8_t> placed = platform::addPlaceableHeader(sample(), 300, 200);
    struct Case {
        const char* name;
        size_t at;
        uint8_t value;
    } cases[] = {{"checksum", 20, 0x55}, {"bounding box", 12, 0x77}, {"zero units", 14, 0}};
    for (const Case& c : cases) {
        std::vector<uint8_t> b = placed;
        b[c.at] = c.value;
        if (c.at == 14) b[15] = 0, b[20] ^= 0xEC, b[21] ^= 0x09;  // keep the checksum right
        EXPECT_FALSE(wmf::parse(b)) << c.name;
    }
    EXPECT_FALSE(wmf::parse(std::vector<uint8_t>(placed.begin(), placed.begin() + 21)));
}
