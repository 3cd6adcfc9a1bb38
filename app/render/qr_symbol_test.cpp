// QR Code through Build/Copy: what the program sets on the control, the
// picture decoded by zxing-cpp from the scratch file, the size it reports
// and what happens when the control makes no symbol.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/render/drawing_math.h"
#include "app/render/matrix_symbol_test_util.h"
#include "app/render/qr_control.h"
#include "app/render/qr_options_dialog.h"

namespace quillet {
namespace {

using test::MatrixHarness;

constexpr int kQr = 18;

TEST(QrSymbol, RoundTrips) {
    struct Case {
        const char* name;
        int model, level;
        std::string message;
        const char* format;
    };
    const std::string nul(1, '\0');
    std::string binary = test::allBytes();
    for (const Case& c : {
             Case{"model 2, L", 2, 0, "Quillet QR Code, level L", "QRCode"},
             Case{"model 2, M", 2, 1, "HTTPS://EXAMPLE.ORG/QUILLET", "QRCode"},
             Case{"model 2, Q", 2, 2, "0123456789012345678901234567890123456789", "QRCode"},
             Case{"model 2, H", 2, 3, "caf\xE9 ~ 100%", "QRCode"},
             Case{"model 2, binary with NUL", 2, 1, "A" + nul + "B\xFF" + nul, "QRCode"},
             Case{"model 2, all bytes", 2, 0, binary, "QRCode"},
             Case{"micro, L", 3, 0, "12345", "MicroQRCode"},
             Case{"micro, M", 3, 1, "MICRO QR", "MicroQRCode"},
             Case{"micro, Q", 3, 2, "QUILLET", "MicroQRCode"},
             Case{"micro, binary with NUL", 3, 0, "x" + nul + "y", "MicroQRCode"},
         }) {
        MatrixHarness h(kQr);
        h.app.settings.qr.qrModel = c.model;
        h.app.settings.qr.qrEccLevel = c.level;
        h.app.settings.quietZones = true;
        ASSERT_TRUE(h.build(c.message)) << c.name << ": " << h.lastMessage();
        const auto d = h.decodeScratch(c.format);
        ASSERT_TRUE(d.ok) << c.name;
        EXPECT_EQ(d.bytes, c.message) << c.name;
        EXPECT_EQ(d.ecLevel, std::string(1, "LMQH"[c.level])) << c.name;
        // The clipboard holds the same picture as the scratch file.
        auto clip = h.clipboard.metafilePict();
        ASSERT_TRUE(clip.has_value());
        const auto fromClipboard = test::decode(test::renderMetafileHandle(clip->hMF, 254).padded(40), c.format);
        EXPECT_TRUE(fromClipboard.ok && fromClipboard.bytes == c.message) << c.name;
    }
}

TEST(QrSymbol, MessageAsTextOrBytes) {
    struct Case {
        std::string message;
        bool bytes;
    };
    for (const Case& c : {Case{"plain text", false}, Case{std::string("nul\0inside", 10), true},
                          Case{std::string(1, '\0'), true}}) {
        MatrixHarness h(kQr);
        ASSERT_TRUE(h.build(c.message));
        EXPECT_EQ(QRmaker1().messageIsBytes, c.bytes);
        EXPECT_EQ(QRmaker1().message, c.message);
        EXPECT_EQ(QRmaker1().message.size(), c.message.size());
    }
}

TEST(QrSymbol, SizesAndOrientation) {
    struct Case {
        const char* name;
        void (*options)(SymbolSettings&);
        int side;  // reported width = height
        int controlOrientation;
    };
    // "HELLO" at level M is a 21-module symbol.
    for (const Case& c : {
             Case{"plain", [](SymbolSettings&) {}, 21 * 50, 0},
             Case{"quiet zone 4 at 25 adds 200",
                  [](SymbolSettings& s) { s.quietZones = true; s.qr.qrQuietZone = 4; s.matrixModuleSize = 25; },
                  21 * 25 + 200, 0},
             Case{"quiet zone off ignores its size", [](SymbolSettings& s) { s.qr.qrQuietZone = 9; }, 21 * 50, 0},
             Case{"10 % reduction", [](SymbolSettings& s) { s.barWidthAdjust = 2; }, 21 * 50 - 5, 0},
             Case{"15 % gain", [](SymbolSettings& s) { s.barWidthAdjust = 3 | kGainBit; }, 21 * 50 + 8, 0},
             Case{"vertical 90", [](SymbolSettings& s) { s.orientation = Vertical90; s.quietZones = true; },
                  21 * 50 + 400, 1},
             Case{"vertical 270 is set again as 3",
                  [](SymbolSettings& s) { s.orientation = Vertical270; s.quietZones = true; }, 21 * 50 + 400, 3},
         }) {
        MatrixHarness h(kQr);
        c.options(h.app.settings);
        ASSERT_TRUE(h.build("HELLO")) << c.name << ": " << h.lastMessage();
        EXPECT_EQ(QRmaker1().orientation, c.controlOrientation) << c.name;
        auto clip = h.clipboard.metafilePict();
        ASSERT_TRUE(clip.has_value());
        EXPECT_EQ(clip->mm, 8);
        EXPECT_EQ(clip->xExt, c.side) << c.name;
        EXPECT_EQ(clip->yExt, c.side) << c.name;
        EXPECT_EQ(h.app.output.totalLength, formatLength(c.side, false)) << c.name;
        auto pict = h.picture();
        ASSERT_TRUE(pict.placeable.has_value());
        EXPECT_EQ(pict.placeable->right, c.side) << c.name << ": the control's picture has the reported size";
        const auto d = h.decodeScratch("QRCode");
        EXPECT_TRUE(d.ok && d.bytes == "HELLO") << c.name;
    }
}

// Turning clockwise: the finder pattern missing at the bottom-right of the
// upright symbol is missing at the bottom-left at 90 degrees and at the
// top-right at 270.
TEST(QrSymbol, OrientationTurnsTheFinderPatterns) {
    struct Case {
        int orientation;
        int emptyCorner;  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    };
    for (Case c : {Case{Horizontal, 3}, Case{Vertical90, 2}, Case{Vertical270, 1}}) {
        MatrixHarness h(kQr);
        h.app.settings.orientation = c.orientation;
        ASSERT_TRUE(h.build("HELLO"));
        const auto rects = h.modules();
        auto darkAt = [&](int x, int y) {
            for (const auto& r : rects) {
                const int l = std::min(r.left, r.right), rr = std::max(r.left, r.right);
                const int t = std::max(r.top, r.bottom), b = std::min(r.top, r.bottom);
                if (x > l && x < rr && y < t && y > b) return true;
            }
            return false;
        };
        // Along the diagonal from a corner a finder reads dark, light, dark, dark.
        const int S = 21 * 50;
        auto finderAt = [&](int corner) {
            const int x0 = corner % 2 ? S : 0, y0 = corner / 2 ? -S : 0;
            const int dx = corner % 2 ? -1 : 1, dy = corner / 2 ? 1 : -1;
            const bool want[4] = {true, false, true, true};
            for (int k = 0; k < 4; ++k)
                if (darkAt(x0 + dx * (25 + 50 * k), y0 + dy * (25 + 50 * k)) != want[k]) return false;
            return true;
        };
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(finderAt(corner), corner != c.emptyCorner) << c.orientation << " corner " << corner;
    }
}

TEST(QrSymbol, AdjustmentDoesNotLingerBetweenBuilds) {
    MatrixHarness h(kQr);
    h.app.settings.barWidthAdjust = 4;  // 20 %
    ASSERT_TRUE(h.build("HELLO"));
    EXPECT_EQ(h.picture().placeable->right, 21 * 50 - 10);
    h.app.settings.barWidthAdjust = 0;
    ASSERT_TRUE(h.build("HELLO"));
    EXPECT_EQ(h.picture().placeable->right, 21 * 50);
    EXPECT_EQ(h.clipboard.metafilePict()->xExt, 21 * 50);
}

TEST(QrSymbol, NoSymbolIsReportedAndKeepsThePreviousPicture) {
    struct Case {
        const char* name;
        void (*options)(SymbolSettings&);
        std::string message;
        int status;
    };
    for (const Case& c : {
             Case{"model 1", [](SymbolSettings& s) { s.qr.qrModel = 1; }, "HELLO", kQrModelNotAvailable},
             Case{"micro at level H", [](SymbolSettings& s) { s.qr.qrModel = 3; s.qr.qrEccLevel = 3; }, "1",
                  kQrLevelNotAvailable},
             Case{"too long", [](SymbolSettings& s) { s.qr.qrEccLevel = 3; }, std::string(3000, 'q'), kQrTooLong},
             Case{"picture too large", [](SymbolSettings& s) { s.matrixModuleSize = 2000; }, "HELLO", kQrTooLarge},
         }) {
        MatrixHarness h(kQr);
        ASSERT_TRUE(h.build("kept"));
        const auto before = h.clipboard.metafilePict();
        c.options(h.app.settings);
        h.ui.messages.clear();
        EXPECT_FALSE(h.build(c.message)) << c.name;
        EXPECT_EQ(QRmaker1().status, c.status) << c.name;
        EXPECT_EQ(h.lastMessage(), qrStatusText(c.status)) << c.name;
        EXPECT_FALSE(h.lastMessage().empty()) << c.name;
        ASSERT_TRUE(h.clipboard.metafilePict().has_value());
        EXPECT_EQ(h.clipboard.metafilePict()->hMF, before->hMF) << c.name;

        h.app.settings.messageWarnings = false;
        h.ui.messages.clear();
        EXPECT_FALSE(h.build(c.message)) << c.name;
        EXPECT_TRUE(h.ui.messages.empty()) << c.name;
        EXPECT_FALSE(h.clipboard.metafilePict().has_value()) << c.name << ": an automated caller finds no symbol";
    }
}

TEST(QrOptionsDialog, OpenAndAccept) {
    struct Case {
        QrOptions stored;
        int model, level, quiet;  // list indexes shown
    };
    for (const Case& c : {Case{{1, 0, 1}, 0, 0, 0}, Case{{3, 3, 10}, 2, 3, 9}, Case{{2, 1, 4}, 1, 1, 3},
                          Case{{7, -2, 40}, 2, 0, 9}}) {
        QrOptionsDialog d = openQrOptions(c.stored);
        EXPECT_EQ(d.modelIndex, c.model);
        EXPECT_EQ(d.levelIndex, c.level);
        EXPECT_EQ(d.quietZoneIndex, c.quiet);
        QrOptions o;
        acceptQrOptions(d, o);
        EXPECT_EQ(o.qrModel, c.model + 1);
        EXPECT_EQ(o.qrEccLevel, c.level);
        EXPECT_EQ(o.qrQuietZone, c.quiet + 1);
    }
    EXPECT_EQ(qrQuietZoneList().size(), 10u);
    EXPECT_EQ(qrQuietZoneList().back(), "10");
}

}  // namespace
}  // namespace quillet
