#include "app/render/print_device.h"

#include <cups/cups.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/render/print_scheduler.h"
#include "app/render/print_symbol.h"

namespace quillet {

bool parseResolution(const std::string& text, int& dpiX, int& dpiY) {
    long x = 0, y = 0;
    char unit[8] = {};
    int n = std::sscanf(text.c_str(), "%ldx%ld%7s", &x, &y, unit);
    if (n != 3) {
        y = 0;
        n = std::sscanf(text.c_str(), "%ld%7s", &x, unit);
        if (n != 2) return false;
        y = x;
    }
    double scale = 0;
    if (std::strcmp(unit, "dpi") == 0) scale = 1;
    else if (std::strcmp(unit, "dpcm") == 0) scale = 2.54;
    if (scale == 0 || x < 1 || y < 1 || x > 100000 || y > 100000) return false;
    dpiX = int(std::lround(x * scale));
    dpiY = int(std::lround(y * scale));
    return true;
}

std::optional<CupsDefault> cupsDefaultDestination() {
    if (!schedulerMayAnswer(systemSchedulerPlaces())) return std::nullopt;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) return std::nullopt;
    CupsDefault d;
    d.name = dest->name ? dest->name : "";
    if (const char* r = cupsGetOption("printer-resolution", dest->num_options, dest->options))
        if (!parseResolution(r, d.dpiX, d.dpiY)) d.dpiX = d.dpiY = 0;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (d.dpiX < 1) {
            if (ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
                int y = 0;
                ipp_res_t units = IPP_RES_PER_INCH;
                const int x = ippGetResolution(a, 0, &y, &units);
                const double scale = units == IPP_RES_PER_CM ? 2.54 : 1.0;
                d.dpiX = int(std::lround(x * scale));
                d.dpiY = int(std::lround(y * scale));
            }
        }
        cups_size_t size{};
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 && size.length > 0) {
            d.pageWidth = size.width * 72.0 / 2540.0;  // hundredths of millimetres
            d.pageHeight = size.length * 72.0 / 2540.0;
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return d;
}

std::vector<std::string> printerNames() {
    if (!schedulerMayAnswer(systemSchedulerPlaces())) return {};
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        if (!dests[i].name || dests[i].instance) continue;
        if (dests[i].is_default) names.insert(names.begin(), dests[i].name);
        else names.emplace_back(dests[i].name);
    }
    cupsFreeDests(count, dests);
    return names;
}

void makeDefaultPrinter(const std::string& name) {
    ::unsetenv("LPDEST");
    ::setenv("PRINTER", name.c_str(), 1);
}

bool targetPrinterResolution(int& dpiX, int& dpiY) {
    auto d = cupsDefaultDestination();
    if (!d) return false;
    dpiX = d->dpiX >= 1 ? d->dpiX : 300;
    dpiY = d->dpiY >= 1 ? d->dpiY : 300;
    return true;
}

std::optional<PrintDevice> defaultPrintDevice(int fileDpiX, int fileDpiY) {
    PrintDevice dev;
    const char* file = std::getenv("QUILLET_PRINT_TO_FILE");
    auto cups = (file && *file) ? std::optional<CupsDefault>{} : cupsDefaultDestination();
    if (file && *file) {
        dev.file = file;
        dev.dpiX = fileDpiX;
        dev.dpiY = fileDpiY;
    } else if (cups) {
        dev.destination = cups->name;
        dev.dpiX = cups->dpiX >= 1 ? cups->dpiX : 300;
        dev.dpiY = cups->dpiY >= 1 ? cups->dpiY : 300;
        if (cups->pageWidth > 0) {
            dev.pageWidth = cups->pageWidth;
            dev.pageHeight = cups->pageHeight;
        }
    } else {
        return std::nullopt;
    }
    if (dev.dpiX < 1 || dev.dpiY < 1) return std::nullopt;
    return dev;
}

}  // namespace quillet
