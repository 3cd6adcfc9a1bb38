#include "app/window/option_menu_table.h"

#include <array>
#include <utility>

#include "app/commands/option_commands.h"
#include "app/commands/utf8_character_set.h"
#include "app/model/app_state.h"

namespace quillet {

namespace {

constexpr MenuPlace kOptions{"&Options", ""};
constexpr MenuPlace kAlign{"&Options", "Comment &Alignment"};
constexpr MenuPlace kReduction{"&Options", "Bar Width &Reduction/Gain"};
constexpr MenuPlace kOrientation{"&Options", "&Orientation"};
constexpr MenuPlace kUnits{"&Options", "Measurement &Units"};
constexpr MenuPlace kCharacterSet{"&Options", "Display / Input Character &Set"};
constexpr MenuPlace kPreferences{"&Preferences", ""};
constexpr MenuPlace kSegments{"&Options", "Expanded Stacked Se&gments per Row"};

// The reduction/gain steps 0 % ... 75 %: one entry each, told apart by the
// step in the template argument, as the table holds plain function pointers.
template <int Step>
OptionEntry reductionStepEntry() {
    static constexpr std::array<std::string_view, 16> kCaptions{"0%",  "5%",  "10%", "15%", "20%", "25%",
                                                                "30%", "35%", "40%", "45%", "50%", "55%",
                                                                "60%", "65%", "70%", "75%"};
    return {kReduction, kCaptions[Step], [](const SymbolSettings& s) { return reductionStep(s) == Step; },
            [](AppState& a) { setBarWidthAdjust(a, Step, gainOn(a.settings)); },
            [](const OptionMenus& m) { return m.barWidthReduction; }, Step == 0};
}

template <int... Steps>
void addReductionSteps(std::vector<OptionEntry>& entries, std::integer_sequence<int, Steps...>) {
    (entries.push_back(reductionStepEntry<Steps>()), ...);
}

// Segments per row of DataBar Expanded Stacked: 2, 4, ... 22.
template <int Segments>
OptionEntry segmentsEntry() {
    static constexpr std::array<std::string_view, 11> kCaptions{
        "2 Segments",  "4 Segments",  "6 Segments",  "8 Segments",  "10 Segments", "12 Segments",
        "14 Segments", "16 Segments", "18 Segments", "20 Segments", "22 Segments"};
    return {kSegments, kCaptions[Segments / 2 - 1],
            [](const SymbolSettings& s) { return s.dataBarSegments == Segments; },
            [](AppState& a) { setDataBarSegments(a, Segments); },
            [](const OptionMenus& m) { return m.dataBarSegments; }};
}

template <int... Pairs>
void addSegmentEntries(std::vector<OptionEntry>& entries, std::integer_sequence<int, Pairs...>) {
    (entries.push_back(segmentsEntry<2 * (Pairs + 1)>()), ...);
}

std::vector<OptionEntry> makeEntries() {
    using S = const SymbolSettings&;
    using M = const OptionMenus&;
    std::vector<OptionEntry> e = {
        {kOptions, "Include &Text", [](S s) { return s.includeText; },
         [](AppState& a) { setIncludeText(a, !a.settings.includeText); }, [](M m) { return m.includeText; }},
        {kOptions, "Text &Above Bar Code", [](S s) { return s.textAbove; },
         [](AppState& a) { setTextAbove(a, !a.settings.textAbove); }, [](M m) { return m.textAbove; }},
        {kOptions, "C&omment Above Bar Code", [](S s) { return s.commentAbove; },
         [](AppState& a) { setCommentAbove(a, !a.settings.commentAbove); }, [](M m) { return m.commentAbove; }},
        {kOptions, "Automatic Font &Scaling", [](S s) { return s.autoFontScaling; },
         [](AppState& a) { setFontScaling(a, !a.settings.autoFontScaling); }, [](M m) { return m.autoFontScaling; }},
        {kOptions, "Include &Quiet Zones", [](S s) { return s.quietZones; },
         [](AppState& a) { setQuietZones(a, !a.settings.quietZones); }, [](M m) { return m.quietZones; }, true},
        {kOptions, "Include B&earer Bars", [](S s) { return s.bearerBars; },
         [](AppState& a) { setBearerBars(a, !a.settings.bearerBars); }, [](M m) { return m.bearerBars; }},
        {kOptions, "Include Optional Check Digit", [](S s) { return s.optionalCheckDigit; },
         [](AppState& a) { setOptionalCheckDigit(a, !a.settings.optionalCheckDigit); },
         [](M m) { return m.optionalCheckDigit; }},
        {kOptions, "&Transparent", [](S s) { return s.transparent; }, [](AppState& a) { setTransparent(a); },
         nullptr, true},

        {kAlign, "Left", [](S s) { return s.commentAlign == AlignLeft; },
         [](AppState& a) { setCommentAlign(a, AlignLeft); }, [](M m) { return m.commentAlign; }},
        {kAlign, "Center", [](S s) { return s.commentAlign == AlignCentre; },
         [](AppState& a) { setCommentAlign(a, AlignCentre); }, [](M m) { return m.commentAlign; }},
        {kAlign, "Right", [](S s) { return s.commentAlign == AlignRight; },
         [](AppState& a) { setCommentAlign(a, AlignRight); }, [](M m) { return m.commentAlign; }},

        {kReduction, "Reduction", [](S s) { return !gainOn(s); },
         [](AppState& a) { setBarWidthAdjust(a, reductionStep(a.settings), false); },
         [](M m) { return m.barWidthReduction; }},
        {kReduction, "Gain", [](S s) { return gainOn(s); },
         [](AppState& a) { setBarWidthAdjust(a, reductionStep(a.settings), true); },
         [](M m) { return m.barWidthReduction; }},
    };
    addReductionSteps(e, std::make_integer_sequence<int, 16>{});
    addSegmentEntries(e, std::make_integer_sequence<int, 11>{});
    const std::vector<OptionEntry> rest = {
        {kOrientation, "&Horizontal", [](S s) { return s.orientation == Horizontal; },
         [](AppState& a) { setOrientation(a, Horizontal); }, nullptr},
        {kOrientation, "Vertical &90 degrees", [](S s) { return s.orientation == Vertical90; },
         [](AppState& a) { setOrientation(a, Vertical90); }, nullptr},
        {kOrientation, "Vertical &270 degrees", [](S s) { return s.orientation == Vertical270; },
         [](AppState& a) { setOrientation(a, Vertical270); }, nullptr},

        {kUnits, "&Inches (mils)", [](S s) { return s.unitMode == UnitInches; },
         [](AppState& a) { setUnits(a, UnitInches); }, [](M m) { return m.units; }},
        {kUnits, "&Metric (.001 cm)", [](S s) { return s.unitMode == UnitMetric; },
         [](AppState& a) { setUnits(a, UnitMetric); }, [](M m) { return m.units; }},
        {kUnits, "Printer &Dots", [](S s) { return s.unitMode == UnitPrinterDots; },
         [](AppState& a) { setUnits(a, UnitPrinterDots); }, [](M m) { return m.units; }},

        {kCharacterSet, "&ASCII", [](S s) { return s.characterSet == CharsetAscii; },
         [](AppState& a) { setCharacterSet(a, CharsetAscii); }, nullptr},
        {kCharacterSet, "A&NSI", [](S s) { return s.characterSet == CharsetAnsi; },
         [](AppState& a) { setCharacterSet(a, CharsetAnsi); }, nullptr},

        {kPreferences, "Enable Invalid Message &Warnings", [](S s) { return s.messageWarnings; },
         [](AppState& a) { setMessageWarnings(a, !a.settings.messageWarnings); }, nullptr},
        {kPreferences, "Enable Printer &Resolution Warnings", [](S s) { return s.printerWarnings; },
         [](AppState& a) { setPrinterWarnings(a, !a.settings.printerWarnings); }, nullptr},
        {kPreferences, "Fix Driver &Incompatibility Problems", [](S s) { return s.fixDriverIncompatibility; },
         [](AppState& a) { setFixDriver(a, !a.settings.fixDriverIncompatibility); }, nullptr},
        {kPreferences, "&UTF-8 Text in QR Code, Data Matrix, Aztec and PDF417", [](S s) { return s.utf8Text; },
         [](AppState& a) { setUtf8Text(a, !a.settings.utf8Text); }, nullptr},
        {kPreferences, "&GS1 Element Strings in Data Matrix and QR Code", [](S s) { return s.gs1Mode; },
         [](AppState& a) { setGs1Mode(a, !a.settings.gs1Mode); }, nullptr},
    };
    e.insert(e.end(), rest.begin(), rest.end());
    return e;
}

}  // namespace

const std::vector<OptionEntry>& optionMenuEntries() {
    static const std::vector<OptionEntry> entries = makeEntries();
    return entries;
}

}  // namespace quillet
