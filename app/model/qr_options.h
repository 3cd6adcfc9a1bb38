#pragma once
// Options of the current symbol for QR Code; a member of SymbolSettings.
#include <cstdint>
#include <string>

namespace quillet {

struct QrOptions {
    int qrModel = 2;      // 1 Model 1, 2 Model 2, 3 MicroQR
    int qrEccLevel = 1;   // 0 L, 1 M, 2 Q, 3 H
    int qrQuietZone = 4;  // modules, 1-10; drawn only with quiet zones on
    bool operator==(const QrOptions&) const = default;
};

}  // namespace quillet
