#include "app/render/build_copy.h"

#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/model/symbology.h"
#include "app/model/utf8_text.h"
#include "app/render/builders.h"
#include "app/render/dimension_checks.h"
#include "app/render/drawing_math.h"
#include "app/render/message_report.h"
#include "platform/codepage.h"

namespace quillet {

// Values far below zero (or not a number, from a configuration file) are
// kept within an int; the builders refuse every non-positive dimension.
int narrowWidthUnits(float narrowWidth) {
    if (narrowWidth >= 1000.0f) return 1000;
    if (!(narrowWidth > -1000.0f)) return -1000;
    return roundEven(double(narrowWidth));
}

int barHeightUnits(float barHeightCm) {
    if (barHeightCm >= 20.0f) return 20000;
    if (!(barHeightCm > -20.0f)) return -20000;
    return roundEven(double(barHeightCm) * 1000.0);
}

namespace {

void buildSymbol(AppState& app, int code, int X, int H) {
    SymbolSettings& s = app.settings;
    const BuilderKind builder = symbologyInfo(code).builder;
    switch (builder) {
    case BuilderKind::Pdf417: BuildPdf417Symbol(app, s.message); break;
    case BuilderKind::Aztec: BuildAztecSymbol(app, s.message); break;
    case BuilderKind::DataMatrix: BuildDataMatrixSymbol(app); break;
    case BuilderKind::QrCode: BuildQrSymbol(app); break;
    case BuilderKind::DataBar:
    case BuilderKind::DataBarStacked:
    case BuilderKind::DataBarStackedOmni:
    case BuilderKind::DataBarLimited: BuildDataBarSymbol(app, builder); break;
    case BuilderKind::DataBarExpanded:
    case BuilderKind::DataBarExpandedStacked: BuildDataBarExpandedSymbol(app, builder); break;
    case BuilderKind::Linear: {
        // The builder works on a copy: the stored message keeps what was typed.
        std::string message = s.message;
        BuildLinearSymbol(app, message, H, X);
        break;
    }
    }
}

}  // namespace

void BuildCopy(AppState& app) {
    if (app.resetting) return;
    SymbolSettings& s = app.settings;
    if (s.message.empty()) {
        reportMessageError(app, -1);
        return;
    }
    const int X = narrowWidthUnits(s.narrowWidth);
    const int H = barHeightUnits(s.barHeight);
    const int code = s.symbology;
    // POSTNET has a fixed size; BPO 4 State is still checked.
    const bool fixedSize = Symbology(code) == Symbology::Postnet;
    if (s.messageWarnings && !fixedSize && !CheckInvalidDimensions(app)) return;
    if (s.printerWarnings && !fixedSize && !CheckPrinterResolution(app, X, H)) return;

    // Under the UTF-8 character set only the 2-D codes take the message as
    // it is; every other symbology builds it in the code page, or is told
    // which characters it lacks.
    std::string storedUtf8;
    if (s.utf8Text && !carriesUtf8(code)) {
        const std::vector<char32_t> outside = platform::charactersOutsideAnsi(s.message);
        if (!outside.empty()) {
            reportMessageText(app, outsideCodePageText(outside));
            return;
        }
        storedUtf8 = s.message;
        s.message = platform::utf8MessageToAnsi(s.message);
    }
    buildSymbol(app, code, X, H);
    if (!storedUtf8.empty()) s.message = storedUtf8;

    // The paste hint is for people at the window, once a run, never for
    // automation (every conversation marks it as shown).
    if (!app.pasteHintShown && app.showPasteHint && app.ui) {
        const bool ticked = app.ui->messageWithCheckBox(
            "The bar code that you just created has been placed in the Windows clipboard as a Windows Metafile "
            "graphic so that you can paste it into documents created with other Windows programs.\r\n\r\n"
            "If you will be pasting your bar codes into a Word or PageMaker document, you should select 'Edit' and "
            "'Paste Special' in these programs (do not select 'Paste'). The 'Paste Special' option will display a "
            "dialog box where you should select either 'Picture' or 'Windows metafile' as the format of the "
            "image.\r\n\r\n"
            "Do not select the 'Enhanced Metafile' option in the Paste Special dialog box as this will distort the "
            "image and make your bar code unreadable.",
            "Important information about your bar code.", "Do not show this message again.");
        if (ticked) app.showPasteHint = false;
    }
    app.pasteHintShown = true;
}

}  // namespace quillet
