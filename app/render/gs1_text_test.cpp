// The element strings printed under DataBar Expanded: identifiers of two,
// three and four digits, fields of predefined length without FNC1 and
// variable ones ended by either FNC1 byte.
#include <gtest/gtest.h>

#include "app/render/gs1_text.h"

namespace quillet {
namespace {

TEST(Gs1Text, IdentifiersInParentheses) {
    const std::string F = "\x80", G = "\x1D";
    struct Case { std::string data; std::string text; };
    for (const Case& c : {
             Case{"0195012345678903", "(01)95012345678903"},
             Case{"0195012345678903" "3103000123", "(01)95012345678903(3103)000123"},
             Case{"00123456789012345675" "10AB", "(00)123456789012345675(10)AB"},
             Case{"10ABC" + F + "21XYZ", "(10)ABC(21)XYZ"},
             Case{"10ABC" + G + "17251231", "(10)ABC(17)251231"},
             Case{"17251231" "10LOT" + F, "(17)251231(10)LOT"},
             Case{"2401" + F + "2501", "(240)1(250)1"},
             Case{"4101234567890128" "422276", "(410)1234567890128(422)276"},
             Case{"8110106141416543213500110000310123196000", "(8110)106141416543213500110000310123196000"},
             Case{"7003" "2512312359", "(7003)2512312359"},
             Case{"3922" "1299" + F + "91X", "(3922)1299(91)X"},
             Case{"2012" "91ABC", "(20)12(91)ABC"},
             Case{"01123", "(01)123"},  // cut short: what there is
         })
        EXPECT_EQ(gs1ElementText(c.data), c.text) << c.data;
}

}  // namespace
}  // namespace quillet
