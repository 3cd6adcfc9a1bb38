// The QR Code picture control through its dispatch interface: property
// types and ranges, the metafile it writes, its status and side.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <limits>

#include "app/render/qr_control.h"
#include "platform/placeable.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"

namespace quillet {
namespace {

struct ScratchFile {
    std::string path = (std::filesystem::temp_directory_path() / ("qqr" + std::to_string(::getpid()) + ".wmf")).string();
    ~ScratchFile() { std::remove(path.c_str()); }
};

int16_t writeTo(QrMakerControl& qr, const std::string& path) {
    qrInvoke(qr, kQrDispWriteMetafile, {DispValue::int32(0), DispValue::string(path), DispValue::int16(0)});
    DispValue status;
    EXPECT_TRUE(qrInvoke(qr, kQrDispStatus, {}, &status));
    return int16_t(status.number);
}

std::string readBytes(QrMakerControl& qr, int dispid) {
    DispValue v;
    EXPECT_TRUE(qrInvoke(qr, dispid, {}, &v)) << dispid;
    EXPECT_EQ(v.type, DispValue::Type::Bytes) << dispid;
    return v.text;
}

std::string asText(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

TEST(QrControl, PropertyTypesAndRanges) {
    struct Case {
        int dispid;
        DispValue value;
        bool accepted;
    };
    for (const Case& c : {
             Case{kQrDispModel, DispValue::int32(3), true}, Case{kQrDispModel, DispValue::int32(4), false},
             Case{kQrDispModel, DispValue::string("2"), false}, Case{kQrDispEccLevel, DispValue::int16(3), true},
             Case{kQrDispEccLevel, DispValue::int32(-1), false}, Case{kQrDispQuietZone, DispValue::int16(0), true},
             Case{kQrDispQuietZone, DispValue::int32(-2), false}, Case{kQrDispOrientation, DispValue::int16(3), true},
             Case{kQrDispOrientation, DispValue::int32(4), false}, Case{kQrDispModuleSize, DispValue::single(25.4f), true},
             Case{kQrDispModuleSize, DispValue::single(0.0f), false},
             Case{kQrDispModuleSize, DispValue::real(std::numeric_limits<double>::quiet_NaN()), false},
             Case{kQrDispSizeAdjust, DispValue::real(-2.54), true},
             Case{kQrDispSizeAdjust, DispValue::real(std::numeric_limits<double>::infinity()), false},
             Case{kQrDispText, DispValue::string("abc"), true}, Case{kQrDispText, DispValue::bytes("abc"), false},
             Case{kQrDispBytes, DispValue::bytes(std::string("a\0b", 3)), true},
             Case{kQrDispEci, DispValue::int32(26), true}, Case{kQrDispEci, DispValue::int32(999999), true},
             Case{kQrDispEci, DispValue::int32(-1), false}, Case{kQrDispEci, DispValue::int32(1000000), false},
             Case{kQrDispStatus, DispValue::int16(0), false}, Case{99, DispValue::int16(0), false},
         }) {
        QrMakerControl qr;
        DispValue before;
        const bool readable = qrGetProperty(qr, c.dispid, before);
        EXPECT_EQ(qrSetProperty(qr, c.dispid, c.value), c.accepted) << c.dispid;
        DispValue after;
        if (readable && c.dispid != kQrDispStatus) {
            ASSERT_TRUE(qrGetProperty(qr, c.dispid, after));
            if (c.accepted && c.value.numeric()) {
                EXPECT_NEAR(after.number, c.value.number, 1e-5) << c.dispid;
            } else if (c.accepted) {
                EXPECT_EQ(after.text, c.value.text) << c.dispid;
            } else {
                EXPECT_EQ(after.number, before.number) << c.dispid << ": refused values change nothing";
                EXPECT_EQ(after.text, before.text) << c.dispid;
            }
        }
    }
}

TEST(QrControl, StatusAndSide) {
    struct Case {
        const char* name;
        int model, level;
        std::string message;
        bool bytes;
        int16_t status, side;
    };
    for (const Case& c : {
             Case{"model 2, version 1", 2, 1, "HELLO", false, kQrOk, 21},
             Case{"model 2, version 2 at level H", 2, 3, "QUILLET QR CODE 1", false, kQrOk, 25},
             Case{"micro M1", 3, 0, "12345", false, kQrOk, 11},
             Case{"micro, binary", 3, 1, std::string("a\0b", 3), true, kQrOk, 15},
             Case{"model 1", 1, 1, "HELLO", false, kQrModelNotAvailable, 0},
             Case{"micro at level H", 3, 3, "1", false, kQrLevelNotAvailable, 0},
             Case{"micro, too long", 3, 0, std::string(40, 'x'), false, kQrTooLong, 0},
             Case{"model 2, too long", 2, 3, std::string(1300, '\xE9'), true, kQrTooLong, 0},
             Case{"no data", 2, 0, "", false, kQrNoData, 0},
             // The largest symbols hold their full capacity; one more is refused.
             Case{"model 2, 7089 digits at level L", 2, 0, std::string(7089, '7'), false, kQrOk, 177},
             Case{"model 2, 7090 digits", 2, 0, std::string(7090, '7'), false, kQrTooLong, 0},
             Case{"micro, 35 digits at level L", 3, 0, std::string(35, '3'), false, kQrOk, 17},
             Case{"micro, 36 digits", 3, 0, std::string(36, '3'), false, kQrTooLong, 0},
             Case{"model 2, 10 MB", 2, 0, std::string(10 << 20, '1'), true, kQrTooLong, 0},
             // Text ends at its first NUL: what follows it does not count.
             Case{"text cut at NUL", 2, 1, "HELLO" + std::string(1, '\0') + std::string(8000, '9'), false, kQrOk, 21},
         }) {
        ScratchFile f;
        QrMakerControl qr;
        qrSetProperty(qr, kQrDispModel, DispValue::int32(c.model));
        qrSetProperty(qr, kQrDispEccLevel, DispValue::int32(c.level));
        qrSetProperty(qr, c.bytes ? kQrDispBytes : kQrDispText,
                      c.bytes ? DispValue::bytes(c.message) : DispValue::string(c.message));
        EXPECT_EQ(writeTo(qr, f.path), c.status) << c.name;
        DispValue side;
        ASSERT_TRUE(qrInvoke(qr, kQrDispSide, {}, &side));
        EXPECT_EQ(side.number, c.side) << c.name;
        EXPECT_EQ(std::filesystem::exists(f.path), c.status == kQrOk) << c.name;
        EXPECT_EQ(qrStatusText(c.status).empty(), c.status == kQrOk) << c.name;
        // The picture and modules read back are the file's, without the file.
        const std::string file = c.status == kQrOk ? asText(platform::stripPlaceableHeader(test::readFileBytes(f.path))) : "";
        EXPECT_EQ(readBytes(qr, kQrDispPicture), file) << c.name;
        EXPECT_EQ(readBytes(qr, kQrDispModules).size(), size_t(c.side) * size_t(c.side)) << c.name;
    }
}

TEST(QrControl, PictureAndModulesAreTheLastSymbolsAndReadOnly) {
    ScratchFile f;
    QrMakerControl qr;
    qrSetProperty(qr, kQrDispText, DispValue::string("HELLO"));
    ASSERT_EQ(writeTo(qr, f.path), kQrOk);
    const std::string modules = readBytes(qr, kQrDispModules);
    ASSERT_EQ(modules.size(), 21u * 21u);
    // Row 1 of the upright symbol begins with the top-left finder and its
    // separator and ends with the separator and the top-right finder.
    EXPECT_EQ(modules.substr(0, 8), std::string("\1\1\1\1\1\1\1\0", 8));
    EXPECT_EQ(modules.substr(13, 8), std::string("\0\1\1\1\1\1\1\1", 8));
    EXPECT_FALSE(qrSetProperty(qr, kQrDispPicture, DispValue::bytes("x")));
    EXPECT_FALSE(qrSetProperty(qr, kQrDispModules, DispValue::bytes("x")));
    qrSetProperty(qr, kQrDispText, DispValue::string(""));
    ASSERT_EQ(writeTo(qr, f.path), kQrNoData);
    EXPECT_TRUE(readBytes(qr, kQrDispPicture).empty()) << "a failed write leaves no picture";
    EXPECT_TRUE(readBytes(qr, kQrDispModules).empty());
}

TEST(QrControl, MetafileGeometry) {
    struct Case {
        const char* name;
        float module;
        int quiet;
        double adjust;
        int side;  // picture side in drawing units
    };
    // "HELLO" is a 21-module symbol.
    for (const Case& c : {Case{"quiet zone 4 at 25", 25.0f, 4, 0.0, 29 * 25},
                          Case{"no quiet zone, shrunk by 2.5", 50.0f, 0, -2.5, 21 * 50 - 2},
                          Case{"enlarged by 5", 50.0f, 2, 5.0, 25 * 50 + 5},
                          Case{"module 50.8 draws 51", 50.8f, 1, 0.0, 23 * 51}}) {
        ScratchFile f;
        QrMakerControl qr;
        qrSetProperty(qr, kQrDispText, DispValue::string("HELLO"));
        qrSetProperty(qr, kQrDispModuleSize, DispValue::single(c.module));
        qrSetProperty(qr, kQrDispQuietZone, DispValue::int32(c.quiet));
        qrSetProperty(qr, kQrDispSizeAdjust, DispValue::real(c.adjust));
        ASSERT_EQ(writeTo(qr, f.path), kQrOk) << c.name;
        auto m = test::parseMetafile(test::readFileBytes(f.path));
        ASSERT_TRUE(m.placeable.has_value());
        EXPECT_EQ(m.placeable->right, c.side) << c.name;
        EXPECT_EQ(m.placeable->bottom, c.side) << c.name;
        // The top-left finder pattern starts inside the quiet zone.
        auto rects = test::rectangles(m);
        ASSERT_GT(rects.size(), 1u);
        const int M = c.module == 50.8f ? 51 : int(c.module);
        EXPECT_EQ(rects[1].left, c.quiet * M) << c.name;
        EXPECT_EQ(rects[1].top, -c.quiet * M) << c.name;
        auto d = test::decode(test::renderWmfFile(f.path, 254).padded(40), "QRCode");
        EXPECT_TRUE(d.ok && d.bytes == "HELLO") << c.name;
    }
}

TEST(QrControl, RefusesBadWriteArguments) {
    QrMakerControl qr;
    qrSetProperty(qr, kQrDispText, DispValue::string("HELLO"));
    EXPECT_FALSE(qrInvoke(qr, kQrDispWriteMetafile, {DispValue::int32(0)}));
    EXPECT_EQ(qr.status, kQrBadArguments);
    EXPECT_EQ(writeTo(qr, "/nonexistent-folder/x.wmf"), kQrWriteFailed);
    EXPECT_FALSE(qrInvoke(qr, kQrDispStatus, {DispValue::int16(1)}));
}

}  // namespace
}  // namespace quillet
