// UPC/EAN family: digit sets, parity, message preparation, BookLand and the
// text layout, checked against the published tables and read back by zxing.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/encode/encode_test_util.h"
#include "app/encode/upc_ean.h"
#include "app/model/messages.h"

namespace quillet {
namespace {

using test::encodeWith;
using test::settingsFor;

// The published digit sets written in the module alphabet by hand: digits
// 1, 2, 7 and 8 carry the 1/13-module bar correction.
constexpr std::array<const char*, 10> kL{"9513", "IDIC", "ICID", "1713", "1395",
                                         "1593", "1317", "GFGE", "GEGF", "9315"};
constexpr std::array<const char*, 10> kG{"1386", "GEHE", "HEGE", "13A3", "8613",
                                         "1683", "A313", "ICJC", "JCIC", "8316"};
constexpr std::array<const char*, 10> kR{"6831", "EHEG", "EGEH", "3A31", "3168",
                                         "3861", "313A", "CJCI", "CICJ", "6138"};

TEST(UpcEanTables, DigitSetsMatchThePublishedPatterns) {
    for (int sym : {3, 4, 5, 6, 7, 8}) {
        PatternTables t;
        buildPatternTables(t, sym);
        for (int d = 0; d < 10; ++d) {
            SCOPED_TRACE(testing::Message() << "symbology " << sym << " digit " << d);
            EXPECT_EQ(t.main[size_t('0' + d)], kL[size_t(d)]);
            EXPECT_EQ(t.eanEven[size_t(d)], kG[size_t(d)]);
            EXPECT_EQ(t.upcRight[size_t('0' + d)], kR[size_t(d)]);
            // Every digit still spans exactly 7 modules.
            EXPECT_EQ(test::patternThirteenths(t.main[size_t('0' + d)]), 91);
            EXPECT_EQ(test::patternThirteenths(t.eanEven[size_t(d)]), 91);
            EXPECT_EQ(test::patternThirteenths(t.upcRight[size_t('0' + d)]), 91);
        }
        EXPECT_EQ(t.main[0], "13131");
        EXPECT_EQ(t.main[128], "313");
    }
}

TEST(UpcEanTables, EvenParitySetIsFilledForEverySymbology) {
    for (int sym : {0, 1, 9, 13, 24, 25}) {
        PatternTables t;
        buildPatternTables(t, sym);
        for (int d = 0; d < 10; ++d) EXPECT_EQ(t.eanEven[size_t(d)], kG[size_t(d)]) << sym << " " << d;
    }
}

// Reads a run of 4-character digit patterns back into digits and the set
// letter ('O' for L, 'E' for G, 'R' for R) each was written with.
struct ReadDigits {
    std::string digits, sets;
};
ReadDigits readDigits(const std::string& p, size_t pos, size_t count, size_t step = 4) {
    ReadDigits r;
    for (size_t i = 0; i < count; ++i, pos += step) {
        std::string chunk = p.substr(pos, 4);
        for (int d = 0; d < 10; ++d) {
            if (chunk == kL[size_t(d)]) { r.digits += char('0' + d); r.sets += 'O'; }
            if (chunk == kG[size_t(d)]) { r.digits += char('0' + d); r.sets += 'E'; }
            if (chunk == kR[size_t(d)]) { r.digits += char('0' + d); r.sets += 'R'; }
        }
    }
    return r;
}

TEST(UpcEanParity, Ean13FirstDigitSelectsThePublishedParity) {
    constexpr std::array<const char*, 10> kPublished{"OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                                     "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
    for (int first = 0; first < 10; ++first) {
        auto r = encodeWith(settingsFor(7), std::string(1, char('0' + first)) + "12345678901");
        ASSERT_EQ(r.error, 0);
        // B, 313, six left digits, 13131, six right digits, 313, B
        ASSERT_EQ(r.pattern.size(), 1 + 3 + 24 + 5 + 24 + 3 + 1u);
        auto left = readDigits(r.pattern, 4, 6);
        EXPECT_EQ(left.digits, "123456");
        EXPECT_EQ(left.sets, kPublished[size_t(first)]) << "first digit " << first;
        auto right = readDigits(r.pattern, 33, 6);
        EXPECT_EQ(right.sets, "RRRRRR");
    }
}

// One 6-digit message for every check digit 0..9, per number system, with
// its check digit worked out over the UPC-A expansion by hand.
struct UpcECase {
    int numberSystem;
    const char* message;
    char check;
};
constexpr UpcECase kUpcECases[] = {
    {0, "100252", '0'}, {0, "100035", '1'}, {0, "100021", '2'}, {0, "100028", '3'}, {0, "100175", '4'},
    {0, "100042", '5'}, {0, "100014", '6'}, {0, "100203", '7'}, {0, "100007", '8'}, {0, "100000", '9'},
    {1, "100028", '0'}, {1, "100175", '1'}, {1, "100042", '2'}, {1, "100014", '3'}, {1, "100203", '4'},
    {1, "100007", '5'}, {1, "100000", '6'}, {1, "100252", '7'}, {1, "100035", '8'}, {1, "100021", '9'},
};

TEST(UpcEParity, CheckDigitSelectsThePublishedParityOfItsNumberSystem) {
    constexpr std::array<const char*, 10> kNs0{"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                               "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
    constexpr std::array<const char*, 10> kNs1{"OOOEEE", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
                                               "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO"};
    for (const auto& c : kUpcECases) {
        SCOPED_TRACE(testing::Message() << "NS " << c.numberSystem << " " << c.message);
        auto r = encodeWith(settingsFor(c.numberSystem == 0 ? 4 : 5), c.message);
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.text, std::string(1, char('0' + c.numberSystem)) + " " + c.message + " " + c.check);
        ASSERT_EQ(r.pattern.size(), 1 + 3 + 24 + 6 + 1u);
        EXPECT_EQ(r.pattern.substr(0, 4), "B313");
        EXPECT_EQ(r.pattern.substr(28), "131313B");
        auto d = readDigits(r.pattern, 4, 6);
        EXPECT_EQ(d.digits, c.message);
        int check = c.check - '0';
        EXPECT_EQ(d.sets, c.numberSystem == 0 ? kNs0[size_t(check)] : kNs1[size_t(check)]);
    }
}

TEST(UpcEExpansion, EachLastDigitRuleGivesThePublishedUpcANumber) {
    struct Case {
        char ns;
        const char* six;
        const char* expanded;
    };
    const Case cases[] = {
        {'0', "123450", "01200000345"}, {'0', "123451", "01210000345"}, {'0', "123452", "01220000345"},
        {'0', "123453", "01230000045"}, {'1', "123453", "11230000045"}, {'0', "123454", "01234000005"},
        {'0', "123455", "01234500005"}, {'0', "123456", "01234500006"}, {'0', "123459", "01234500009"},
    };
    for (const auto& c : cases) EXPECT_EQ(upcEExpansion(c.ns, c.six), c.expanded) << c.six;
}

TEST(AddOnParity, FiveDigitValueSelectsThePublishedParity) {
    // "0000d" has the parity value 3d mod 10.
    struct Case {
        const char* digits;
        const char* parity;
    };
    const Case cases[] = {
        {"00000", "EEOOO"}, {"00007", "EOEOO"}, {"00004", "EOOEO"}, {"00001", "EOOOE"}, {"00008", "OEEOO"},
        {"00005", "OOEEO"}, {"00002", "OOOEE"}, {"00009", "OEOEO"}, {"00006", "OEOOE"}, {"00003", "OOEOE"},
        {"52495", "EOEOO"},  // 3 x 14 + 9 x 11 = 141
    };
    for (const auto& c : cases) {
        auto r = encodeWith(settingsFor(3, c.digits), "03600029145");
        ASSERT_EQ(r.error, 0) << c.digits;
        EXPECT_EQ(r.supplement, c.digits);
        const size_t addOn = 61;  // characters of the main symbol and its margins
        ASSERT_EQ(r.pattern.size(), addOn + 3 + 5 * 4 + 4 * 2 + 1);
        EXPECT_EQ(r.pattern.substr(addOn, 3), "315");
        for (size_t i = 1; i < 5; ++i) EXPECT_EQ(r.pattern.substr(addOn + 3 + 6 * i - 2, 2), "13");
        auto d = readDigits(r.pattern, addOn + 3, 5, 6);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.sets, c.parity) << c.digits;
        EXPECT_EQ(r.pattern.back(), 'B');
    }
}

TEST(AddOnParity, TwoDigitValueModFourSelectsTheParity) {
    struct Case {
        const char* digits;
        const char* parity;
    };
    const Case cases[] = {{"12", "OO"}, {"13", "OE"}, {"14", "EO"}, {"15", "EE"}, {"00", "OO"}, {"99", "EE"}};
    for (const auto& c : cases) {
        auto r = encodeWith(settingsFor(7, c.digits), "590123412345");
        ASSERT_EQ(r.error, 0) << c.digits;
        const size_t addOn = 61;
        ASSERT_EQ(r.pattern.size(), addOn + 3 + 4 + 2 + 4 + 1);
        EXPECT_EQ(r.pattern.substr(addOn, 3), "315");
        EXPECT_EQ(r.pattern.substr(addOn + 7, 2), "13");
        auto d = readDigits(r.pattern, addOn + 3, 2, 6);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.sets, c.parity);
    }
}

// Human-readable text with its placeholder spaces, and the symbol's width
// in modules (including the two 9-module margins).
TEST(UpcEanLayout, TextAndWidthOfEveryMember) {
    struct Case {
        int symbology;
        const char* message;
        const char* supplement;
        const char* text;
        int modules;
    };
    const Case cases[] = {
        {3, "03600029145", "", "0  36000 29145  2", 113},
        {3, "03600029145", "12", "0  36000 29145  2", 113 + 29},
        {3, "03600029145", "52495", "0  36000 29145  2", 113 + 56},
        {4, "123456", "", "0 123456 5", 69},
        {5, "123453", "", "1 123453 8", 69},
        {6, "1234567", "", "  1234 5670  ", 85},
        {6, "1234567", "05", "  1234 5670  ", 85 + 29},
        {7, "590123412345", "", "5 901234 123457  ", 113},
        {8, "0-306-40615-2", "", "9 780306 406157  ", 113},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        auto r = encodeWith(settingsFor(c.symbology, c.supplement), c.message);
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.supplement, c.supplement);
        EXPECT_EQ(test::patternThirteenths(r.pattern), 13 * c.modules);
        EXPECT_EQ(r.pattern.front(), 'B');
        EXPECT_EQ(r.pattern.back(), 'B');
        EXPECT_TRUE(r.checkText.empty());
    }
}

TEST(UpcEanLayout, UpcAUsesLeftSetThenCentreGuardThenRightSet) {
    auto r = encodeWith(settingsFor(3), "03600029145");
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(r.pattern.substr(0, 4), "B313");
    auto left = readDigits(r.pattern, 4, 6);
    EXPECT_EQ(left.digits, "036000");
    EXPECT_EQ(left.sets, "OOOOOO");
    EXPECT_EQ(r.pattern.substr(28, 5), "13131");
    auto right = readDigits(r.pattern, 33, 6);
    EXPECT_EQ(right.digits, "291452");
    EXPECT_EQ(right.sets, "RRRRRR");
    EXPECT_EQ(r.pattern.substr(57), "313B");
}

// Padding, truncation and the user's own check digit.
TEST(UpcEanPreparation, PaddingTruncationAndUserCheckDigit) {
    struct Case {
        int symbology;
        bool warnings;
        bool disableAuto;
        const char* message;
        int error;
        const char* text;
    };
    const Case cases[] = {
        // Warnings off: pad with zeros on the right, cut longer data.
        {3, false, false, "12345", 0, "1  23450 00000  7"},
        {3, false, false, "1234567890199", 0, "1  23456 78901  2"},
        {6, false, false, "12345", 0, "  1234 5007  "},
        {4, false, false, "1234", 0, "0 123400 0"},
        // The user's digit replaces the computed one, right or wrong.
        {3, false, true, "1234567890199", 0, "1  23456 78901  9"},
        {7, true, true, "5901234123450", 0, "5 901234 123450  "},
        {4, true, true, "1234569", 0, "0 123456 9"},
        // Warnings on: exactly the data length (plus one with the option).
        {7, true, true, "590123412345", 15, nullptr},
        {7, true, false, "5901234123457", 15, nullptr},
        {3, true, false, "0360002914", 2, nullptr},
        {6, true, false, "12345678", 3, nullptr},
        {4, true, false, "12345", 13, nullptr},
        {5, true, false, "1234567", 13, nullptr},
        // Non-digits are refused whatever the warnings.
        {3, false, false, "0360002914A", 2, nullptr},
        {7, false, false, "59012341234-", 15, nullptr},
        {6, false, false, "1 34567", 3, nullptr},
        {5, false, false, "12345x", 13, nullptr},
        // Without a typed check digit the others compute their own.
        {6, false, true, "12345", 0, "  1234 5007  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        SymbolSettings s = settingsFor(c.symbology);
        s.messageWarnings = c.warnings;
        s.disableAutoCheckDigit = c.disableAuto;
        auto r = encodeWith(s, c.message);
        EXPECT_EQ(r.error, c.error);
        EXPECT_FALSE(r.secondBeep);
        if (c.text) { EXPECT_EQ(r.text, c.text); }
    }
}

TEST(UpcEanPreparation, UpcAWithoutTypedCheckDigitAsksForItWithASecondBeep) {
    SymbolSettings s = settingsFor(3);
    s.messageWarnings = false;
    s.disableAutoCheckDigit = true;
    auto r = encodeWith(s, "036000291");
    EXPECT_EQ(r.error, 2);
    EXPECT_TRUE(r.secondBeep);
    EXPECT_EQ(messageText(r.error),
              "Invalid UPC-A message!  UPC-A bar codes must consist of 11 numeric digits only.\r"
              "Quillet will automatically calculate the trailing check digit for you.\r\r"
              "NOTE: Quillet will pad shorter data with zeros and truncate longer data if you disable "
              "Invalid Message Warnings in the Preferences Menu.");
}

TEST(BookLand, IsbnInputBecomesEan13Data) {
    struct Case {
        const char* isbn;
        const char* text;  // empty: refused with message code 31
    };
    const Case cases[] = {
        {"0-306-40615-2", "9 780306 406157  "},
        {"978-0-306-40615-7", "9 780306 406157  "},
        {"0306406152", "9 780306 406157  "},
        {"0-8044-2957-X", "9 780804 429573  "},
        {"979-10-90636-07-1", "9 791090 636071  "},
        {"0-306-4061-2", ""},       // eight digits
        {"123-4-567-89012-3", ""},  // twelve digits without 978/979
        {"0 306 40615 2", ""},      // spaces are not ISBN characters
        {"03064O6152", ""},         // letter O
        {"X", ""},
        {"97803064061577", ""},     // thirteen digits before the check
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.isbn);
        auto r = encodeWith(settingsFor(8), c.isbn);
        if (*c.text) {
            ASSERT_EQ(r.error, 0);
            EXPECT_EQ(r.text, c.text);
        } else {
            EXPECT_EQ(r.error, 31);
        }
    }
}

TEST(BookLand, PriceBecomesTheAddOn) {
    struct Case {
        const char* price;
        int error;
        const char* addOn;
    };
    const Case cases[] = {
        {"24.95", 0, "52495"}, {"9.95", 0, "50995"}, {"0.99", 0, "50099"}, {"2495", 0, "52495"},
        {"90000", 0, "90000"}, {"", 0, ""},          {"12", 0, "12"},
        {"100.00", 32, ""},    {"$5.00", 32, ""},    {"12345", 32, ""},
        {"1.5", 14, ""},  // two digits stay as typed and are no add-on
        {"7", 14, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.price);
        auto r = encodeWith(settingsFor(8, c.price), "0-306-40615-2");
        EXPECT_EQ(r.error, c.error);
        if (c.error == 0) { EXPECT_EQ(r.supplement, c.addOn); }
    }
}

TEST(BookLand, ValidIsbnIsNotRefusedWhenTheCheckDigitOptionIsOn) {
    // The ISBN's own check character is always replaced, so there is no
    // typed EAN check digit to demand.
    SymbolSettings s = settingsFor(8);
    s.disableAutoCheckDigit = true;
    auto r = encodeWith(s, "0-306-40615-2");
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(r.text, "9 780306 406157  ");
}

TEST(UpcEanAddOn, SupplementMustBeTwoOrFiveDigits) {
    struct Member {
        int symbology;
        const char* message;
    };
    // BookLand reads the field as a price first (tested with the prices).
    const Member members[] = {{3, "03600029145"}, {4, "123456"},       {5, "123456"},
                              {6, "1234567"},     {7, "590123412345"}};
    for (const auto& m : members) {
        for (const char* sup : {"1", "123", "1234", "123456", "1a", "12 45", "1234x"}) {
            SCOPED_TRACE(testing::Message() << m.symbology << " '" << sup << "'");
            auto r = encodeWith(settingsFor(m.symbology, sup), m.message);
            EXPECT_EQ(r.error, 14);
        }
    }
}

// Message codes of the family, with their exact texts.
TEST(UpcEanMessages, EveryCodeIsReachedWithItsText) {
    const std::string notes =
        "\rQuillet will automatically calculate the trailing check digit for you.\r\r"
        "NOTE: Quillet will pad shorter data with zeros and truncate longer data if you disable "
        "Invalid Message Warnings in the Preferences Menu.";
    struct Case {
        int symbology;
        const char* message;
        const char* supplement;
        int code;
        std::string text;
    };
    const Case cases[] = {
        {3, "1234", "", 2, "Invalid UPC-A message!  UPC-A bar codes must consist of 11 numeric digits only." + notes},
        {6, "1234", "", 3, "Invalid EAN-8 message!  EAN-8 bar codes must consist of 7 numeric digits only." + notes},
        {4, "1234", "", 13, "Invalid UPC-E message!  UPC-E bar codes must consist of 6 numeric digits only." + notes},
        {5, "1234", "", 13, "Invalid UPC-E message!  UPC-E bar codes must consist of 6 numeric digits only." + notes},
        {7, "1234", "", 15, "Invalid EAN-13 message!  EAN-13 bar codes must consist of 12 numeric digits only." + notes},
        {6, "1234567", "123", 14,
         "Invalid Supplemental message!  Supplements must consist of either 2 or 5 numeric digits only."},
        {8, "12345", "", 31,
         "Invalid ISBN Number! For BookLan bar codes please enter either a 10 or 13 digit ISBN number.\r"
         "Note: 13 digit ISBN numbers must have either 978 or 979 as the first three digits in the ISBN number."},
        {8, "0-306-40615-2", "100.00", 32,
         "Invalid BookLan price supplemental.  Please enter dollar amount (under 100 dollars). "},
    };
    for (const auto& c : cases) {
        auto r = encodeWith(settingsFor(c.symbology, c.supplement), c.message);
        EXPECT_EQ(r.error, c.code) << c.symbology << " " << c.message;
        EXPECT_EQ(messageText(r.error), c.text);
    }
}

// Rendered at 13 pixels a module and read back by zxing.
TEST(UpcEanDecode, ZxingReadsEveryMemberWithItsAddOn) {
    struct Case {
        int symbology;
        const char* message;
        const char* supplement;
        const char* format;
        const char* text;  // main symbol as zxing reports it
    };
    const Case cases[] = {
        {3, "03600029145", "", "UPC-A", "036000291452"},
        {3, "12345678901", "12", "UPC-A", "123456789012"},
        {3, "03600029145", "52495", "UPC-A", "036000291452"},
        {4, "123456", "", "UPC-E", "01234565"},
        {4, "100252", "99", "UPC-E", "01002520"},
        {5, "123453", "", "UPC-E", "11234538"},
        {5, "100175", "00007", "UPC-E", "11001751"},
        {6, "1234567", "", "EAN-8", "12345670"},
        {6, "7654321", "05", "EAN-8", "76543210"},
        {7, "590123412345", "", "EAN-13", "5901234123457"},
        {7, "400638133393", "12345", "EAN-13", "4006381333931"},
        {8, "0-306-40615-2", "24.95", "EAN-13", "9780306406157"},
        {8, "978-0-306-40615-7", "", "EAN-13", "9780306406157"},
        {8, "979-10-90636-07-1", "90000", "EAN-13", "9791090636071"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        auto r = encodeWith(settingsFor(c.symbology, c.supplement), c.message);
        ASSERT_EQ(r.error, 0);
        auto d = test::decode(test::rasterise(r.pattern), c.format, true);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.format, c.format);
        std::string expected = c.text;
        if (!r.supplement.empty()) expected += " " + r.supplement;
        EXPECT_EQ(d.text, expected);
    }
}

}  // namespace
}  // namespace quillet
