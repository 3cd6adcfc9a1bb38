// Data Matrix and QR Code encoders with arbitrary messages and options: the
// first bytes choose the options, the rest is the message.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/render/datamatrix_symbol.h"
#include "app/render/encode32.h"
#include "app/render/qr_control.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    static const int kEcc[7] = {0, 3, 6, 8, 12, 26, 26};
    const int ecc = kEcc[data[0] % 7];
    const int format = data[1] % 8;
    const int shape = data[2] % 32;
    const int16_t gs1 = data[2] >> 7;  // every GS as FNC1
    const bool tildes = data[3] & 1;
    const std::string message(reinterpret_cast<const char*>(data) + 4, size - 4);

    const std::string text = dataMatrixEncoderText(message, ecc, tildes);
    const DmSize req = dmRequestedSize(shape);
    int16_t rows = 0, cols = 0;
    const int16_t length = int16_t(text.size() > 32767 ? 32767 : text.size());
    if (IDM_enc_complete(int16_t(format), int16_t(ecc), int16_t(req.rows), int16_t(req.cols), gs1, 1, text.c_str(),
                         &rows, &cols, length) <= 0) {
        int dark = 0;
        for (int r = 0; r <= rows + 1; ++r)
            for (int c = 0; c <= cols + 1; ++c) dark += get_dm_cell(int16_t(r), int16_t(c));
        if (rows <= 0 || cols <= 0 || dark == 0) __builtin_trap();
    }

    static const std::string path = "/tmp/fuzz_matrix_codes_" + std::to_string(::getpid()) + ".wmf";
    QrMakerControl qr;
    qrSetProperty(qr, kQrDispModel, DispValue::int32(1 + (data[3] >> 1) % 3));
    qrSetProperty(qr, kQrDispEccLevel, DispValue::int32((data[3] >> 3) % 4));
    qrSetProperty(qr, kQrDispQuietZone, DispValue::int32(data[2] % 12));
    qrSetProperty(qr, kQrDispModuleSize, DispValue::single(float(1 + data[1] % 64)));
    qrSetProperty(qr, kQrDispOrientation, DispValue::int32(data[0] % 4));
    qrSetProperty(qr, kQrDispSizeAdjust, DispValue::real(double(int(data[1]) - 128) / 8));
    qrSetProperty(qr, kQrDispFnc1First, DispValue::int32(data[3] >> 7));
    if (data[3] & 0x40)
        qrSetProperty(qr, kQrDispBytes, DispValue::bytes(message));
    else
        qrSetProperty(qr, kQrDispText, DispValue::string(message));
    qrInvoke(qr, kQrDispWriteMetafile, {DispValue::int32(0), DispValue::string(path), DispValue::int16(0)});
    return 0;
}
