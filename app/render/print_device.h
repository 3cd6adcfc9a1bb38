#pragma once
// The device a print job goes to: the default CUPS destination, or a PDF
// file when QUILLET_PRINT_TO_FILE names one (headless runs and tests).
#include <optional>
#include <string>
#include <vector>

namespace quillet {

struct PrintDevice {
    std::string destination;  // CUPS destination name; empty for a file
    std::string file;         // the PDF file instead of a job
    int dpiX = 0, dpiY = 0;   // the device's dots per inch
    double pageWidth = 612, pageHeight = 792;  // points (US Letter unless the destination says otherwise)
};

// Resolution and default media of the default CUPS destination; nothing
// when there is no default destination.
struct CupsDefault {
    std::string name;
    int dpiX = 0, dpiY = 0;  // 0 when it reports none
    double pageWidth = 0, pageHeight = 0;  // points, 0 when it reports none
};
std::optional<CupsDefault> cupsDefaultDestination();

// The CUPS destinations a person can choose from, the default first.
std::vector<std::string> printerNames();
// Makes the destination the default printer for the rest of the run (the
// printing system reads PRINTER before its own default).
void makeDefaultPrinter(const std::string& name);

// Parses a resolution option such as "600dpi", "600x300dpi" or "118dpcm"
// into dots per inch; false for anything else.
bool parseResolution(const std::string& text, int& dpiX, int& dpiY);

// The device for a new job. A file destination has no resolution of its
// own and takes the target printer's (fileDpiX/Y); nothing when neither a
// file nor a default destination is there.
std::optional<PrintDevice> defaultPrintDevice(int fileDpiX, int fileDpiY);

}  // namespace quillet
