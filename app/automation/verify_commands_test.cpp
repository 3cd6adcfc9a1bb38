// The check before printing end to end: symbols set up and built through the
// command language, graded at the target printer's resolution, and [VERIFY]
// refusing what grades below the least acceptable grade.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/automation/automation_session.h"
#include "app/render/print_verify.h"

namespace quillet {
namespace {

struct Checked {
    bool accepted;  // [VERIFY]
    VerifyResult result;
};

Checked grade(const std::string& setup) {
    test::Session session;
    session.app.ui = nullptr;  // the grade's message box is not wanted here
    EXPECT_TRUE(session.run(setup + "[BUILD/COPY]")) << setup;
    Checked g{session.run("[VERIFY]"), {}};
    if (session.app.output.lastSymbol)
        g.result = verifySymbol(session.s(), *session.app.output.lastSymbol, session.app.verify);
    return g;
}

double worstDecodability(const VerifyResult& r) {
    double worst = 1;
    if (r.linear)
        for (const auto& l : r.linear->lines) worst = std::min(worst, l.decodability.value);
    return worst;
}

const char* const k203 = "[HORIZONTALDPI=203][VERTICALDPI=203]";
const char* const k600 = "[HORIZONTALDPI=600][VERTICALDPI=600]";

TEST(VerifyCommand, LinearSymbolsGradeAsTheyWouldPrint) {
    struct Case {
        const char* name;
        std::string setup;
        bool accepted;
        int grade;  // overall, or -1 for "below A"
    } cases[] = {
        {"13 mil at 600 dpi", std::string(k600) + "[CODE128][QUIETZONES=ON][INCHES][BARWIDTH=13][MESSAGE='GRADE 13']", true, 4},
        {"3 dots at 203 dpi", std::string(k203) + "[CODE128][QUIETZONES=ON][DOTS][BARWIDTH=3][MESSAGE='GRADE 13']", true, 4},
        {"red bars on white", std::string(k600) + "[CODE128][QUIETZONES=ON][INCHES][BARWIDTH=13][FORECOLOR=RED][MESSAGE='RED']",
         false, -1},
    };
    for (const Case& c : cases) {
        const Checked g = grade(c.setup);
        ASSERT_TRUE(g.result.rendered) << c.name;
        EXPECT_EQ(g.accepted, c.accepted) << c.name << ": " << verifyReportText(g.result);
        if (c.grade >= 0) {
            EXPECT_EQ(g.result.grade, c.grade) << c.name << ": " << verifyReportText(g.result);
            EXPECT_TRUE(g.result.dataMatches) << c.name;
        } else {
            EXPECT_LT(g.result.grade, 2) << c.name << ": " << verifyReportText(g.result);
        }
    }
}

TEST(VerifyCommand, WhatPrintsWorseGradesWorse) {
    struct Pair {
        const char* name;
        std::string better, worse;
        bool byDecodability;  // else by the overall grade
    } pairs[] = {
        {"13 mil typed in mils at 203 dpi (2.64 dots) against 3 whole dots",
         std::string(k203) + "[CODE128][QUIETZONES=ON][DOTS][BARWIDTH=3][MESSAGE='MILS 13']",
         std::string(k203) + "[CODE128][QUIETZONES=ON][INCHES][BARWIDTH=13][MESSAGE='MILS 13']", true},
        {"no quiet zone", std::string(k600) + "[CODE128][INCHES][BARWIDTH=13][QUIETZONES=ON][MESSAGE='QZ']",
         std::string(k600) + "[CODE128][INCHES][BARWIDTH=13][QUIETZONES=OFF][MESSAGE='QZ']", false},
        // Code 39's narrow and wide elements are told apart by width, so growth
        // that widens bars and narrows spaces costs decodability (Code 128's
        // edge-to-similar-edge distances survive it).
        {"one dot of print growth on 2-dot bars",
         std::string(k203) + "[CODE39][QUIETZONES=ON][DOTS][BARWIDTH=2][RATIO=3][MESSAGE='GROW']",
         std::string(k203) + "[CODE39][QUIETZONES=ON][DOTS][BARWIDTH=2][RATIO=3][PRINTGROWTH=1][MESSAGE='GROW']", true},
    };
    for (const Pair& p : pairs) {
        const Checked better = grade(p.better), worse = grade(p.worse);
        ASSERT_TRUE(better.result.linear && worse.result.linear) << p.name;
        if (p.byDecodability) {
            EXPECT_LT(worstDecodability(worse.result), worstDecodability(better.result))
                << p.name << "\n" << verifyReportText(better.result) << "\n" << verifyReportText(worse.result);
        } else {
            EXPECT_LT(worse.result.linear->meanGrade, better.result.linear->meanGrade)
                << p.name << "\n" << verifyReportText(better.result) << "\n" << verifyReportText(worse.result);
        }
    }
}

// A module of 2.5 dots snaps to 2 and 3 dots in turn: the grid is no longer
// regular, and the report says by how much.
TEST(VerifyCommand, MatrixModulesBetweenWholeDotsShowGridNonUniformity) {
    struct Case {
        const char* symbol;
        const char* module;  // the command setting the module size once the symbology is chosen
        const char* message;
    } cases[] = {{"[QRCODE]", "BARWIDTH", "[MESSAGE='https://example.org/grid']"},
                 {"[DATAMATRIX]", "DMMODULESIZE", "[MESSAGE='Grid 2.5']"}};
    for (const Case& c : cases) {
        // 2.5 dots at 203 dpi is 12.32 mils; 3 dots is whole.
        const Checked half =
            grade(std::string(k203) + c.symbol + "[INCHES][" + c.module + "=12.32]" + c.message);
        const Checked whole = grade(std::string(k203) + c.symbol + "[DOTS][" + c.module + "=3]" + c.message);
        ASSERT_TRUE(half.result.matrix && whole.result.matrix) << c.symbol;
        EXPECT_GT(half.result.matrix->gridNonUniformity.value, whole.result.matrix->gridNonUniformity.value)
            << c.symbol << "\n" << verifyReportText(half.result) << "\n" << verifyReportText(whole.result);
        EXPECT_EQ(half.result.matrix->minModuleDots, 2) << c.symbol;
        EXPECT_EQ(half.result.matrix->maxModuleDots, 3) << c.symbol;
        EXPECT_EQ(whole.result.matrix->minModuleDots, 3) << c.symbol;
        EXPECT_EQ(whole.result.matrix->maxModuleDots, 3) << c.symbol;
        EXPECT_NE(verifyReportText(half.result).find(", GN "), std::string::npos) << verifyReportText(half.result);
    }
}

}  // namespace
}  // namespace quillet
