#include "app/pdf417/pdf417_charset.h"

#include "app/model/settings.h"
#include "platform/codepage.h"

namespace quillet {

void ConvertPdfCharacterSet(std::string& message, int pdfCharacterSet, int characterSet) {
    if (pdfCharacterSet == 1 && characterSet == CharsetAnsi) message = platform::ansiToOem(message);
    else if (pdfCharacterSet == 2 && characterSet == CharsetAscii) message = platform::oemToAnsi(message);
}

}  // namespace quillet
