#pragma once
// `QROptions`, "QR Code Advanced Options", as data: the three lists' entries
// and choices, filled from the settings on opening and stored on OK.
#include <string>
#include <vector>

#include "app/model/qr_options.h"

namespace quillet {

struct QrOptionsDialog {
    int modelIndex = 1;      // `cboModel`
    int levelIndex = 1;      // `cboECCLevel`
    int quietZoneIndex = 3;  // `cboQRQZSize`
};

extern const char* const kQrOptionsCaption;
extern const char* const kQrModelLabel;
extern const char* const kQrLevelLabel;
extern const char* const kQrQuietZoneLabel;
extern const char* const kQrModelList[3];
extern const char* const kQrLevelList[4];
std::vector<std::string> qrQuietZoneList();  // "1" ... "10"

QrOptionsDialog openQrOptions(const QrOptions& o);
void acceptQrOptions(const QrOptionsDialog& d, QrOptions& o);

}  // namespace quillet
