// The Data Matrix options dialog: what it shows for the stored options,
// which frames an ECC choice shows, and what accepting stores.
#include <gtest/gtest.h>

#include "app/render/datamatrix_options_dialog.h"

namespace quillet {
namespace {

TEST(DmOptionsDialog, OpenShowsTheSettings) {
    struct Case {
        DataMatrixOptions stored;
        int ecc, format, shape, size;
        bool formatFrame;
    };
    for (const Case& c : {Case{{26, 5, 0, false}, 5, 4, 0, 0, false}, Case{{0, 1, 3, true}, 0, 0, 3, 0, true},
                          Case{{8, 6, 7, false}, 3, 5, 7, 0, true}, Case{{12, 4, 30, false}, 4, 3, 7, 23, true},
                          Case{{26, 2, 19, true}, 5, 1, 7, 12, false}}) {
        const DmOptionsDialog d = openDmOptions(c.stored);
        EXPECT_EQ(d.eccOption, c.ecc);
        EXPECT_EQ(d.formatOption, c.format);
        EXPECT_EQ(d.shapeOption, c.shape);
        EXPECT_EQ(d.sizeIndex, c.size);
        EXPECT_EQ(d.translateTildes, c.stored.dmTranslateTildes);
        EXPECT_EQ(d.formatFrameVisible, c.formatFrame);
        EXPECT_EQ(d.shapeFrameVisible, !c.formatFrame);
        EXPECT_EQ(d.tildesVisible, !c.formatFrame);
    }
}

TEST(DmOptionsDialog, AcceptStoresTheChoices) {
    struct Case {
        int ecc, format, shape, size;
        bool tildes;
        DataMatrixOptions stored;
    };
    for (const Case& c : {Case{5, 4, 0, 9, true, {26, 5, 0, true}}, Case{1, 0, 6, 0, false, {3, 1, 6, false}},
                          Case{2, 5, 7, 0, false, {6, 6, 7, false}}, Case{4, 3, 7, 23, true, {12, 4, 30, true}}}) {
        DmOptionsDialog d = openDmOptions({});
        chooseDmEcc(d, c.ecc);
        d.formatOption = c.format;
        d.shapeOption = c.shape;
        d.sizeIndex = c.size;
        d.translateTildes = c.tildes;
        DataMatrixOptions o;
        acceptDmOptions(d, o);
        EXPECT_EQ(o.dmEccCode, c.stored.dmEccCode);
        EXPECT_EQ(o.dmDataFormat, c.stored.dmDataFormat);
        EXPECT_EQ(o.dmShapeSize, c.stored.dmShapeSize);
        EXPECT_EQ(o.dmTranslateTildes, c.stored.dmTranslateTildes);
    }
}

TEST(DmOptionsDialog, Texts) {
    const auto sizes = dmSizeList();
    ASSERT_EQ(sizes.size(), 24u);
    EXPECT_EQ(sizes.front(), "10 X 10");
    EXPECT_EQ(sizes[9], "32 X 32");
    EXPECT_EQ(sizes.back(), "144 X 144");
    EXPECT_STREQ(kDmShapeCaptions[3], "Rectangular 12x26 modules");
    EXPECT_STREQ(kDmEccCaptions[5], "ECC 200");
}

}  // namespace
}  // namespace quillet
