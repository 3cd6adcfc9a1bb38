// QR Code: the picture control makes the symbol and writes it to the scratch
// metafile file; the program sets the control's properties from its
// settings, then reads the picture and its modules from the control for the
// preview and the clipboard.
#include <string>

#include "app/encode/gs1_element_string.h"
#include "app/model/app_state.h"
#include "app/model/messages.h"
#include "app/render/builders.h"
#include "app/render/drawing_math.h"
#include "app/render/matrix_modules.h"
#include "app/render/message_report.h"
#include "app/render/publish_symbol.h"
#include "app/render/qr_control.h"
#include "platform/gdi.h"

namespace quillet {

namespace {

// The control made no symbol: reported like a message error, so that the
// previous symbol is not left on the clipboard as if this one had been made.
void reportQrFailure(AppState& app, const std::string& text) {
    if (app.ui) app.ui->beep();
    app.settings.symbolBuilt = false;
    if (app.settings.messageWarnings) {
        if (app.ui) app.ui->messageBox(text, app.appTitle, platform::Buttons::Ok);
    } else if (app.clipboard) {
        app.clipboard->empty();
    }
}

std::vector<uint8_t> readBytes(QrMakerControl& qr, int dispid) {
    DispValue v;
    qrInvoke(qr, dispid, {}, &v);
    return std::vector<uint8_t>(v.text.begin(), v.text.end());
}

}  // namespace

void BuildQrSymbol(AppState& app) {
    SymbolSettings& s = app.settings;
    QrMakerControl& qr = QRmaker1();
    const double m = s.matrixModuleSize;
    if (!(m > 0.5)) {
        reportMessageError(app, 17);
        return;
    }
    if (m > 32767.0) {
        reportMessageError(app, 23);
        return;
    }
    const int step = reductionStep(s);
    const int p = 5 * step * (gainOn(s) ? -1 : 1);

    // The adjustment is set on every build (0 without reduction or gain):
    // the control keeps its properties between builds.
    qrSetProperty(qr, kQrDispSizeAdjust, DispValue::real(step ? -(p / 100.0) * m : 0.0));
    qrSetProperty(qr, kQrDispQuietZone, DispValue::int16(0));
    if (s.quietZones) qrSetProperty(qr, kQrDispQuietZone, DispValue::int32(s.qr.qrQuietZone));
    qrSetProperty(qr, kQrDispModuleSize, DispValue::single(s.matrixModuleSize));
    qrSetProperty(qr, kQrDispEccLevel, DispValue::int32(s.qr.qrEccLevel));
    qrSetProperty(qr, kQrDispModel, DispValue::int32(s.qr.qrModel));
    qrSetProperty(qr, kQrDispOrientation, DispValue::int32(s.orientation));
    if (s.orientation == Vertical270) qrSetProperty(qr, kQrDispOrientation, DispValue::int16(3));
    qrSetProperty(qr, kQrDispFnc1First, DispValue::int32(s.gs1Mode ? 1 : 0));
    if (s.gs1Mode) {
        // GS1 data is within the GS1 character set: no ECI.
        const Gs1ElementString parsed = parseGs1ElementString(s.message);
        if (!parsed.error.empty()) return reportMessageText(app, parsed.error);
        qrSetProperty(qr, kQrDispEci, DispValue::int32(0));
        qrSetProperty(qr, kQrDispText, DispValue::string(gs1Data(parsed.elements, '\x1d')));
    } else {
        // UTF-8 text says so with ECI 26, which Micro QR cannot carry.
        qrSetProperty(qr, kQrDispEci, DispValue::int32(s.utf8Text && s.qr.qrModel != 3 ? 26 : 0));
        if (s.message.find('\0') != std::string::npos)
            qrSetProperty(qr, kQrDispBytes, DispValue::bytes(s.message));
        else
            qrSetProperty(qr, kQrDispText, DispValue::string(s.message));
    }
    qrInvoke(qr, kQrDispWriteMetafile, {DispValue::int32(0), DispValue::string(app.scratchMetafilePath),
                                        DispValue::int16(0)});

    DispValue status;
    if (!qrInvoke(qr, kQrDispStatus, {}, &status) || status.number > 0) {
        reportQrFailure(app, qrStatusText(int(status.number)));
        return;
    }
    ModuleMatrix modules;
    modules.dark = readBytes(qr, kQrDispModules);
    gdi::Handle mf = gdi::SetMetaFileBits(readBytes(qr, kQrDispPicture));
    if (!mf) {
        reportQrFailure(app, qrStatusText(kQrWriteFailed));
        return;
    }

    DispValue side;
    qrInvoke(qr, kQrDispSide, {}, &side);
    const int M = roundEven(m);
    long long size = (long long)side.number * M;
    if (s.quietZones) size += 2LL * s.qr.qrQuietZone * M;
    size -= moduleAdjustment(m, step, gainOn(s));
    const int W = int(size);
    modules.rows = modules.cols = int(side.number);

    BuiltSymbol value = symbolValue(W, W, W, W);
    value.text = s.message;
    value.modules = std::move(modules);
    publishSymbol(app, mf, std::move(value), Finish::ScratchWritten);
}

}  // namespace quillet
