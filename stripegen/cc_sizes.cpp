// Sizes of the composite components: CC-A by column count, and CC-B in the
// sizes of MicroPDF417 with 2, 3 and 4 data columns.
#include "stripegen/cc_encode.h"

namespace stripegen {

namespace {
//                                  rows data ecc
const std::vector<CcSize> kCca2 = {{5, 6, 4}, {6, 8, 4}, {7, 9, 5}, {8, 11, 5}, {9, 12, 6}, {10, 14, 6}, {12, 17, 7}};
const std::vector<CcSize> kCca3 = {{4, 8, 4}, {5, 10, 5}, {6, 12, 6}, {7, 14, 7}, {8, 17, 7}};
const std::vector<CcSize> kCca4 = {{3, 8, 4}, {4, 11, 5}, {5, 14, 6}, {6, 17, 7}, {7, 20, 8}};

const std::vector<CcSize> kCcb2 = {{8, 8, 8},    {11, 13, 9},  {14, 19, 9}, {17, 24, 10},
                                   {20, 29, 11}, {23, 33, 13}, {26, 37, 15}};
const std::vector<CcSize> kCcb3 = {{6, 6, 12},   {8, 10, 14},  {10, 14, 16}, {12, 18, 18}, {15, 24, 21},
                                   {20, 34, 26}, {26, 46, 32}, {32, 58, 38}, {38, 70, 44}, {44, 82, 50}};
const std::vector<CcSize> kCcb4 = {{4, 8, 8},     {6, 12, 12},   {8, 18, 14},   {10, 24, 16},
                                   {12, 30, 18},  {15, 39, 21},  {20, 54, 26},  {26, 72, 32},
                                   {32, 90, 38},  {38, 108, 44}, {44, 126, 50}};
const std::vector<CcSize> kNone;
}  // namespace

const std::vector<CcSize>& ccaSizes(int columns) {
    return columns == 2 ? kCca2 : columns == 3 ? kCca3 : columns == 4 ? kCca4 : kNone;
}

const std::vector<CcSize>& ccbSizes(int columns) {
    return columns == 2 ? kCcb2 : columns == 3 ? kCcb3 : columns == 4 ? kCcb4 : kNone;
}

}  // namespace stripegen
