// Security level, matrix size under the three constraints, padding, length
// descriptor and error correction.
#include <gtest/gtest.h>

#include <random>

#include "app/pdf417/pdf417_error_correction.h"
#include "app/pdf417/pdf417_matrix.h"

namespace quillet {
namespace {

Pdf417Options fixedLevel(int level) {
    Pdf417Options o;
    o.pdfSecurityLevel = level;
    return o;
}

std::vector<int> dataOf(int count) { return std::vector<int>(size_t(count), 7); }

TEST(SecurityLevel, AutomaticThresholds) {
    struct Case { int n, percent, level; };
    for (Case c : {Case{11, 11, 1}, Case{500, 0, 0}, Case{100, 2, 1}, Case{201, 1, 2}, Case{800, 1, 2},
                   Case{801, 1, 3}, Case{100, 16, 3}, Case{100, 17, 4}, Case{400, 8, 4}, Case{400, 16, 5},
                   Case{400, 32, 6}, Case{800, 32, 7}, Case{900, 29, 8}, Case{900, 28, 7}}) {
        EXPECT_EQ(Pdf417SecurityLevel(c.n, 9, c.percent), c.level) << c.n << " " << c.percent;
    }
    for (int level = 0; level <= 8; ++level) EXPECT_EQ(Pdf417SecurityLevel(50, level, 99), level);
}

TEST(ModuleUnits, HalfUpThenTiesToEven) {
    EXPECT_EQ(Pdf417ModuleUnits(25.4f), 26);
    EXPECT_EQ(Pdf417ModuleUnits(76.2f), 77);
    EXPECT_EQ(Pdf417ModuleUnits(25.0f), 26);  // 25.5 -> 26
    EXPECT_EQ(Pdf417ModuleUnits(26.0f), 26);  // 26.5 -> 26
}

TEST(AspectRatio, WorkedExampleChoosesFifteenRowsOfOne) {
    Pdf417Options o;  // automatic level, 11 %, aspect 0.5, maxima 90 x 30
    Pdf417Matrix m = PlanPdf417Matrix(dataOf(10), o, 26, 77);
    ASSERT_EQ(m.error, 0);
    EXPECT_EQ(m.securityLevel, 1);
    EXPECT_EQ(m.rows, 15);
    EXPECT_EQ(m.columns, 1);
    EXPECT_EQ(m.aspectText, "0.500");
    EXPECT_EQ(m.candidates, (std::vector<std::string>{"0.058", "0.086", "0.123", "0.230", "0.517"}));
}

TEST(AspectRatio, TruncatedOverheadAndTies) {
    Pdf417Options o = fixedLevel(0);
    o.pdfTruncated = true;
    o.pdfAspectRatio = 1.0;
    // total 12: 3x4 at (4+2)*17+1 = 103 modules, 4x3 at 86, 6x2 at 69, 12x1 at 52;
    // 5 rows need 3 columns, which 4 rows already hold.
    Pdf417Matrix m = PlanPdf417Matrix(dataOf(9), o, 10, 30);
    ASSERT_EQ(m.error, 0);
    EXPECT_EQ(m.candidates, (std::vector<std::string>{"0.087", "0.140", "0.261", "0.692"}));
    EXPECT_EQ(m.rows, 12);
    EXPECT_EQ(m.columns, 1);
}

struct SizeCase {
    const char* name;
    int constraint, maxRows, maxColumns, total;  // level 0: total = data + 3
    int rows, columns, error;
};

class SizeConstraint : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeConstraint, RowsColumnsOrError) {
    const SizeCase& c = GetParam();
    Pdf417Options o = fixedLevel(0);
    o.pdfSizeConstraint = c.constraint;
    o.pdfMaxRows = c.maxRows;
    o.pdfMaxColumns = c.maxColumns;
    Pdf417Matrix m = PlanPdf417Matrix(dataOf(c.total - 3), o, 26, 77);
    EXPECT_EQ(m.error, c.error);
    if (c.error) {
        EXPECT_TRUE(m.codewords.empty());
        return;
    }
    EXPECT_EQ(m.rows, c.rows);
    EXPECT_EQ(m.columns, c.columns);
    EXPECT_EQ(m.codewords.size(), size_t(c.rows * c.columns));
    EXPECT_LE(c.rows * c.columns, 928);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeConstraint,
    ::testing::Values(
        SizeCase{"rows_fewer_codewords_than_rows", 1, 10, 30, 7, 7, 1, 0},
        SizeCase{"rows_fixed", 1, 10, 30, 25, 9, 3, 0},
        SizeCase{"rows_never_below_three", 1, 3, 30, 4, 3, 2, 0},
        SizeCase{"rows_need_31_columns", 1, 3, 30, 100, 0, 0, 24},
        SizeCase{"rows_product_above_928", 1, 90, 30, 928, 0, 0, 26},
        SizeCase{"columns_three_rows", 2, 90, 30, 40, 3, 14, 0},
        SizeCase{"columns_fixed", 2, 90, 10, 95, 10, 10, 0},
        SizeCase{"columns_rows_rounded_up", 2, 90, 7, 50, 8, 7, 0},
        SizeCase{"columns_need_91_rows", 2, 90, 1, 100, 0, 0, 25},
        SizeCase{"columns_product_above_928", 2, 90, 30, 928, 0, 0, 26},
        SizeCase{"aspect_too_few_rows", 0, 3, 30, 91, 0, 0, 26},
        // 928 codewords fit only 32 x 29 (ratio 0.169) and 58 x 16 (0.504).
        SizeCase{"aspect_largest", 0, 90, 30, 928, 58, 16, 0},
        SizeCase{"too_large_any_constraint", 0, 90, 30, 929, 0, 0, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Assembly, LengthDescriptorPadsThenErrorCorrection) {
    Pdf417Options o = fixedLevel(1);
    o.pdfSizeConstraint = 2;
    o.pdfMaxColumns = 4;
    std::vector<int> data = {1, 2, 3, 4, 5};  // n = 6, k = 4, total 10 -> 3 x 4
    Pdf417Matrix m = PlanPdf417Matrix(data, o, 26, 77);
    ASSERT_EQ(m.error, 0);
    ASSERT_EQ(m.rows * m.columns, 12);
    EXPECT_EQ(m.codewords[0], 8);  // itself, 5 data, 2 pads
    EXPECT_EQ(std::vector<int>(m.codewords.begin() + 1, m.codewords.begin() + 8),
              (std::vector<int>{1, 2, 3, 4, 5, 900, 900}));
    EXPECT_EQ(std::vector<int>(m.codewords.begin() + 8, m.codewords.end()),
              Pdf417ErrorCorrection(std::vector<int>(m.codewords.begin(), m.codewords.begin() + 8), 1));
    EXPECT_EQ(FormatPdf417Codewords({8, 1, 900}), "8,1,900,");
}

// The codeword polynomial c_0 x^(N-1) + ... + c_(N-1) has the roots 3^1 ... 3^k.
int syndrome(const std::vector<int>& cw, int root) {
    int64_t s = 0;
    for (int c : cw) s = (s * root + c) % 929;
    return int(s);
}

TEST(ErrorCorrection, SyndromesVanishAtEveryLevel) {
    std::mt19937 rng(929);
    for (int level = 0; level <= 8; ++level) {
        const int k = 2 << level;
        ASSERT_EQ(Pdf417EcCoefficients(level).size(), size_t(k));
        std::vector<int> cw(size_t(std::max(1, 928 - k - int(rng() % 40))));
        for (int& c : cw) c = int(rng() % 929);
        std::vector<int> ec = Pdf417ErrorCorrection(cw, level);
        ASSERT_EQ(ec.size(), size_t(k));
        cw.insert(cw.end(), ec.begin(), ec.end());
        int root = 1;
        for (int j = 1; j <= k; ++j) {
            root = root * 3 % 929;
            ASSERT_EQ(syndrome(cw, root), 0) << "level " << level << " root 3^" << j;
        }
        // A single changed codeword is seen.
        cw[cw.size() / 2] = (cw[cw.size() / 2] + 1) % 929;
        EXPECT_NE(syndrome(cw, 3), 0);
    }
}

TEST(ErrorCorrection, PublishedGeneratorCoefficients) {
    auto l0 = Pdf417EcCoefficients(0), l1 = Pdf417EcCoefficients(1), l2 = Pdf417EcCoefficients(2);
    EXPECT_EQ(std::vector<int>(l0.begin(), l0.end()), (std::vector<int>{27, 917}));
    EXPECT_EQ(std::vector<int>(l1.begin(), l1.end()), (std::vector<int>{522, 568, 723, 809}));
    EXPECT_EQ(std::vector<int>(l2.begin(), l2.end()), (std::vector<int>{237, 308, 436, 284, 646, 653, 428, 379}));
    EXPECT_TRUE(Pdf417EcCoefficients(9).empty());
}

}  // namespace
}  // namespace quillet
