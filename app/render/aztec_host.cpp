#include "app/render/aztec_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/model/app_state.h"
#include "app/render/builders.h"
#include "app/render/drawing_math.h"
#include "app/render/publish_symbol.h"
#include "platform/paths.h"

namespace quillet {

namespace {

ZorvexecFunction loadZorvexec() {
    static ZorvexecFunction fn = [] {
        void* lib = platform::loadLibrary("libzorvex32.so");
        return lib ? reinterpret_cast<ZorvexecFunction>(platform::librarySymbol(lib, "ZORVEXEC")) : nullptr;
    }();
    return fn;
}

// Rounds a typed or stored number to an integer; values no integer field can
// hold are pinned far outside every valid range so the range checks refuse them.
int boundedInteger(double v) {
    if (std::isnan(v)) return 0;
    return roundEven(std::clamp(v, -1e6, 1e6));
}

}  // namespace

void fillAztecRequest(const SymbolSettings& s, const std::string& message, AztecRequest& r) {
    std::memset(&r, 0, sizeof r);
    r.ModuleSize = boundedInteger(double(s.matrixModuleSize));
    std::memcpy(r.Message, message.data(), std::min(message.size(), sizeof r.Message));
    r.MessageLength = int32_t(std::min<size_t>(message.size(), INT32_MAX));
    std::memcpy(r.Comment, s.comment.data(), std::min(s.comment.size(), sizeof r.Comment));
    r.CommentLength = int32_t(std::min<size_t>(s.comment.size(), INT32_MAX));
    const int step = reductionStep(s);
    r.ModuleAdjust = gainOn(s) ? -5 * step : 5 * step;
    r.SizeSpec = s.aztec.aztecSizeSpec;
    r.ForeColor = int32_t(s.foreColour);
    r.BackColor = s.transparent ? -1 : int32_t(s.backColour);
    std::strncpy(r.FontName, s.fontName.c_str(), sizeof r.FontName - 1);
    r.FontSize = s.fontSize;
    r.TextColor = int32_t(s.fontColour);
    r.Orientation = s.orientation == Vertical270 ? 3 : s.orientation;
    int32_t flags = 0;
    if (!s.commentAbove) flags |= AZTEC_COMMENT_BELOW;
    if (s.aztec.aztecMenuSymbol) flags |= AZTEC_MENU_SYMBOL;
    if (s.bold) flags |= AZTEC_FONT_BOLD;
    if (s.italic) flags |= AZTEC_FONT_ITALIC;
    if (s.underline) flags |= AZTEC_FONT_UNDERLINE;
    if (s.strikeout) flags |= AZTEC_FONT_STRIKEOUT;
    flags += 0x20000 * std::clamp(s.commentAlign, 0, 2);
    // UTF-8 text says so with ECI 26.
    if (s.utf8Text) {
        flags |= AZTEC_ECI;
        r.Reserved1 = 26;
    }
    r.Flags = flags;
    r.OutputMode = AZTEC_RETURN_HANDLE;
}

std::string aztecResultText(int result) {
    switch (result) {
    case 2:
        return "Invalid message length. Possible causes: Either the message is too long or the selected error "
               "correction level is too large or the number of data layers specicfied does not provide enough "
               "symbol area for the complete message to be encoded.";
    case 3: return "Invalid Comment length. Comments cannot exceed 100 characters.";
    case 6: return "Invalid module size.";
    default: return "Cannot Create an Aztec Symbol.";
    }
}

void BuildAztecSymbol(AppState& app, const std::string& message) {
    SymbolSettings& s = app.settings;
    static AztecRequest request;  // 4300 bytes; the program calls from one thread
    fillAztecRequest(s, message, request);
    gdi::MetafilePict pict{};
    ZorvexecFunction zorvexec = loadZorvexec();
    int result = zorvexec ? zorvexec(&request, &pict) : -1;
    if (result == 0 && pict.hMF != 0) {
        // The library returns the finished metafile only: no module grid.
        const bool turned = s.orientation != Horizontal;
        app.output.checkValue.clear();
        BuiltSymbol value = symbolValue(pict.xExt, pict.yExt, turned ? pict.yExt : pict.xExt,
                                        turned ? pict.xExt : pict.yExt);
        value.text = message;
        publishSymbol(app, pict.hMF, std::move(value));
        return;
    }
    if (s.messageWarnings) {
        // Cleared even without a window to show the text in, so no caller
        // takes the previous picture for this message's symbol.
        s.symbolBuilt = false;
        if (!app.ui) return;
        app.ui->beep();
        std::string text = zorvexec ? aztecResultText(result)
                                    : "Cannot Create an Aztec Symbol. The Aztec library libzorvex32.so was not found.";
        app.ui->messageBox(text, "Cannot Create Bar Code!", platform::Buttons::Ok, platform::Icon::Exclamation);
    }
}

AztecOptionsView openAztecOptions(const SymbolSettings& s) {
    AztecOptionsView v;
    v.menuSymbol = s.aztec.aztecMenuSymbol;
    const int selector = s.aztec.aztecSizeSpec;
    if (selector >= 1 && selector <= 99) {
        v.option = 1;
        v.text1 = std::to_string(selector);
    } else if (selector >= 101 && selector <= 104) {
        v.option = 2;
        v.text2 = std::to_string(selector - 100);
    } else if (selector >= 201 && selector <= 232) {
        v.option = 3;
        v.text2 = std::to_string(selector - 200);
    }
    v.text1Visible = v.option == 1;
    v.text2Visible = v.option >= 2;
    return v;
}

bool aztecOptionsKeyAccepted(char key) { return (key >= '0' && key <= '9') || key == '\b'; }

std::string acceptAztecOptions(SymbolSettings& s, int option, const std::string& boxText, bool menuSymbol) {
    s.aztec.aztecMenuSymbol = menuSymbol;
    double typed = numericFieldValue(boxText);
    switch (option) {
    case 1: {
        s.aztec.aztecSizeSpec = boundedInteger(typed);
        if (s.aztec.aztecSizeSpec < 1 || s.aztec.aztecSizeSpec > 99)
            return "Error Correction Percent must be between 1 and 99%";
        return {};
    }
    case 2:
        s.aztec.aztecSizeSpec = boundedInteger(typed) + 100;
        if (s.aztec.aztecSizeSpec < 101 || s.aztec.aztecSizeSpec > 104)
            return "Number of layers for a compact symbol must be between 1 and 4";
        return {};
    case 3:
        s.aztec.aztecSizeSpec = boundedInteger(typed) + 200;
        if (s.aztec.aztecSizeSpec < 201 || s.aztec.aztecSizeSpec > 232)
            return "Number of layers for a full range symbol must be between 1 and 32";
        return {};
    default:
        s.aztec.aztecSizeSpec = 0;
        return {};
    }
}

}  // namespace quillet
