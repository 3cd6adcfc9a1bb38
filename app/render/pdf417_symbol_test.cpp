// PDF417 symbols: the pattern table, row strings, round trips through
// zxing-cpp and the builder's geometry and messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/commands/select_symbology.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/model/symbol_fields.h"
#include "app/pdf417/pdf417_compaction.h"
#include "app/pdf417/pdf417_error_correction.h"
#include "app/pdf417/pdf417_matrix.h"
#include "app/pdf417/pdf417_patterns.h"
#include "app/pdf417/pdf417_rows.h"
#include "app/render/build_copy.h"
#include "app/render/builders.h"
#include "app/render/pdf417_pattern_file.h"
#include "platform/paths.h"
#include "tests/support/render_wmf.h"
#include "tests/support/wmf_inspect.h"
#include "tests/support/zxing_decode.h"

namespace quillet {
namespace {

std::string patternFilePath() {
    const char* dir = std::getenv("QUILLET_BUILD_DIR");
    if (dir && *dir) return std::string(dir) + "/Cluster.Dat";
    return platform::programFolder() + "/../Cluster.Dat";
}

const Pdf417PatternTable& table() {
    Pdf417PatternTable& t = pdf417PatternTable();
    if (!t.loaded) {
        t.path = patternFilePath();
        EXPECT_TRUE(ReadPdf417PatternFile(t.path, t.patterns));
        t.loaded = true;
    }
    return t;
}

// Module rows of the row strings, 3 modules high each, as a grey image.
test::GreyImage rasterise(const std::vector<std::string>& rows, int scale = 2) {
    int modules = 0;
    for (char c : rows.at(0)) modules += c - '0';
    test::GreyImage img(modules * scale, int(rows.size()) * 3 * scale);
    for (size_t r = 0; r < rows.size(); ++r) {
        int x = 0;
        for (size_t i = 0; i < rows[r].size(); ++i) {
            int w = (rows[r][i] - '0') * scale;
            if (i % 2 == 0) img.fillRect(x, int(r) * 3 * scale, w, 3 * scale);
            x += w;
        }
    }
    return img.padded(8 * scale);
}

struct Symbol {
    Pdf417Matrix matrix;
    std::vector<std::string> rows;
};

Symbol encode(const std::string& message, const Pdf417Options& o) {
    Symbol s;
    auto data = EncodePdf417Data(message, o.pdfCompaction);
    EXPECT_TRUE(data.has_value());
    if (!data) return s;
    s.matrix = PlanPdf417Matrix(PdfCodewordsFromString(*data), o, 26, 77);
    EXPECT_EQ(s.matrix.error, 0);
    if (s.matrix.error) return s;
    s.rows = Pdf417RowStrings(s.matrix.codewords, s.matrix.rows, s.matrix.columns, s.matrix.securityLevel,
                              o.pdfTruncated, table().patterns);
    return s;
}

// --- Pattern table ------------------------------------------------------------

TEST(PatternTable, ClustersZeroThreeAndSix) {
    const auto& p = table().patterns;
    EXPECT_EQ(p[0][0], 31111136);
    EXPECT_EQ(p[0][1], 41111144);
    EXPECT_EQ(p[1][0], 51111125);
    EXPECT_EQ(p[2][0], 21111155);
    std::set<int32_t> seen;
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 929; ++v) {
            std::string s = std::to_string(p[size_t(c)][size_t(v)]);
            ASSERT_EQ(s.size(), 8u);
            int b[4] = {s[0] - '0', s[2] - '0', s[4] - '0', s[6] - '0'};
            EXPECT_EQ((b[0] - b[1] + b[2] - b[3] + 9) % 9, 3 * c) << c << " " << v;
            EXPECT_TRUE(seen.insert(p[size_t(c)][size_t(v)]).second) << s;
        }
    }
}

TEST(PatternTable, FileFormatAndDamage) {
    auto dir = std::filesystem::temp_directory_path() / ("pdf417_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ifstream good(patternFilePath());
    std::string text((std::istreambuf_iterator<char>(good)), std::istreambuf_iterator<char>());
    auto write = [&](const std::string& name, const std::string& body) {
        std::ofstream(dir / name, std::ios::binary) << body;
        return (dir / name).string();
    };
    std::string commas = text;
    for (char& c : commas)
        if (c == '\n') c = ',';
    std::array<std::array<int32_t, 929>, 3> p{};
    EXPECT_TRUE(ReadPdf417PatternFile(write("commas", commas), p));
    EXPECT_EQ(p[2][928], table().patterns[2][928]);
    EXPECT_FALSE(ReadPdf417PatternFile(write("short", text.substr(0, text.size() / 2)), p));
    EXPECT_FALSE(ReadPdf417PatternFile(write("not_a_pattern", "12345678\r\n" + text), p));
    EXPECT_FALSE(ReadPdf417PatternFile(write("letters", "3111113x\r\n" + text), p));
    EXPECT_FALSE(ReadPdf417PatternFile((dir / "missing").string(), p));
    std::filesystem::remove_all(dir);
}

// Asks for the path as scripted, remembering every prompt.
struct ScriptedUi : platform::HeadlessUserInterface {
    std::vector<std::string> answers;
    std::vector<std::array<std::string, 3>> asked;
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& initial) override {
        asked.push_back({prompt, title, initial});
        if (answers.empty()) return {};
        std::string a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

TEST(PatternTable, MissingFilePromptsForAnotherPath) {
    {
        // The table as the program loads it, whichever test ran before.
        AppState warm;
        platform::HeadlessUserInterface quiet;
        quiet.echo = false;
        warm.ui = &quiet;
        ASSERT_TRUE(LoadPdf417Tables(warm));
    }
    Pdf417PatternTable saved = pdf417PatternTable();
    AppState app;
    ScriptedUi ui;
    ui.echo = false;
    app.ui = &ui;

    pdf417PatternTable() = Pdf417PatternTable{};
    pdf417PatternTable().path = "nowhere/Cluster.Dat";
    ui.answers = {"/nonexistent/Cluster.Dat", patternFilePath()};
    EXPECT_TRUE(LoadPdf417Tables(app));
    ASSERT_EQ(ui.asked.size(), 2u);
    EXPECT_EQ(ui.asked[0][0], "Cannot Find Quillet Initialization File: CLUSTER.DAT        Please Enter New Path.");
    EXPECT_EQ(ui.asked[0][1], "Quillet File I/O Error!");
    EXPECT_EQ(ui.asked[0][2], "\\nowhere/Cluster.Dat");
    EXPECT_EQ(ui.asked[1][2], "\\/nonexistent/Cluster.Dat");
    EXPECT_TRUE(pdf417PatternTable().loaded);
    EXPECT_EQ(pdf417PatternTable().patterns, saved.patterns);

    pdf417PatternTable() = Pdf417PatternTable{};
    pdf417PatternTable().path = "/nonexistent/x.dat";
    ui.asked.clear();
    EXPECT_FALSE(LoadPdf417Tables(app));  // an empty answer gives up
    EXPECT_TRUE(pdf417PatternTable().loadFailed);
    EXPECT_FALSE(pdf417PatternTable().loaded);
    EXPECT_EQ(pdf417PatternTable().path, "Cluster.Dat");
    EXPECT_EQ(ui.asked.size(), 1u);
    pdf417PatternTable() = saved;
}

TEST(PatternTable, SelectingPdf417WithoutTheFileKeepsTheSymbology) {
    Pdf417PatternTable saved = pdf417PatternTable();
    AppState app;
    ScriptedUi ui;
    ui.echo = false;
    app.ui = &ui;
    selectSymbology(app, 1);
    pdf417PatternTable() = Pdf417PatternTable{};
    pdf417PatternTable().path = "/nonexistent/Cluster.Dat";
    selectSymbology(app, 15);
    EXPECT_EQ(app.settings.symbology, 1);
    EXPECT_EQ(ui.asked.size(), 1u);
    EXPECT_FALSE(pdf417PatternTable().loadFailed);  // cleared for a later attempt
    pdf417PatternTable().path = patternFilePath();
    selectSymbology(app, 15);
    EXPECT_EQ(app.settings.symbology, 15);
    EXPECT_TRUE(pdf417PatternTable().loaded);
    pdf417PatternTable() = saved;
}

// --- Rows ---------------------------------------------------------------------

TEST(Rows, IndicatorsAndWidths) {
    // 15 rows, level 1, one column: row 0 left 4, right 0.
    struct Case { int r, R, D, s, left, right; };
    for (Case c : {Case{0, 15, 1, 1, 4, 0}, Case{1, 15, 1, 1, 5, 4}, Case{2, 15, 1, 1, 0, 5},
                   Case{3, 15, 1, 1, 34, 30}, Case{89, 90, 30, 8, 870 + 29, 870 + 26}}) {
        auto [l, r] = Pdf417RowIndicators(c.r, c.R, c.D, c.s);
        EXPECT_EQ(l, c.left) << c.r;
        EXPECT_EQ(r, c.right) << c.r;
    }
    std::vector<int> cw(3 * 2, 0);
    for (bool truncated : {false, true}) {
        auto rows = Pdf417RowStrings(cw, 3, 2, 0, truncated, table().patterns);
        ASSERT_EQ(rows.size(), 3u);
        for (const auto& row : rows) {
            int modules = 0;
            for (char c : row) modules += c - '0';
            EXPECT_EQ(modules, truncated ? 17 * 4 + 1 : 17 * 6 + 1);
            EXPECT_EQ(row.rfind(kPdf417StartPattern, 0), 0u);
        }
        EXPECT_EQ(rows[1].substr(8, 8), std::to_string(table().patterns[1][2]));  // level 0: 3s + 2
    }
}

// --- Round trips through zxing-cpp ----------------------------------------------

struct Trip {
    const char* name;
    std::string message;
    void (*options)(Pdf417Options&) = nullptr;
};

class RoundTrip : public ::testing::TestWithParam<Trip> {};

TEST_P(RoundTrip, DecodesToTheMessage) {
    const Trip& t = GetParam();
    Pdf417Options o;
    if (t.options) t.options(o);
    Symbol s = encode(t.message, o);
    ASSERT_FALSE(s.rows.empty());
    auto d = test::decode(rasterise(s.rows), "PDF417", true);
    ASSERT_TRUE(d.ok) << t.name << " " << s.matrix.rows << "x" << s.matrix.columns;
    EXPECT_EQ(d.bytes, t.message);
}

std::string allBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s.push_back(char(b));
    return s;
}

std::string mixed(size_t n) {
    std::string s;
    for (int i = 0; s.size() < n; ++i) {
        s += "Line " + std::to_string(i) + ": 12345678901234567 \x01\x02\x03 total=";
        s.push_back(char(0x80 + i % 100));
    }
    s.resize(n);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RoundTrip,
    ::testing::Values(
        Trip{"text", "Quillet PDF417 text: a;b<c>d|e ~!", [](Pdf417Options& o) { o.pdfCompaction = 2; }},
        Trip{"binary_all_bytes", allBytes(), [](Pdf417Options& o) { o.pdfCompaction = 3; }},
        Trip{"numeric_45", "123456789012345678901234567890123456789012347", [](Pdf417Options& o) { o.pdfCompaction = 4; }},
        Trip{"auto_13_digits", "AB1234567890123CD"},
        Trip{"auto_14_digits", "AB12345678901234CD"},
        Trip{"auto_no_numeric", "AB12345678901234567890CD", [](Pdf417Options& o) { o.pdfCompaction = 1; }},
        Trip{"auto_lone_924", "12345678901234\t\t\tABC"},
        Trip{"auto_bridges", "12345678901234AB12345678901234ab12345678901234"},
        Trip{"auto_shift", "ABC\x80" "DEFGHI"},
        Trip{"auto_all_bytes", allBytes()},
        Trip{"auto_mixed_long", mixed(900), [](Pdf417Options& o) { o.pdfSecurityLevel = 2; }},
        // 2600 digits: 60 groups, 888 data codewords at level 0.
        Trip{"numeric_capacity", std::string(2600, '7'), [](Pdf417Options& o) { o.pdfSecurityLevel = 0; }},
        Trip{"rows_fixed", mixed(200), [](Pdf417Options& o) { o.pdfSizeConstraint = 1; o.pdfMaxRows = 12; }},
        Trip{"columns_fixed", mixed(200), [](Pdf417Options& o) { o.pdfSizeConstraint = 2; o.pdfMaxColumns = 3; }},
        Trip{"aspect_wide", mixed(200), [](Pdf417Options& o) { o.pdfAspectRatio = 0.05; }},
        Trip{"truncated", "Truncated PDF417 symbol", [](Pdf417Options& o) { o.pdfTruncated = true; }}),
    [](const auto& info) { return std::string(info.param.name); });

class SecurityLevels : public ::testing::TestWithParam<int> {};

TEST_P(SecurityLevels, DecodeWithTheLevel) {
    Pdf417Options o;
    o.pdfSecurityLevel = GetParam();
    const std::string message = "Security level " + std::to_string(GetParam());
    Symbol s = encode(message, o);
    ASSERT_FALSE(s.rows.empty());
    auto d = test::decode(rasterise(s.rows), "PDF417", true);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, message);
    EXPECT_EQ(d.ecLevel, std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Levels, SecurityLevels, ::testing::Range(0, 9));

TEST(RoundTrip, DamageWithinTheLevelIsCorrected) {
    Pdf417Options o;
    o.pdfSecurityLevel = 3;  // 16 codewords: 8 errors
    Symbol s = encode("Reed-Solomon over GF(929)", o);
    ASSERT_FALSE(s.rows.empty());
    auto& cw = s.matrix.codewords;
    for (int i = 1; i <= 6; ++i) cw[size_t(i)] = (cw[size_t(i)] + 100) % 900;
    auto rows = Pdf417RowStrings(cw, s.matrix.rows, s.matrix.columns, 3, false, table().patterns);
    auto d = test::decode(rasterise(rows), "PDF417", true);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, "Reed-Solomon over GF(929)");
}

// Every data value 0-899 in every cluster, each three times in one small
// level-1 symbol: three wrong codewords are beyond its correction, and in a
// small symbol a miscorrection is unlikely to land on real positions.
TEST(PatternTable, EveryCodewordDecodesInEveryCluster) {
    const int R = 9, D = 10, level = 1, k = 4;
    std::vector<int> pending[3];
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 900; ++v) pending[c].push_back(v);
    int symbols = 0;
    while (!pending[0].empty() || !pending[1].empty() || !pending[2].empty()) {
        ASSERT_LT(++symbols, 200);
        std::vector<int> cw(size_t(R * D), 0);
        std::vector<size_t> slots[3];
        for (size_t p = 1; p + k < cw.size(); ++p) slots[(p / D) % 3].push_back(p);
        for (int c = 0; c < 3; ++c) {
            for (size_t used = 0; used + 3 <= slots[c].size() && !pending[c].empty(); used += 3) {
                for (size_t j = 0; j < 3; ++j) cw[slots[c][used + j]] = pending[c].back();
                pending[c].pop_back();
            }
        }
        cw[0] = R * D - k;
        std::vector<int> data(cw.begin(), cw.end() - k);
        auto ec = Pdf417ErrorCorrection(data, level);
        std::copy(ec.begin(), ec.end(), cw.end() - k);
        auto rows = Pdf417RowStrings(cw, R, D, level, false, table().patterns);
        auto d = test::decode(rasterise(rows), "PDF417", true);
        ASSERT_TRUE(d.ok) << "symbol " << symbols;
    }
}

// --- The builder ------------------------------------------------------------------

struct Harness {
    AppState app;
    platform::HeadlessUserInterface ui;
    platform::InProcessClipboard clipboard;
    std::string scratch;

    Harness() {
        table();
        ui.echo = false;
        app.ui = &ui;
        app.clipboard = &clipboard;
        app.pasteHintShown = true;  // driven as automation drives it
        static int counter = 0;
        scratch = (std::filesystem::temp_directory_path() /
                   ("qpdf" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".wmf"))
                      .string();
        app.scratchMetafilePath = scratch;
        app.settings.printerWarnings = false;
        app.settings.symbology = 15;
    }
    ~Harness() { std::remove(scratch.c_str()); }

    bool build(const std::string& message) {
        app.settings.message = message;
        app.settings.symbolBuilt = false;
        BuildCopy(app);
        return app.settings.symbolBuilt;
    }
    wmf::Metafile picture() { return test::parseMetafile(test::readFileBytes(scratch)); }
    std::vector<test::DrawnRect> bars() {
        auto r = test::rectangles(picture());
        if (!app.settings.transparent && !r.empty()) r.erase(r.begin());
        return r;
    }
    std::string lastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

struct ErrorCase {
    const char* name;
    int code;
    const char* text;  // the exact text shown
    void (*setup)(SymbolSettings&);
    std::string message = "PDF417";
};

class BuilderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BuilderErrors, ReportedWithTheirText) {
    const ErrorCase& c = GetParam();
    Harness h;
    c.setup(h.app.settings);
    h.app.settings.message = c.message;
    BuildPdf417Symbol(h.app, c.message);
    EXPECT_FALSE(h.app.settings.symbolBuilt);
    EXPECT_FALSE(h.clipboard.metafilePict().has_value());
    ASSERT_FALSE(h.ui.messages.empty());
    EXPECT_EQ(h.lastMessage(), messageText(c.code));
    if (c.text) {
        EXPECT_EQ(h.lastMessage(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BuilderErrors,
    ::testing::Values(
        ErrorCase{"too_large_20", 20,
                  "Bar code message is too large or selected security level is too high!  Please re-enter bar code "
                  "text or set PDF security level to a lower value.",
                  [](SymbolSettings& s) { s.pdf.pdfSecurityLevel = 8; s.pdf.pdfCompaction = 3; },
                  std::string(600, 'x')},
        ErrorCase{"rows_24", 24,
                  "Maximum number of rows specified is too small to generate a bar code!  Please enter a larger "
                  "values for this parameter.",
                  [](SymbolSettings& s) { s.pdf.pdfSizeConstraint = 1; s.pdf.pdfMaxRows = 3; },
                  std::string(200, 'x')},
        ErrorCase{"columns_25", 25,
                  "Maximum number of columns specified is too small to generate a bar code!  Please enter a larger "
                  "values for this parameter.",
                  [](SymbolSettings& s) { s.pdf.pdfSizeConstraint = 2; s.pdf.pdfMaxColumns = 1; },
                  std::string(200, 'x')},
        ErrorCase{"size_26", 26,
                  "Maximum number of rows or columns specified is too small to produce a bar code for the data "
                  "entered!  Please enter larger values for these parameters in the PDF417 Options menu or reduce "
                  "the PDF417 Security Level or reduce the size of the bar code message.",
                  [](SymbolSettings& s) { s.pdf.pdfMaxRows = 3; s.pdf.pdfMaxColumns = 5; },
                  std::string(100, 'x')},
        ErrorCase{"invalid_21", 21, nullptr, [](SymbolSettings& s) { s.pdf.pdfCompaction = 4; }, "12a"},
        ErrorCase{"empty_27", 27, nullptr, [](SymbolSettings&) {}, ""},
        ErrorCase{"too_long_19", 19, nullptr, [](SymbolSettings&) {}, std::string(3073, 'A')},
        ErrorCase{"aspect_28", 28, nullptr, [](SymbolSettings& s) { s.pdf.pdfAspectRatio = 0; }},
        ErrorCase{"width_29", 29, nullptr, [](SymbolSettings& s) { s.pdfModuleWidth = -1; }},
        ErrorCase{"height_30", 30, nullptr, [](SymbolSettings& s) { s.pdfModuleHeight = 0; }},
        ErrorCase{"limits_23", 23, nullptr, [](SymbolSettings& s) { s.pdfModuleWidth = 400; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Builder, DecodesInEveryOrientationWithOptions) {
    struct Case { int orientation; bool quiet; bool truncated; std::string comment; bool above; };
    for (const Case& c : {Case{0, false, false, "", true}, Case{1, true, false, "Comment", true},
                          Case{2, false, false, "below", false}, Case{0, true, true, "", true}}) {
        Harness h;
        SymbolSettings& s = h.app.settings;
        s.pdfModuleWidth = 30.0f;   // 30 units: 3 pixels at 254 dpi
        s.pdfModuleHeight = 90.0f;
        s.orientation = c.orientation;
        s.quietZones = c.quiet;
        s.pdf.pdfTruncated = c.truncated;
        s.comment = c.comment;
        s.commentAbove = c.above;
        const std::string message = "Quillet builds PDF417 " + std::to_string(c.orientation);
        ASSERT_TRUE(h.build(message)) << h.lastMessage();
        auto img = test::renderWmfFile(h.scratch, 254).padded(40);
        ASSERT_GT(img.width, 0);
        auto d = test::decode(img, "PDF417");
        ASSERT_TRUE(d.ok) << c.orientation << " " << c.truncated;
        EXPECT_EQ(d.bytes, message);
    }
}

TEST(Builder, WidthHeightAndQuietZones) {
    struct Case { bool truncated, quiet; int modules; };
    for (Case c : {Case{false, false, 86}, Case{true, false, 52}, Case{false, true, 90}}) {
        Harness h;
        SymbolSettings& s = h.app.settings;
        s.pdf.pdfSizeConstraint = 2;  // one column: 4 codewords in 4 rows
        s.pdf.pdfMaxColumns = 1;
        s.pdf.pdfSecurityLevel = 0;
        s.pdf.pdfTruncated = c.truncated;
        s.quietZones = c.quiet;
        ASSERT_TRUE(h.build("A"));
        EXPECT_EQ(h.app.output.symbolWidth, 26 * c.modules);
        EXPECT_EQ(h.app.output.symbolHeight, 4 * 77);
        auto bars = h.bars();
        ASSERT_FALSE(bars.empty());
        EXPECT_EQ(bars.front().left, c.quiet ? 2 * 26 : 0);
        EXPECT_EQ(bars.front().top, 0);  // no quiet zone above
        int right = 0;
        for (auto& b : bars) right = std::max(right, b.right);
        EXPECT_EQ(right, h.app.output.symbolWidth - (c.quiet ? 2 * 26 : 0));
    }
}

TEST(Builder, WorkedExampleSizeLabelsAndCodewordDisplay) {
    Harness h;
    SymbolSettings& s = h.app.settings;
    s.pdf.pdfShowCodewords = true;
    s.pdf.pdfCompaction = 2;
    ASSERT_TRUE(h.build("ABCDEFGHIJKLMNOPQRST"));  // 10 data codewords
    EXPECT_EQ(h.app.output.symbolHeight, 1155);     // 15 rows of 77
    EXPECT_EQ(h.app.output.symbolWidth, 26 * 86);
    EXPECT_EQ(h.app.output.checkValue, "0.45 \"");
    EXPECT_EQ(h.app.output.totalLength, "0.88 \"");
    EXPECT_EQ(h.app.window.magnifyText, "0.500");
    EXPECT_EQ(h.app.window.magnifyList.size(), 5u);
    // 15 values, each followed by a comma; the first is the length descriptor.
    EXPECT_EQ(s.supplement.rfind("11,1,63,125,187,249,311,373,435,497,559,", 0), 0u) << s.supplement;
    EXPECT_EQ(std::count(s.supplement.begin(), s.supplement.end(), ','), 15);

    s.unitMode = UnitMetric;
    ASSERT_TRUE(h.build("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(h.app.output.checkValue, "1.16 cm");
}

TEST(Builder, CommentShiftsRowsAndBarWidthAdjustment) {
    Harness plain, commented, reduced, gained;
    commented.app.settings.comment = "Above";
    reduced.app.settings.barWidthAdjust = 4;             // 20 %
    gained.app.settings.barWidthAdjust = 4 | kGainBit;
    for (Harness* h : {&plain, &commented, &reduced, &gained}) ASSERT_TRUE(h->build("Bars"));
    const int F = 352;  // round(10 pt * 35.15)
    EXPECT_EQ(commented.app.output.symbolHeight, plain.app.output.symbolHeight + F);
    auto p = plain.bars(), c = commented.bars(), r = reduced.bars(), g = gained.bars();
    ASSERT_EQ(p.size(), c.size());
    ASSERT_EQ(p.size(), r.size());
    ASSERT_EQ(p.size(), g.size());
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(c[i].top, p[i].top - F);
        EXPECT_EQ(r[i].left, p[i].left);
        EXPECT_EQ(r[i].right, p[i].right - 5);  // 26 * 20 / 100 = 5.2
        EXPECT_EQ(g[i].right, p[i].right + 5);
    }
    auto texts = test::texts(commented.picture());
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "Above");
    EXPECT_EQ(texts.back().y, 0);
}

// 3072 characters pass the length check (no symbol holds 3072 digits, so
// the sizing refuses them); 3073 do not.
TEST(Builder, MessageLengthLimit) {
    Harness h;
    EXPECT_FALSE(h.build(std::string(3072, '5')));
    EXPECT_EQ(h.lastMessage(), messageText(20));
    EXPECT_FALSE(h.build(std::string(3073, '5')));
    EXPECT_EQ(h.lastMessage(), messageText(19));
    h.app.settings.pdf.pdfSecurityLevel = 0;
    EXPECT_TRUE(h.build(std::string(2600, '5'))) << h.lastMessage();
}

}  // namespace
}  // namespace quillet
