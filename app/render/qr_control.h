#pragma once
// The QR Code picture control of the main window (`QRmaker1`). The program
// reaches it the way it reaches an automation control: properties set and
// read, and methods called, by dispatch identifier (DISPID). This control
// encodes through libqrencode (QR Code Model 2 and Micro QR; GS1 data, which
// that library cannot mark, through our own Model 2 encoder), writes the
// symbol, black on white, as a placeable metafile and keeps its picture and
// modules for reading back without the file.
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// A value passed through the dispatch interface.
struct DispValue {
    enum class Type { Empty, Int16, Int32, Single, Double, Text, Bytes };
    Type type = Type::Empty;
    double number = 0;  // Int16, Int32, Single, Double
    std::string text;   // Text, or one byte per element for Bytes

    static DispValue int16(int16_t v) { return {Type::Int16, double(v), {}}; }
    static DispValue int32(int32_t v) { return {Type::Int32, double(v), {}}; }
    static DispValue single(float v) { return {Type::Single, double(v), {}}; }
    static DispValue real(double v) { return {Type::Double, v, {}}; }
    static DispValue string(std::string v) { return {Type::Text, 0, std::move(v)}; }
    static DispValue bytes(std::string v) { return {Type::Bytes, 0, std::move(v)}; }
    bool numeric() const { return type == Type::Int16 || type == Type::Int32 || type == Type::Single || type == Type::Double; }
};

enum QrDispId : int {
    kQrDispText = 3,           // message as text
    kQrDispModel = 6,          // 1 Model 1, 2 Model 2, 3 Micro QR
    kQrDispSide = 7,           // read: side of the last symbol in modules
    kQrDispSizeAdjust = 9,     // drawing units added to the picture side (negative shrinks)
    kQrDispModuleSize = 10,    // drawing units
    kQrDispBytes = 13,         // message as a byte array
    kQrDispStatus = 14,        // read: 0 symbol made, above 0 none (QrStatus)
    kQrDispEccLevel = 17,      // 0 L, 1 M, 2 Q, 3 H
    kQrDispQuietZone = 18,     // modules
    kQrDispOrientation = 19,   // 0, 1 = 90, 2 = 180, 3 = 270 degrees clockwise
    kQrDispWriteMetafile = 20, // method (0, path, 0): encode and write the file
    kQrDispPicture = 21,       // read: the last symbol's metafile (bytes, without the placeable header)
    kQrDispModules = 22,       // read: its modules upright, a byte each row by row (1 dark), side x side
    kQrDispEci = 23,           // ECI designator put before the data, 0 none; Micro QR has no ECI
    kQrDispFnc1First = 24,     // 1: the message is GS1 data (FNC1 in first position, GS between fields)
};

enum QrStatus : int16_t {
    kQrOk = 0,
    kQrNothingMade = 1,        // no symbol written yet
    kQrNoData = 2,
    kQrTooLong = 3,            // does not fit the largest symbol of the model and level
    kQrModelNotAvailable = 4,  // Model 1
    kQrLevelNotAvailable = 5,  // Micro QR with level H
    kQrTooLarge = 6,           // picture side beyond a metafile coordinate
    kQrWriteFailed = 7,
    kQrBadArguments = 8,
    kQrFnc1NotAvailable = 9,   // Micro QR with GS1 data
};

struct QrMakerControl {
    double sizeAdjust = 0;
    int quietZone = 4;
    float moduleSize = 50.8f;
    int eccLevel = 1;
    int model = 2;
    int orientation = 0;
    int eci = 0;
    bool fnc1First = false;
    std::string message;
    bool messageIsBytes = false;  // last set through kQrDispBytes
    int16_t status = kQrNothingMade;
    int16_t side = 0;
    std::vector<uint8_t> picture;  // of the last symbol written, empty after a failure
    std::vector<uint8_t> modules;
};

// The control on the main window (one for the whole run).
QrMakerControl& QRmaker1();

// False when the DISPID is unknown or the value is of the wrong type or out
// of range; the property then keeps its value.
bool qrSetProperty(QrMakerControl& qr, int dispid, const DispValue& value);
bool qrGetProperty(const QrMakerControl& qr, int dispid, DispValue& value);
// Methods, and the read-only properties called without arguments.
bool qrInvoke(QrMakerControl& qr, int dispid, const std::vector<DispValue>& args, DispValue* result = nullptr);

// What a status means, for the user ("" for kQrOk).
std::string qrStatusText(int status);

}  // namespace quillet
