// UPC-E zero suppression, undone: the UPC-A number the check digit is
// computed over.
#include <string>

#include "app/encode/upc_ean.h"

namespace quillet {

std::string upcEExpansion(char ns, std::string_view d) {
    std::string e(1, ns);
    switch (d[5]) {
    case '0': case '1': case '2':
        return e + d[0] + d[1] + d[5] + "0000" + d[2] + d[3] + d[4];
    case '3':
        return e + d[0] + d[1] + d[2] + "00000" + d[3] + d[4];
    case '4':
        return e + d[0] + d[1] + d[2] + d[3] + "00000" + d[4];
    default:
        return e + std::string(d.substr(0, 5)) + "0000" + d[5];
    }
}

}  // namespace quillet
