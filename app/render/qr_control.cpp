#include "app/render/qr_control.h"

#include <qrencode.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "app/encode/qr_gs1.h"
#include "app/render/matrix_modules.h"
#include "app/render/picture_output.h"
#include "platform/gdi.h"
#include "platform/placeable.h"

namespace quillet {

namespace {

bool wholeNumber(const DispValue& v, int lo, int hi, int& out) {
    if (!v.numeric() || !std::isfinite(v.number)) return false;
    const double n = std::nearbyint(v.number);
    if (n < lo || n > hi) return false;
    out = int(n);
    return true;
}

struct QrFree {
    void operator()(QRcode* c) const { QRcode_free(c); }
};
using QrPtr = std::unique_ptr<QRcode, QrFree>;

// The message as 8-bit data after an ECI designator.
QrPtr encodeWithEci(const QrMakerControl& qr) {
    QRinput* input = QRinput_new2(0, QRecLevel(qr.eccLevel));
    if (!input) return nullptr;
    QRcode* c = nullptr;
    if (QRinput_appendECIheader(input, unsigned(qr.eci)) == 0 &&
        QRinput_append(input, QR_MODE_8, int(qr.message.size()),
                       reinterpret_cast<const unsigned char*>(qr.message.data())) == 0)
        c = QRcode_encodeInput(input);
    QRinput_free(input);
    return QrPtr(c);
}

QrPtr encodeModel2(const QrMakerControl& qr, bool asBytes) {
    const auto level = QRecLevel(qr.eccLevel);
    if (qr.eci > 0) return encodeWithEci(qr);
    if (asBytes)
        return QrPtr(QRcode_encodeData(int(qr.message.size()),
                                       reinterpret_cast<const unsigned char*>(qr.message.data()), 0, level));
    return QrPtr(QRcode_encodeString(qr.message.c_str(), 0, level, QR_MODE_8, 1));
}

// The smallest Micro QR version (M1-M4) that holds the message at the level.
QrPtr encodeMicro(const QrMakerControl& qr, bool asBytes) {
    const auto level = QRecLevel(qr.eccLevel);
    for (int version = 1; version <= 4; ++version) {
        QRcode* c = asBytes ? QRcode_encodeDataMQR(int(qr.message.size()),
                                                   reinterpret_cast<const unsigned char*>(qr.message.data()),
                                                   version, level)
                            : QRcode_encodeStringMQR(qr.message.c_str(), version, level, QR_MODE_8, 1);
        if (c) return QrPtr(c);
    }
    return nullptr;
}

// The most characters a symbol of the model can hold (digits, level L):
// a longer message is refused before the encoder, whose time and memory
// grow with the message, ever sees it.
size_t maxMessageLength(int model) { return model == 3 ? 35 : 7089; }

// Places a point of the upright symbol (side S) for the orientation,
// turning clockwise.
void orient(int orientation, int S, int& x, int& y) {
    const int ox = x, oy = y;
    switch (orientation) {
    case 1: x = S + oy; y = -ox; break;
    case 2: x = S - ox; y = -S - oy; break;
    case 3: x = -oy; y = ox - S; break;
    default: break;
    }
}

int16_t writeSymbol(QrMakerControl& qr, bool asBytes, const std::string& path) {
    qr.side = 0;
    qr.picture.clear();
    qr.modules.clear();
    // Text ends at its first NUL, as a text property does.
    if (asBytes ? qr.message.empty() : qr.message.c_str()[0] == '\0') return kQrNoData;
    if (qr.model == 1) return kQrModelNotAvailable;
    if (qr.model == 3 && qr.eccLevel == QR_ECLEVEL_H) return kQrLevelNotAvailable;
    const size_t length = asBytes ? qr.message.size() : std::strlen(qr.message.c_str());
    if (length > maxMessageLength(qr.model)) return kQrTooLong;
    if (qr.fnc1First && qr.model == 3) return kQrFnc1NotAvailable;
    ModuleMatrix grid;
    if (qr.fnc1First) {
        const std::optional<QrSymbol> code = encodeQrGs1(qr.message.substr(0, length), QrLevel(qr.eccLevel));
        if (!code) return kQrTooLong;
        grid.rows = grid.cols = code->side;
        grid.dark = code->dark;
    } else {
        QrPtr code = qr.model == 3 ? encodeMicro(qr, asBytes) : encodeModel2(qr, asBytes);
        if (!code) return kQrTooLong;
        grid.rows = grid.cols = code->width;
        grid.dark.resize(size_t(code->width) * code->width);
        for (size_t i = 0; i < grid.dark.size(); ++i) grid.dark[i] = code->data[i] & 1;
    }

    const int n = grid.rows;
    const double m = qr.moduleSize;
    const int M = roundEven(m);
    const int a = -roundEven(qr.sizeAdjust);  // a reduction (a > 0) shrinks
    const long long S = (long long)(n + 2 * qr.quietZone) * M - a;
    if (M < 1 || S < 1 || S > 32767) return kQrTooLarge;
    const int side = int(S), qz = qr.quietZone * M;

    gdi::Handle dc = gdi::CreateMetaFile(nullptr);
    gdi::SetWindowOrgEx(dc, 0, 0);
    gdi::SetWindowExtEx(dc, side, -side);
    SymbolObjects objects = beginSymbolDrawing(dc, side, -side, 0x000000, 0xFFFFFF, false, 1);
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            if (!grid.at(r, c)) continue;
            Rect rect = moduleRect(grid, r, c, qz + (c - 1) * M, -qz - (r - 1) * M, m, a);
            orient(qr.orientation, side, rect.left, rect.top);
            orient(qr.orientation, side, rect.right, rect.bottom);
            gdi::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    endSymbolDrawing(dc, objects);
    gdi::Handle mf = gdi::CloseMetaFile(dc);
    const bool written = platform::WritePlaceableMetafile(mf, side, side, path);
    std::vector<uint8_t> picture = gdi::GetMetaFileBits(mf);
    gdi::DeleteMetaFile(mf);
    if (!written) return kQrWriteFailed;
    qr.side = int16_t(n);
    qr.picture = std::move(picture);
    qr.modules = std::move(grid.dark);
    return kQrOk;
}

}  // namespace

QrMakerControl& QRmaker1() {
    static QrMakerControl control;
    return control;
}

bool qrSetProperty(QrMakerControl& qr, int dispid, const DispValue& v) {
    int n = 0;
    switch (dispid) {
    case kQrDispText:
        if (v.type != DispValue::Type::Text) return false;
        qr.message = v.text;
        qr.messageIsBytes = false;
        return true;
    case kQrDispBytes:
        if (v.type != DispValue::Type::Bytes) return false;
        qr.message = v.text;
        qr.messageIsBytes = true;
        return true;
    case kQrDispModel:
        if (!wholeNumber(v, 1, 3, n)) return false;
        qr.model = n;
        return true;
    case kQrDispSizeAdjust:
        if (!v.numeric() || !std::isfinite(v.number) || std::fabs(v.number) > 32767) return false;
        qr.sizeAdjust = v.number;
        return true;
    case kQrDispModuleSize:
        if (!v.numeric() || !(v.number > 0.5) || v.number > 32767) return false;
        qr.moduleSize = float(v.number);
        return true;
    case kQrDispEccLevel:
        if (!wholeNumber(v, 0, 3, n)) return false;
        qr.eccLevel = n;
        return true;
    case kQrDispQuietZone:
        if (!wholeNumber(v, 0, 1000, n)) return false;
        qr.quietZone = n;
        return true;
    case kQrDispOrientation:
        if (!wholeNumber(v, 0, 3, n)) return false;
        qr.orientation = n;
        return true;
    case kQrDispEci:
        if (!wholeNumber(v, 0, 999999, n)) return false;
        qr.eci = n;
        return true;
    case kQrDispFnc1First:
        if (!wholeNumber(v, 0, 1, n)) return false;
        qr.fnc1First = n == 1;
        return true;
    default: return false;
    }
}

bool qrGetProperty(const QrMakerControl& qr, int dispid, DispValue& v) {
    switch (dispid) {
    case kQrDispStatus: v = DispValue::int16(qr.status); return true;
    case kQrDispSide: v = DispValue::int16(qr.side); return true;
    case kQrDispPicture: v = DispValue::bytes(std::string(qr.picture.begin(), qr.picture.end())); return true;
    case kQrDispModules: v = DispValue::bytes(std::string(qr.modules.begin(), qr.modules.end())); return true;
    case kQrDispModel: v = DispValue::int32(qr.model); return true;
    case kQrDispEccLevel: v = DispValue::int32(qr.eccLevel); return true;
    case kQrDispQuietZone: v = DispValue::int32(qr.quietZone); return true;
    case kQrDispOrientation: v = DispValue::int32(qr.orientation); return true;
    case kQrDispEci: v = DispValue::int32(qr.eci); return true;
    case kQrDispFnc1First: v = DispValue::int32(qr.fnc1First ? 1 : 0); return true;
    case kQrDispModuleSize: v = DispValue::single(qr.moduleSize); return true;
    case kQrDispSizeAdjust: v = DispValue::real(qr.sizeAdjust); return true;
    case kQrDispText: v = DispValue::string(qr.message); return true;
    case kQrDispBytes: v = DispValue::bytes(qr.message); return true;
    default: return false;
    }
}

bool qrInvoke(QrMakerControl& qr, int dispid, const std::vector<DispValue>& args, DispValue* result) {
    if (dispid == kQrDispWriteMetafile) {
        if (args.size() != 3 || args[1].type != DispValue::Type::Text || args[1].text.empty()) {
            qr.status = kQrBadArguments;
            qr.side = 0;
            qr.picture.clear();
            qr.modules.clear();
            return false;
        }
        qr.status = writeSymbol(qr, qr.messageIsBytes, args[1].text);
        if (result) *result = DispValue::int16(qr.status);
        return true;
    }
    if (!args.empty()) return false;
    DispValue v;
    if (dispid != kQrDispStatus && dispid != kQrDispSide && dispid != kQrDispPicture && dispid != kQrDispModules)
        return false;
    qrGetProperty(qr, dispid, v);
    if (result) *result = v;
    return true;
}

std::string qrStatusText(int status) {
    switch (status) {
    case kQrOk: return "";
    case kQrNothingMade: return "No QR Code symbol has been made.";
    case kQrNoData: return "Invalid QR Code message!  QR Code message is empty.";
    case kQrTooLong:
        return "Invalid QR Code message!  QR Code message is too long for the selected model and error correction "
               "level.";
    case kQrModelNotAvailable:
        return "QR Code Model 1 symbols cannot be made by this version of Quillet.  Please select Model 2 or "
               "MicroQR in the QR Code Advanced Options.";
    case kQrLevelNotAvailable:
        return "MicroQR symbols cannot use error correction level H.  Please select level L, M or Q in the QR Code "
               "Advanced Options.";
    case kQrTooLarge:
        return "Module Height or Width values exceed system limits!  Please enter smaller values for these "
               "parameters.";
    case kQrWriteFailed: return "The QR Code picture could not be written.";
    case kQrFnc1NotAvailable:
        return "MicroQR symbols cannot carry GS1 data.  Please select Model 2 in the QR Code Advanced Options, or "
               "turn GS1 Element Strings off.";
    default: return "QR Code error # " + std::to_string(status);
    }
}

}  // namespace quillet
