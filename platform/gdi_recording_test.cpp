// Metafile recording: records, parameter words, object slots and header.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/gdi.h"
#include "platform/wmf_reader.h"

using namespace gdi;

namespace {

struct Rec {
    uint16_t function;
    std::vector<uint16_t> params;
    bool operator==(const Rec&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rec& r) {
    os << std::hex << "0x" << r.function << " {";
    for (auto p : r.params) os << " 0x" << p;
    return os << " }" << std::dec;
}

std::vector<Rec> records(Handle hmf) {
    auto mf = wmf::parse(GetMetaFileBits(hmf));
    EXPECT_TRUE(mf.has_value());
    std::vector<Rec> out;
    if (mf)
        for (const auto& r : mf->records) out.push_back({r.function, r.params});
    return out;
}

uint16_t w(int v) { return uint16_t(int16_t(v)); }

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(GdiRecording, SmallDrawingRecordsEveryCallInOrder) {
    Handle dc = CreateMetaFile(nullptr);
    ASSERT_NE(dc, 0);
    EXPECT_TRUE(SetWindowOrgEx(dc, 0, 0));
    EXPECT_TRUE(SetWindowExtEx(dc, 2000, -1000));
    EXPECT_TRUE(TextOut(dc, 0, 0, " "));
    Handle brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    Handle pen = CreatePen(PS_INSIDEFRAME, 1, RGB(1, 2, 3));
    EXPECT_NE(SelectObject(dc, brush), 0);
    EXPECT_NE(SelectObject(dc, pen), 0);
    EXPECT_TRUE(Rectangle(dc, 10, 0, 30, -1000));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 255));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
    EXPECT_TRUE(DeleteObject(pen));
    SetMapMode(dc, MM_ANISOTROPIC);
    Handle hmf = CloseMetaFile(dc);
    ASSERT_NE(hmf, 0);
    DeleteObject(brush);

    const std::vector<Rec> expected = {
        {0x020B, {0, 0}},
        {0x020C, {w(-1000), 2000}},
        {0x0521, {1, 0x0020, 0, 0}},
        {0x02FC, {0, 0x3412, 0x0056, 0}},
        {0x012D, {0}},
        {0x02FA, {6, 1, 0, 0x0201, 0x0003}},
        {0x012D, {1}},
        {0x041B, {w(-1000), 30, 0, 10}},
        {0x0102, {1}},
        {0x0201, {0xFFFF, 0x00FF}},
        {0x0209, {0x0000, 0x00FF}},
        {0x012E, {6}},
        {0x02FA, {0, 0, 0, 0, 0}},  // the stock black pen, created in the file
        {0x012D, {2}},
        {0x01F0, {1}},
        {0x0103, {8}},
    };
    EXPECT_EQ(records(hmf), expected);

    // Header: type 1, 9 words, version 0x300, total size in words, three
    // object slots, largest record 8 words (the pen), no parameters.
    std::vector<uint8_t> bits = GetMetaFileBits(hmf);
    uint32_t words = 9 + 3;
    for (const auto& r : expected) words += 3 + uint32_t(r.params.size());
    ASSERT_EQ(bits.size(), words * 2);
    const std::vector<uint8_t> header = {1, 0, 9, 0, 0, 3, uint8_t(words), uint8_t(words >> 8), 0, 0,
                                         3, 0, 8, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bits.begin(), bits.begin() + 18), header);
    const std::vector<uint8_t> eof = {3, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bits.end() - 6, bits.end()), eof);
    DeleteMetaFile(hmf);
}

TEST(GdiRecording, ObjectSlotsFollowThePlayersTable) {
    Handle dc = CreateMetaFile(nullptr);
    Handle a = CreateSolidBrush(RGB(1, 1, 1)), b = CreateSolidBrush(RGB(2, 2, 2)), c = CreateSolidBrush(RGB(3, 3, 3));
    SelectObject(dc, a);                          // slot 0
    SelectObject(dc, b);                          // slot 1
    SelectObject(dc, a);                          // reselect: no new create
    DeleteObject(a);                              // frees slot 0
    SelectObject(dc, c);                          // lowest free slot: 0
    SelectObject(dc, GetStockObject(NULL_BRUSH));  // slot 2
    SelectObject(dc, GetStockObject(NULL_BRUSH));  // created once
    Handle hmf = CloseMetaFile(dc);
    DeleteObject(b);
    DeleteObject(c);

    std::vector<std::pair<uint16_t, uint16_t>> got;  // function, first parameter
    for (const Rec& r : records(hmf)) got.push_back({r.function, r.function == 0x02FC ? r.params[1] : r.params[0]});
    const std::vector<std::pair<uint16_t, uint16_t>> expected = {
        {0x02FC, 0x0101}, {0x012D, 0}, {0x02FC, 0x0202}, {0x012D, 1}, {0x012D, 0}, {0x01F0, 0},
        {0x02FC, 0x0303}, {0x012D, 0}, {0x02FC, 0x0000}, {0x012D, 2}, {0x012D, 2},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(wmf::parse(GetMetaFileBits(hmf))->objects, 3);
    DeleteMetaFile(hmf);
}

TEST(GdiRecording, DeletingAnObjectRecordsItInEveryMetafileHoldingIt) {
    Handle dc1 = CreateMetaFile(nullptr), dc2 = CreateMetaFile(nullptr), dc3 = CreateMetaFile(nullptr);
    Handle pen = CreatePen(PS_SOLID, 3, RGB(9, 9, 9));
    SelectObject(dc1, pen);
    SelectObject(dc2, GetStockObject(WHITE_BRUSH));
    SelectObject(dc2, pen);
    DeleteObject(pen);
    Handle m1 = CloseMetaFile(dc1), m2 = CloseMetaFile(dc2), m3 = CloseMetaFile(dc3);
    EXPECT_EQ(records(m1).back(), (Rec{0x01F0, {0}}));
    EXPECT_EQ(records(m2).back(), (Rec{0x01F0, {1}}));
    EXPECT_TRUE(records(m3).empty());
    for (Handle m : {m1, m2, m3}) DeleteMetaFile(m);
}

TEST(GdiRecording, FontRecordHoldsTheLogFontFields) {
    LogFont f;
    ASSERT_TRUE(GetObject(GetStockObject(SYSTEM_FONT), f));
    EXPECT_STREQ(f.faceName, "System");
    f.height = 200;
    f.width = -5;
    f.escapement = 900;
    f.orientation = 900;
    f.weight = 700;
    f.italic = 1;
    f.underline = 1;
    f.strikeOut = 0;
    f.charSet = 1;
    f.clipPrecision = 0x10;
    f.quality = 0;
    std::memset(f.faceName, 0, sizeof f.faceName);
    std::strcpy(f.faceName, "Arial");
    Handle font = CreateFontIndirect(f);
    Handle dc = CreateMetaFile(nullptr);
    Handle previous = SelectObject(dc, font);
    EXPECT_EQ(previous, GetStockObject(SYSTEM_FONT));
    Handle hmf = CloseMetaFile(dc);
    DeleteObject(font);

    auto recs = records(hmf);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0].function, 0x02FB);
    std::vector<uint16_t> expected = {200, w(-5), 900, 900, 700, 0x0101, 0x0100, uint16_t(0x1000 | f.outPrecision),
                                      uint16_t(f.pitchAndFamily << 8), 0x7241, 0x6169, 0x006C};
    expected.resize(9 + 16, 0);
    EXPECT_EQ(recs[0].params, expected);
    EXPECT_EQ(wmf::parse(GetMetaFileBits(hmf))->maxRecord, 28u);
    DeleteMetaFile(hmf);
}

TEST(GdiRecording, CoordinatesOutsideSixteenBitsAreRefusedNotWrapped) {
    struct Case {
        const char* name;
        bool (*call)(Handle);
        bool accepted;
    };
    const Case cases[] = {
        {"rectangle at the limits", [](Handle dc) { return Rectangle(dc, -32768, 32767, 32767, -32768); }, true},
        {"rectangle right 32768", [](Handle dc) { return Rectangle(dc, 0, 0, 32768, -10); }, false},
        {"rectangle bottom -32769", [](Handle dc) { return Rectangle(dc, 0, 0, 10, -32769); }, false},
        {"window extent 32767", [](Handle dc) { return SetWindowExtEx(dc, 32767, -32767); }, true},
        {"window extent 40000", [](Handle dc) { return SetWindowExtEx(dc, 40000, -100); }, false},
        {"window origin -32769", [](Handle dc) { return SetWindowOrgEx(dc, 0, -32769); }, false},
        {"text at 32768", [](Handle dc) { return TextOut(dc, 32768, 0, "A"); }, false},
        {"text of 32768 bytes", [](Handle dc) { return TextOut(dc, 0, 0, std::string(32768, 'A')); }, false},
        {"line to 70000", [](Handle dc) { return LineTo(dc, 70000, 0); }, false},
    };
    for (const Case& c : cases) {
        Handle dc = CreateMetaFile(nullptr);
        EXPECT_EQ(c.call(dc), c.accepted) << c.name;
        Handle hmf = CloseMetaFile(dc);
        EXPECT_EQ(records(hmf).size(), c.accepted ? 1u : 0u) << c.name;
        DeleteMetaFile(hmf);
    }
    Handle dc = CreateMetaFile(nullptr);
    Handle widePen = CreatePen(PS_INSIDEFRAME, 40000, 0);
    EXPECT_EQ(SelectObject(dc, widePen), 0) << "a pen too wide for the record is not selected";
    DeleteObject(widePen);
    DeleteMetaFile(CloseMetaFile(dc));
}

TEST(GdiRecording, SaveAndRestoreAreRecordedRelative) {
    Handle dc = CreateMetaFile(nullptr);
    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_EQ(SaveDC(dc), 2);
    SetMapMode(dc, MM_TEXT);
    EXPECT_TRUE(RestoreDC(dc, 1));   // pops both levels
    EXPECT_FALSE(RestoreDC(dc, -1)); // nothing left to restore
    Handle hmf = CloseMetaFile(dc);
    const std::vector<Rec> expected = {{0x001E, {}}, {0x001E, {}}, {0x0103, {1}}, {0x0127, {w(-2)}}};
    EXPECT_EQ(records(hmf), expected);
    DeleteMetaFile(hmf);
}

TEST(GdiRecording, DiskMetafilesAndCopiesHoldTheSameBytes) {
    std::string path = testing::TempDir() + "gdi_disk.wmf";
    std::string copyPath = testing::TempDir() + "gdi_copy.wmf";
    std::remove(path.c_str());
    Handle dc = CreateMetaFile(path.c_str());
    ASSERT_NE(dc, 0);
    EXPECT_TRUE(readFile(path).empty()) << "the file exists from the start";
    SetWindowExtEx(dc, 100, -100);
    Rectangle(dc, 0, 0, 50, -50);
    Handle hmf = CloseMetaFile(dc);
    ASSERT_NE(hmf, 0);
    std::vector<uint8_t> bits = GetMetaFileBits(hmf);
    EXPECT_EQ(readFile(path), bits);

    Handle copy = CopyMetaFile(hmf, copyPath.c_str());
    ASSERT_NE(copy, 0);
    EXPECT_NE(copy, hmf);
    EXPECT_EQ(readFile(copyPath), bits);
    Handle loaded = GetMetaFile(copyPath.c_str());
    EXPECT_EQ(GetMetaFileBits(loaded), bits);
    Handle fromBits = SetMetaFileBits(bits);
    EXPECT_EQ(GetMetaFileBits(fromBits), bits);
    for (Handle h : {hmf, copy, loaded, fromBits}) EXPECT_TRUE(DeleteMetaFile(h));
    EXPECT_EQ(GetMetaFileBits(hmf), std::vector<uint8_t>{}) << "a deleted handle is gone";

    EXPECT_EQ(CreateMetaFile("/nonexistent-folder/x.wmf"), 0);
    EXPECT_EQ(CopyMetaFile(0, nullptr), 0);
    EXPECT_EQ(SetMetaFileBits({1, 2, 3}), 0);
}

TEST(GdiRecording, PlayingIntoAnotherMetafileRepeatsTheDrawing) {
    Handle dc = CreateMetaFile(nullptr);
    SetWindowExtEx(dc, 500, -200);
    Handle brush = CreateSolidBrush(RGB(0, 0, 0));
    SelectObject(dc, brush);
    Rectangle(dc, 10, 0, 20, -200);
    TextOut(dc, 5, -150, "abc");
    Handle src = CloseMetaFile(dc);
    DeleteObject(brush);

    Handle dc2 = CreateMetaFile(nullptr);
    ASSERT_TRUE(PlayMetaFile(dc2, src));
    Handle dst = CloseMetaFile(dc2);
    auto a = records(src), b = records(dst);
    std::vector<Rec> drawn;
    for (const Rec& r : b)
        if (r.function != 0x001E && r.function != 0x0127 && r.function != 0x01F0) drawn.push_back(r);
    EXPECT_EQ(drawn, a);
    EXPECT_FALSE(PlayMetaFile(dc2, src)) << "a closed DC cannot be played into";
    DeleteMetaFile(src);
    DeleteMetaFile(dst);
}

TEST(GdiRecording, HandlesAreNotReusedAndObjectsDoNotLeak) {
    size_t before = liveObjectCount();
    Handle dc = CreateMetaFile(nullptr);
    Handle pen = CreatePen(PS_SOLID, 1, 0);
    SelectObject(dc, pen);
    DeleteObject(pen);
    EXPECT_EQ(objectKind(pen), ObjectKind::None);
    Handle hmf = CloseMetaFile(dc);
    EXPECT_EQ(objectKind(dc), ObjectKind::None);
    EXPECT_FALSE(Rectangle(dc, 0, 0, 1, 1)) << "the DC handle is gone after closing";
    Handle next = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(next, pen);
    EXPECT_NE(next, dc);
    DeleteObject(next);
    DeleteMetaFile(hmf);
    EXPECT_EQ(liveObjectCount(), before);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects ignore deletion";
    EXPECT_EQ(objectKind(GetStockObject(BLACK_PEN)), ObjectKind::Pen);
    EXPECT_EQ(GetStockObject(9), 0) << "no stock object 9";
    EXPECT_EQ(CreatePen(7, 1, 0), 0);
}

// Objects deleted out of order leave every other one as it was: each
// handle still finds its own object, and a deleted one finds none.
TEST(GdiRecording, ObjectsDeletedInAnyOrderLeaveTheOthersFindable) {
    const size_t before = liveObjectCount();
    std::vector<Handle> pens;
    for (int i = 0; i < 40; ++i) pens.push_back(CreatePen(PS_SOLID, i, RGB(i, 0, 0)));
    std::vector<bool> deleted(pens.size(), false);
    for (size_t i : {size_t(0), size_t(39), size_t(17), size_t(18), size_t(5), size_t(30)}) {
        ASSERT_TRUE(DeleteObject(pens[i]));
        deleted[i] = true;
        EXPECT_FALSE(DeleteObject(pens[i])) << "a second deletion finds nothing";
    }
    for (size_t i = 0; i < pens.size(); ++i) {
        LogPen p{};
        if (deleted[i]) {
            EXPECT_EQ(objectKind(pens[i]), ObjectKind::None) << i;
            continue;
        }
        ASSERT_EQ(GetObject(pens[i], sizeof p, &p), int(sizeof p)) << i;
        EXPECT_EQ(p.width, int(i));
        EXPECT_EQ(p.color, RGB(int(i), 0, 0));
    }
    for (size_t i = 0; i < pens.size(); ++i)
        if (!deleted[i]) DeleteObject(pens[i]);
    EXPECT_EQ(liveObjectCount(), before);
}

// Drawing many rectangles at once records exactly what drawing them one by
// one records, skips the same ones that do not fit, and says so.
TEST(GdiRecording, RectanglesRecordAsOneCallEach) {
    struct Case {
        std::vector<Box> boxes;
        bool allFit;
    };
    const Case cases[] = {
        {{}, true},
        {{{0, 0, 10, -10}}, true},
        {{{10, -20, 30, -40}, {-5, 7, 32767, -32768}, {1, 2, 3, 4}}, true},
        {{{0, 0, 40000, -10}, {5, 5, 6, 6}}, false},
        {{{5, 5, 6, 6}, {0, -32769, 1, 1}, {7, 7, 8, 8}}, false},
    };
    for (const Case& c : cases) {
        Handle single = CreateMetaFile(nullptr), batch = CreateMetaFile(nullptr);
        ASSERT_NE(single, 0);
        ASSERT_NE(batch, 0);
        bool allSingle = true;
        for (const Box& b : c.boxes) allSingle = Rectangle(single, b.left, b.top, b.right, b.bottom) && allSingle;
        EXPECT_EQ(Rectangles(batch, c.boxes), c.allFit) << c.boxes.size();
        EXPECT_EQ(allSingle, c.allFit) << c.boxes.size();
        Handle one = CloseMetaFile(single), many = CloseMetaFile(batch);
        std::vector<Rec> drawn = records(many);
        EXPECT_EQ(drawn, records(one)) << c.boxes.size();
        EXPECT_EQ(GetMetaFileBits(many), GetMetaFileBits(one)) << c.boxes.size();
        size_t fitting = 0;
        for (const Box& b : c.boxes)
            fitting += fitsInt16(b.left) && fitsInt16(b.top) && fitsInt16(b.right) && fitsInt16(b.bottom);
        EXPECT_EQ(drawn.size(), fitting) << c.boxes.size();
        DeleteMetaFile(one);
        DeleteMetaFile(many);
    }
    EXPECT_FALSE(Rectangles(0, {{0, 0, 1, 1}}));
}
