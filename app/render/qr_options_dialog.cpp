#include "app/render/qr_options_dialog.h"

#include <algorithm>

namespace quillet {

const char* const kQrOptionsCaption = "QR Code Advanced Options";
const char* const kQrModelLabel = "Model:";
const char* const kQrLevelLabel = "ECC Level:";
const char* const kQrQuietZoneLabel = "Quite Zone Size in Modules:";
const char* const kQrModelList[3] = {"Model 1", "Model 2", "MicroQR"};
const char* const kQrLevelList[4] = {"L", "M", "Q", "H"};

std::vector<std::string> qrQuietZoneList() {
    std::vector<std::string> list;
    for (int i = 1; i <= 10; ++i) list.push_back(std::to_string(i));
    return list;
}

// A setting outside a list's range (from an old or edited configuration
// file) shows as the nearest entry.
QrOptionsDialog openQrOptions(const QrOptions& o) {
    QrOptionsDialog d;
    d.modelIndex = std::clamp(o.qrModel - 1, 0, 2);
    d.levelIndex = std::clamp(o.qrEccLevel, 0, 3);
    d.quietZoneIndex = std::clamp(o.qrQuietZone - 1, 0, 9);
    return d;
}

void acceptQrOptions(const QrOptionsDialog& d, QrOptions& o) {
    o.qrQuietZone = std::clamp(d.quietZoneIndex, 0, 9) + 1;
    o.qrEccLevel = std::clamp(d.levelIndex, 0, 3);
    o.qrModel = std::clamp(d.modelIndex, 0, 2) + 1;
}

}  // namespace quillet
