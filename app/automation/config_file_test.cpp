// Configuration files: every field through a write and a read, the line
// layout, the optional groups, and files that must leave the settings as
// they were.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/automation/automation_session.h"
#include "app/automation/config_file.h"
#include "app/automation/config_record.h"
#include "app/model/symbol_fields.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::Session;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillet-cfg-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// The first n lines of a file (CR LF each), for files of older versions.
std::string firstLines(const std::string& text, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) pos = text.find("\r\n", pos) + 2;
    return text.substr(0, pos);
}

// Every field the file carries, as text, by name.
using Field = std::pair<const char*, std::function<std::string(AppState&)>>;
template <typename T>
std::string str(T v) {
    std::ostringstream o;
    o.precision(17);
    o << v;
    return o.str();
}
#define FIELD(name, expr) Field{name, [](AppState& a) { auto& s = a.settings; (void)s; return str(expr); }}
const std::vector<Field>& fileFields() {
    static const std::vector<Field> fields = {
        FIELD("messageFilePath", s.numbering.messageFilePath), FIELD("barCodeFilePath", a.barCodeFilePath),
        FIELD("pdfCharacterSet", s.pdf.pdfCharacterSet), FIELD("symbology", s.symbology),
        FIELD("transparent", s.transparent), FIELD("fixDriver", s.fixDriverIncompatibility),
        FIELD("unitMode", s.unitMode), FIELD("includeText", s.includeText), FIELD("textAbove", s.textAbove),
        FIELD("commentAbove", s.commentAbove), FIELD("bearerBars", s.bearerBars), FIELD("fontName", s.fontName),
        FIELD("fontSize", s.fontSize), FIELD("bold", s.bold), FIELD("italic", s.italic),
        FIELD("underline", s.underline), FIELD("strikeout", s.strikeout), FIELD("autoFontScaling", s.autoFontScaling),
        FIELD("quietZones", s.quietZones), FIELD("orientation", s.orientation), FIELD("saveMode", s.raster.saveMode),
        FIELD("optionalCheckDigit", s.optionalCheckDigit), FIELD("ratioIndex", a.window.ratioIndex),
        FIELD("ratio", s.ratio), FIELD("supplement", s.supplement), FIELD("pdfSecurityLevel", s.pdf.pdfSecurityLevel),
        FIELD("pdfSizeConstraint", s.pdf.pdfSizeConstraint), FIELD("pdfCompaction", s.pdf.pdfCompaction),
        FIELD("pdfOverheadPercent", s.pdf.pdfOverheadPercent), FIELD("pdfShowCodewords", s.pdf.pdfShowCodewords),
        FIELD("printerDpiX", s.printerDpiX), FIELD("printerDpiY", s.printerDpiY),
        FIELD("effectiveDpiX", s.effectiveDpiX), FIELD("effectiveDpiY", s.effectiveDpiY),
        FIELD("printerWarnings", s.printerWarnings), FIELD("messageWarnings", s.messageWarnings),
        FIELD("fontColour", s.fontColour), FIELD("foreColour", s.foreColour), FIELD("backColour", s.backColour),
        FIELD("pdfMaxRows", s.pdf.pdfMaxRows), FIELD("pdfMaxColumns", s.pdf.pdfMaxColumns),
        FIELD("pdfTruncated", s.pdf.pdfTruncated), FIELD("startupRatioPosition", a.startupRatioPosition),
        FIELD("characterSet", s.characterSet), FIELD("barWidthAdjust", s.barWidthAdjust),
        FIELD("incEnabled", s.numbering.incEnabled), FIELD("pdfModuleWidth", s.pdfModuleWidth),
        FIELD("pdfModuleHeight", s.pdfModuleHeight), FIELD("magnification", s.magnification),
        FIELD("narrowWidth", s.narrowWidth), FIELD("barHeight", s.barHeight),
        FIELD("pdfAspectRatio", s.pdf.pdfAspectRatio), FIELD("incStart", s.numbering.incStart),
        FIELD("incValue", s.numbering.incValue), FIELD("incWidth", s.numbering.incWidth),
        FIELD("incPreamble", s.numbering.incPreamble), FIELD("incPostamble", s.numbering.incPostamble),
        FIELD("message", s.message), FIELD("comment", s.comment), FIELD("commentAlign", s.commentAlign),
        FIELD("aztecSizeSpec", s.aztec.aztecSizeSpec), FIELD("matrixModuleSize", s.matrixModuleSize),
        FIELD("aztecMenuSymbol", s.aztec.aztecMenuSymbol), FIELD("dmEccCode", s.dm.dmEccCode),
        FIELD("dmShapeSize", s.dm.dmShapeSize), FIELD("dmDataFormat", s.dm.dmDataFormat),
        FIELD("dmTranslateTildes", s.dm.dmTranslateTildes), FIELD("rasterBitsPerPixel", s.raster.rasterBitsPerPixel),
        FIELD("rasterResolution", s.raster.rasterResolution), FIELD("jpegQuality", s.raster.jpegQuality),
        FIELD("pngFilter", s.raster.pngFilter), FIELD("pngInterlace", s.raster.pngInterlace),
        FIELD("bmpCompression", s.raster.bmpCompression), FIELD("tgaCompression", s.raster.tgaCompression),
        FIELD("tiffCompression", s.raster.tiffCompression), FIELD("gifCompression", s.raster.gifCompression),
        FIELD("qrQuietZone", s.qr.qrQuietZone), FIELD("qrEccLevel", s.qr.qrEccLevel), FIELD("qrModel", s.qr.qrModel),
        FIELD("dataBarSegments", s.dataBarSegments),
    };
    return fields;
}
#undef FIELD

// Moves every field of the file away from its start-up value.
void setEveryField(Session& a, const std::string& dir) {
    ASSERT_TRUE(a.run("[CODE93][PDFSET=ANSI][FIXDRIVER=ON][METRIC][TEXT=OFF][TEXTABOVE=ON]"
                      "[COMMENTABOVE=OFF][BEARERBARS=ON][FONTNAME=Courier New][FONTSIZE=14][FONTBOLDITALIC]"
                      "[UNDERLINE=ON][STRIKEOUT=ON][FONTSCALING=ON][QUIETZONES=ON][SAVEMODEBMP][CODE39CHECK=ON]"
                      "[RATIO=2.8][COMPOSITE=98765][PDFSECURITY=4][PDFMODE=NUM][PDFOVERHEAD=40][PDFCODEWORDS=ON]"
                      "[HORIZONTALDPI=600][VERTICALDPI=203][PRINTWARNINGS=OFF][MESSAGEWARNINGS=OFF]"
                      "[FONTCOLOR=RED][FORECOLORRGB=1 2 3][BACKCOLOR=SILVER][PDFMAXROWS=40][PDFMAXCOLS=7]"
                      "[TRUNCATEDPDF=ON][DISPLAYANSI][BARREDUCTION=-15][INCENABLE][INCDISABLE]"
                      "[INCSTART=-42.5][INCVALUE=3][INCWIDTH=6][INCPREAMBLE='P' 13 10][INCPOSTAMBLE=0 'Q']"
                      "[COMMENT=after the message][COMMENTALIGNRIGHT][AZTECECP=203][AZTECMENU=ON]"
                      "[DMECC=140][DMFORMAT=6][DMSTANDARD=ON][BITSPERPIXEL=24][RASTERIMAGERESOLUTION=600]"
                      "[JPEGQUALITY=55][PNGPAETHFILTER][PNGINTERLACE=ON][BMPCOMPRESSION=ON][TGACOMPRESSION=ON]"
                      "[TIFFCOMPRESSION=GROUP4][GIFCOMPRESSION=ON][VERTDOWN][TRANSPARENT][DATABARSEGMENTS=8]") ||
                a.s().numbering.incEnabled == false)
        << "setting up";
    SymbolSettings& s = a.s();
    // Fields without a command of their own.
    s.pdf.pdfSizeConstraint = 2;
    s.pdf.pdfAspectRatio = 1.75;
    s.pdfModuleWidth = 30.48f;
    s.pdfModuleHeight = 91.44f;
    s.magnification = 135;
    s.narrowWidth = 40.0f;  // not a whole number of display units
    s.barHeight = 3.3f;
    s.matrixModuleSize = 61.0f;
    // The fields show the record, as the window keeps them; the record keeps
    // its exact numbers.
    const SymbolSettings exact = s;
    refreshSymbolFields(a.app);
    s.narrowWidth = exact.narrowWidth;
    s.barHeight = exact.barHeight;
    s.dm.dmShapeSize = 9;
    s.qr.qrModel = 1;
    s.qr.qrEccLevel = 3;
    s.qr.qrQuietZone = 7;
    s.numbering.messageFilePath = dir + "/series.txt";
    s.numbering.incEnabled = true;
    a.app.barCodeFilePath = dir + "/label.wmf";
    a.app.startupRatioPosition = 4;
    s.message = std::string("A\r\nB\0C\nD", 8);
}

TEST_F(ConfigFile, EveryFieldSurvivesWriteAndRead) {
    Session before, after, defaults;
    setEveryField(before, dir_.string());
    const std::string file = path("all.qcf");
    ASSERT_TRUE(SaveConfiguration(before.app, file));
    ASSERT_TRUE(OpenConfiguration(after.app, file)) << (after.ui.messages.empty() ? "" : after.ui.messages[0].text);
    // The numbering is on, so reading recomputes its message: compare the
    // stored one from the file.
    const ConfigParse parsed = parseConfiguration(readFile(file));
    ASSERT_EQ(parsed.problem, ConfigProblem::None);
    EXPECT_EQ(parsed.record.message, std::string("A\r\nB\0C\nD", 8));
    EXPECT_EQ(parsed.record.comment, "after the message");
    after.s().message = parsed.record.message;
    for (const auto& [name, get] : fileFields()) {
        EXPECT_EQ(get(after.app), get(before.app)) << name;
        EXPECT_NE(get(before.app), get(defaults.app)) << name << " was left at its default";
    }
    EXPECT_FALSE(after.s().changed);
    EXPECT_EQ(after.app.configPath, file);
    EXPECT_EQ(after.app.windowCaption, "Quillet Professional (all.qcf)");
    // Written again, the file is the same byte for byte.
    ASSERT_TRUE(SaveConfiguration(after.app, path("again.qcf")));
    EXPECT_EQ(readFile(path("again.qcf")), readFile(file));
}

TEST_F(ConfigFile, LineLayout) {
    Session a;
    ASSERT_TRUE(a.run("[CODE128][MESSAGE='X' 13 10 'Y'][COMMENT=note][DMFORMAT=6][HORIZONTALDPI=600][VERTUP]"));
    a.s().dm.dmShapeSize = 7;
    a.s().pdfModuleWidth = 2.54f;
    a.s().numbering.incPreamble = "pre";
    ASSERT_TRUE(SaveConfiguration(a.app, path("l.qcf")));
    const std::string text = readFile(path("l.qcf"));
    std::vector<std::string> lines;
    for (size_t pos = 0, end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(text.substr(pos, end - pos));
    struct Case {
        int line;
        std::string text;
    } cases[] = {
        {1, "QUILLET v3.0 Professional (32 Bit) configuration"},
        {5, " 0"}, {6, " 13"}, {10, "-1"}, {11, " 2"}, {23, " 2"}, {26, " 0"},
        // Along the symbol's own axes: vertical swaps the printer's 600 x 300.
        {37, " 300"}, {38, " 600"},
        {43, " 16777215"}, {47, " 2"}, {51, " 2.54"}, {60, " 3"}, {61, " 0"}, {62, " 4"},
        // Line 63 runs on past the message's own line end.
        {63, "preX"}, {64, "Y" "note"}, {65, " 0"}, {69, " 26"}, {70, " 62"}, {81, " 0"}, {84, " 2"},
        {85, " 13"}, {86, " 4"},
    };
    ASSERT_EQ(lines.size(), 88u);  // 87 lines, one of them broken by the message
    for (const auto& c : cases) EXPECT_EQ(lines[size_t(c.line - 1)], c.text) << "physical line " << c.line;
    const ConfigParse back = parseConfiguration(text);
    ASSERT_EQ(back.problem, ConfigProblem::None);
    ASSERT_TRUE(back.record.dm);
    EXPECT_EQ(back.record.dm->dmShapeSize, 7);
    EXPECT_EQ(back.record.dm->dmDataFormat, 6);
}

TEST_F(ConfigFile, OlderFilesOpenAndKeepTheSettingsTheyLack) {
    Session source;
    setEveryField(source, dir_.string());
    source.s().numbering.incEnabled = false;
    source.s().message = "ONE LINE";
    source.s().numbering.incPreamble = "P";  // so that file lines and physical lines agree
    const std::string full = configurationText(recordFromSettings(source.app));
    struct Case {
        const char* what;
        std::string text;
        bool alignAztec, dm, raster, qr;
    } cases[] = {
        {"message and comment only", firstLines(full, 63), false, false, false, false},
        {"no line end after the comment", firstLines(full, 63).substr(0, firstLines(full, 63).size() - 2), false, false, false, false},
        {"Aztec group", firstLines(full, 67), true, false, false, false},
        {"Data Matrix group", firstLines(full, 70), true, true, false, false},
        {"raster group", firstLines(full, 80), true, true, true, false},
        {"QR group", firstLines(full, 83), true, true, true, true},
        {"cut inside the raster group", firstLines(full, 75), true, true, false, false},
        {"trailing blank lines", firstLines(full, 70) + "\r\n\r\n", true, true, false, false},
        {"everything", full, true, true, true, true},
        {"older header",
         "QUILLET v3.0 Professional configuration\r\n" + full.substr(full.find("\r\n") + 2), true, true, true, true},
    };
    for (const auto& c : cases) {
        Session target;
        const SymbolSettings untouched = target.s();
        writeFile(path("old.qcf"), c.text);
        ASSERT_TRUE(OpenConfiguration(target.app, path("old.qcf"))) << c.what;
        const SymbolSettings& s = target.s();
        EXPECT_EQ(s.message, source.s().message) << c.what;
        EXPECT_EQ(s.comment, source.s().comment) << c.what;
        EXPECT_EQ(s.symbology, source.s().symbology) << c.what;
        EXPECT_EQ(s.aztec.aztecSizeSpec, (c.alignAztec ? source.s() : untouched).aztec.aztecSizeSpec) << c.what;
        EXPECT_EQ(s.matrixModuleSize, (c.alignAztec ? source.s() : untouched).matrixModuleSize) << c.what;
        EXPECT_EQ(s.dm.dmEccCode, (c.dm ? source.s() : untouched).dm.dmEccCode) << c.what;
        EXPECT_EQ(s.raster.jpegQuality, (c.raster ? source.s() : untouched).raster.jpegQuality) << c.what;
        EXPECT_EQ(s.raster.saveMode, source.s().raster.saveMode) << c.what;
        EXPECT_EQ(s.qr.qrModel, (c.qr ? source.s() : untouched).qr.qrModel) << c.what;
    }
}

// DataBar Expanded and Expanded Stacked: line 6 holds GS1-128, which an
// older reader takes (the same GS1 data), line 84 the code itself and line
// 85 the segments per row; a file cut before them reads as GS1-128.
TEST_F(ConfigFile, DataBarExpandedCodesAfterLine83) {
    struct Case {
        std::string select;
        int code;
        int segments;
    };
    for (const Case& c : {Case{"[RSSEXP][RSSSEGMENTS=2]", 26, 2}, Case{"[RSSEXPS][DATABARSEGMENTS=6]", 27, 6},
                          Case{"[RSSEXPS][DATABARSEGMENTS=22]", 27, 22}, Case{"[RSSLIM][RSSSEGMENTS=10]", 23, 10}}) {
        Session source;
        ASSERT_TRUE(source.run(c.select + "[MESSAGE='0195012345678903']"));
        ASSERT_TRUE(SaveConfiguration(source.app, path("x.qcf")));
        const std::string full = readFile(path("x.qcf"));
        const ConfigParse parse = parseConfiguration(full);
        ASSERT_EQ(parse.problem, ConfigProblem::None) << c.select;
        EXPECT_EQ(parse.record.symbology, c.code > 25 ? 14 : c.code) << c.select;
        ASSERT_TRUE(parse.record.expanded) << c.select;
        EXPECT_EQ(parse.record.expanded->symbology, c.code) << c.select;
        EXPECT_EQ(parse.record.expanded->segments, c.segments) << c.select;

        Session reader, older;
        ASSERT_TRUE(OpenConfiguration(reader.app, path("x.qcf"))) << c.select;
        EXPECT_EQ(reader.s().symbology, c.code) << c.select;
        EXPECT_EQ(reader.s().dataBarSegments, c.segments) << c.select;
        writeFile(path("cut.qcf"), firstLines(full, 83));
        ASSERT_TRUE(OpenConfiguration(older.app, path("cut.qcf"))) << c.select;
        EXPECT_EQ(older.s().symbology, c.code > 25 ? 14 : c.code) << c.select;
        EXPECT_EQ(older.s().dataBarSegments, SymbolSettings{}.dataBarSegments) << c.select;
    }
}

TEST_F(ConfigFile, DamagedFilesLeaveEverySettingAsItWas) {
    Session source;
    setEveryField(source, dir_.string());
    source.s().message = "ONE LINE";
    source.s().numbering.incPreamble = "P";
    const std::string good = configurationText(recordFromSettings(source.app));
    auto replaceLine = [&](int n, const std::string& with) {
        const std::string head = firstLines(good, n - 1);
        return head + with + good.substr(firstLines(good, n).size() - 2);
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 7919) & 0xFF);
    const std::string cutRaw = firstLines(good, 62) + "PQ";  // shorter than P + Q + M
    struct Case {
        const char* what;
        std::string text;
        std::string message;  // what the user is told
    } cases[] = {
        {"empty", "", "is not a valid QUILLET configuration file!"},
        {"binary", binary, "is not a valid QUILLET configuration file!"},
        {"header only", firstLines(good, 1), "ends before line 2"},
        {"cut after line 30", firstLines(good, 30), "ends before line 31"},
        {"cut inside line 63", cutRaw, "ends before line 63"},
        {"words for a number", replaceLine(15, "ten"), "invalid value on line 15"},
        {"hexadecimal", replaceLine(15, "0x10"), "invalid value on line 15"},
        {"not a number", replaceLine(54, "nan"), "invalid value on line 54"},
        {"symbology out of range", replaceLine(6, " 99"), "invalid value on line 6"},
        {"width beyond single precision", replaceLine(54, "1e39"), "invalid value on line 54"},
        {"message longer than the file", replaceLine(62, " 99999999"), "ends before line 63"},
        {"bad value in an optional group", replaceLine(69, " 255"), "invalid value on line 69"},
        {"oversized", std::string(kConfigHeader) + "\r\n" + std::string(2 << 20, 'x'), "too large"},
    };
    for (const auto& c : cases) {
        Session target;
        ASSERT_TRUE(target.run("[CODE39][MESSAGE='KEEP'][SAVECONFIG(" + path("known.qcf") + ")]"));
        ASSERT_TRUE(target.run("[QUIETZONES=ON]"));
        const std::string settingsBefore = configurationText(recordFromSettings(target.app));
        writeFile(path("bad.qcf"), c.text);
        EXPECT_FALSE(OpenConfiguration(target.app, path("bad.qcf"))) << c.what;
        EXPECT_EQ(configurationText(recordFromSettings(target.app)), settingsBefore) << c.what;
        EXPECT_TRUE(target.s().changed) << c.what;
        EXPECT_EQ(target.app.configPath, path("known.qcf")) << c.what;
        EXPECT_EQ(target.app.windowCaption, "Quillet Professional (known.qcf)") << c.what;
        ASSERT_EQ(target.ui.messages.size(), 1u) << c.what;
        EXPECT_NE(target.ui.messages[0].text.find(c.message), std::string::npos)
            << c.what << ": " << target.ui.messages[0].text;
    }
    for (const std::string& missing : {path("none.qcf"), dir_.string()}) {
        Session target;
        EXPECT_FALSE(OpenConfiguration(target.app, missing)) << missing;
        ASSERT_EQ(target.ui.messages.size(), 1u);
        EXPECT_NE(target.ui.messages[0].text.find("Cannot read the file"), std::string::npos);
    }
}

TEST_F(ConfigFile, SavingReplacesTheFileWholeOrNotAtAll) {
    Session a;
    const std::string file = path("keep.qcf");
    ASSERT_TRUE(SaveConfiguration(a.app, file));
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(a.run("[CODE128][MESSAGE='NEW']"));
    ASSERT_TRUE(SaveConfiguration(a.app, file));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
    EXPECT_EQ(parseConfiguration(readFile(file)).record.message, "NEW");

    // A target that cannot be replaced: the old contents stay, no scratch
    // file is left beside it, the settings still count as changed.
    fs::create_directory(dir_ / "taken.qcf");
    ASSERT_TRUE(a.run("[MESSAGE='LATER']"));
    EXPECT_FALSE(SaveConfiguration(a.app, path("taken.qcf")));
    EXPECT_FALSE(SaveConfiguration(a.app, path("no/such/folder.qcf")));
    EXPECT_TRUE(a.s().changed);
    EXPECT_EQ(a.app.configPath, file);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir_)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2) << "only keep.qcf and the folder";
    EXPECT_EQ(a.ui.messages.size(), 2u);
}

// A user interface whose Save As dialog returns a chosen name.
struct DialogUi : platform::HeadlessUserInterface {
    std::optional<std::string> chosen;
    std::vector<std::string> dialogTitles;
    std::optional<std::string> fileDialog(bool, const std::string& title, const std::string&,
                                          const std::string&) override {
        dialogTitles.push_back(title);
        return chosen;
    }
};

TEST_F(ConfigFile, AskToSaveChanges) {
    struct Case {
        const char* what;
        bool changed;
        bool knownPath;
        platform::Answer reply;
        std::optional<std::string> saveAs;
        platform::Answer expected;
        const char* question;  // nullptr: none asked
        bool saved;
    } cases[] = {
        {"unchanged", false, true, platform::Answer::Yes, {}, platform::Answer::No, nullptr, false},
        {"no", true, true, platform::Answer::No, {}, platform::Answer::No,
         "Configuration file: known.qcf has changed. Save changes?", false},
        {"cancel", true, true, platform::Answer::Cancel, {}, platform::Answer::Cancel,
         "Configuration file: known.qcf has changed. Save changes?", false},
        {"yes, known path", true, true, platform::Answer::Yes, {}, platform::Answer::Yes,
         "Configuration file: known.qcf has changed. Save changes?", true},
        {"yes, save as cancelled", true, false, platform::Answer::Yes, std::nullopt, platform::Answer::Cancel,
         "Save current configuration?", false},
        {"yes, save as named", true, false, platform::Answer::Yes, std::string("named"), platform::Answer::Yes,
         "Save current configuration?", true},
    };
    for (const auto& c : cases) {
        fs::remove(path("known.qcf"));
        fs::remove(path("named.qcf"));
        Session a;
        DialogUi ui;
        ui.echo = false;
        ui.chosen = c.saveAs ? std::optional<std::string>(path(*c.saveAs)) : std::nullopt;
        const platform::Answer reply = c.reply;
        ui.answer = [reply](const std::string&, platform::Buttons) { return reply; };
        a.app.ui = &ui;
        if (c.knownPath) a.app.configPath = path("known.qcf");
        a.s().changed = c.changed;
        EXPECT_EQ(AskToSaveChanges(a.app), c.expected) << c.what;
        if (c.question) {
            ASSERT_EQ(ui.messages.size(), 1u) << c.what;
            EXPECT_EQ(ui.messages[0].text, c.question) << c.what;
            EXPECT_EQ(ui.messages[0].title, "Quillet Professional") << c.what;
        } else {
            EXPECT_TRUE(ui.messages.empty()) << c.what;
        }
        const bool saved = fs::exists(path("known.qcf")) || fs::exists(path("named.qcf"));
        EXPECT_EQ(saved, c.saved) << c.what;
        EXPECT_EQ(a.s().changed, c.changed && !c.saved) << c.what;
        if (c.saveAs) {
            EXPECT_EQ(ui.dialogTitles, std::vector<std::string>{"Save Quillet Configuration As"}) << c.what;
            EXPECT_EQ(a.app.configPath, path("named.qcf")) << c.what << ": .qcf is added";
        }
    }
}

TEST_F(ConfigFile, SaveCommandWithoutAPathIsSaveAs) {
    Session a;
    ASSERT_TRUE(a.run("[CODE128]"));
    // The headless dialog is cancelled: nothing is saved, still changed.
    EXPECT_FALSE(a.run("[SAVECONFIG]"));
    EXPECT_TRUE(a.s().changed);
    EXPECT_TRUE(a.app.configPath.empty());
    ASSERT_TRUE(a.run("[SAVECONFIG(" + path("x.qcf") + ")]"));
    ASSERT_TRUE(a.run("[CODE93]"));
    EXPECT_TRUE(a.run("[SAVECONFIG]"));
    EXPECT_FALSE(a.s().changed);
    EXPECT_EQ(parseConfiguration(readFile(path("x.qcf"))).record.symbology, 12);
}

TEST_F(ConfigFile, ReadingRestartsNumberingAndTheMessageFile) {
    writeFile(path("series.txt"), "FIRST\r\nSECOND\r\n");
    struct Case {
        const char* what;
        std::string setup;
        std::string message;
        bool nextPrev, fileOpen, incEnabled, built;
    } cases[] = {
        {"numbering", "[CODE128][INCSTART=41][INCWIDTH=3][INCPREAMBLE='N'][INCENABLE]", "N041", true, false, true, true},
        {"message file", "[CODE128][OPENMSGFILE(" + path("series.txt") + ")][NEXT]", "FIRST", true, true, false, true},
        {"numbering suspended by the file",
         "[CODE128][INCENABLE][OPENMSGFILE(" + path("series.txt") + ")]", "FIRST", true, true, false, true},
        {"neither", "[CODE128][MESSAGE='PLAIN']", "PLAIN", false, false, false, false},
    };
    for (const auto& c : cases) {
        Session writer, reader;
        ASSERT_TRUE(writer.run(c.setup + "[SAVECONFIG(" + path("n.qcf") + ")]")) << c.what;
        ASSERT_TRUE(reader.run("[OPENCONFIG(" + path("n.qcf") + ")]")) << c.what;
        EXPECT_EQ(reader.s().message, c.message) << c.what;
        EXPECT_EQ(reader.app.window.nextPrevVisible, c.nextPrev) << c.what;
        EXPECT_EQ(reader.s().numbering.messageFileOpen, c.fileOpen) << c.what;
        EXPECT_EQ(reader.s().numbering.incEnabled, c.incEnabled) << c.what;
        EXPECT_EQ(reader.s().symbolBuilt, c.built) << c.what;
        EXPECT_FALSE(reader.s().changed) << c.what;
    }
}

}  // namespace
}  // namespace quillet
