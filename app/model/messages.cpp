#include "app/model/messages.h"

#include <map>


namespace quillet {

namespace {

const char* const kUpcEanNotes =
    "\rQuillet will automatically calculate the trailing check digit for you.\r\r"
    "NOTE: Quillet will pad shorter data with zeros and truncate longer data if you disable "
    "Invalid Message Warnings in the Preferences Menu.";

const std::map<int, std::string>& table() {
    static const std::map<int, std::string> t{
        {1, "POSTNET message!  POSTNET bar codes must consist of 5, 9 or 11 numeric digits only."},
        {2, "UPC-A message!  UPC-A bar codes must consist of 11 numeric digits only."},
        {3, "EAN-8 message!  EAN-8 bar codes must consist of 7 numeric digits only."},
        {4, "Interleaved 2 of 5 message!  Interleaved 2 of 5 bar codes must consist of an even number of numeric digits only."},
        {5, "Codabar message!  Codabar bar codes may contain only the following characters: 0123456789ABCD-$:/.+ "},
        {6, "Codabar message!  Codabar bar codes must start and end with one of the following characters: ABCD  (the body of the message should not contain these characters)."},
        {7, "Code 39 message!  Code 39 Full ASCII bar codes may not contain characters with ASCII codes greater than 127."},
        {8, "Code 39 message!  Normal Code 39 bar codes may contain only the following 44 (upper case) characters: 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ  -.*$/+%"},
        {9, "Code 93 message!  Code 93 bar codes may not contain characters with ASCII codes greater than 127."},
        {12, "Code 128 message!  Code 128 bar codes may not contain characters with ASCII codes greater than 127."},
        {13, "UPC-E message!  UPC-E bar codes must consist of 6 numeric digits only."},
        {14, "Supplemental message!  Supplements must consist of either 2 or 5 numeric digits only."},
        {15, "EAN-13 message!  EAN-13 bar codes must consist of 12 numeric digits only."},
        {16, "Discrete 2 of 5 message!  Discrete 2 of 5 bar codes must consist of numeric digits only."},
        {17, "or Missing Narrow Bar Width! Please Re-Enter."},
        {18, "or Missing Bar Code Height! Please Re-Enter."},
        {19, "Bar Code Message is too large! Please Re-Enter."},
        {20, "Bar code message is too large or selected security level is too high!  Please re-enter bar code text or set PDF security level to a lower value."},
        {21, "Bar code message contains invalid characters!  Please re-enter bar code text or change the PDF417 data compression mode."},
        {23, "Module Height or Width values exceed system limits!  Please enter smaller values for these parameters."},
        {24, "Maximum number of rows specified is too small to generate a bar code!  Please enter a larger values for this parameter."},
        {25, "Maximum number of columns specified is too small to generate a bar code!  Please enter a larger values for this parameter."},
        {26, "Maximum number of rows or columns specified is too small to produce a bar code for the data entered!  Please enter larger values for these parameters in the PDF417 Options menu or reduce the PDF417 Security Level or reduce the size of the bar code message."},
        {27, "Missing or invalid bar code message. Please re-enter bar code message text."},
        {28, "Invalid or Missing PDF417 Aspect Ratio! Aspect Ratio Must Be Greater Than Zero. Please Re-Enter."},
        {29, "Invalid or Missing PDF417 Module Width! Module Width Must Be Greater Than Zero. Please Re-Enter."},
        {30, "Invalid or Missing PDF417 Module Height! Module Height Must Be Greater Than Zero. Please Re-Enter."},
        {31, "Invalid ISBN Number! For BookLan bar codes please enter either a 10 or 13 digit ISBN number.\r"
             "Note: 13 digit ISBN numbers must have either 978 or 979 as the first three digits in the ISBN number."},
        {32, "Invalid BookLan price supplemental.  Please enter dollar amount (under 100 dollars). "},
        {34, "Invalid BPO 4 State Code message. Please Re-Enter."},
        {35, "Invalid MSI message!  MSI bar codes must consist of numeric digits only."},
        {36, "Invalid RSS14 message! RSS14 bar codes must consist of 13 numeric digits only.\r"
             "Quillet will automatically calculate the trailing check digit for you.\r\r"
             "NOTE: Quillet will pad shorter data with zeros."},
        {37, "Invalid RSS14 message!  Check that the composite message does not contain invalid characters or more than the allowable number of characters."},
        {38, "Invalid RSS Limited message!\r\n"
             "The primary message in a RSS Limited bar code must not have a value exceeding 1999999999999."},
        {39, "Invalid RSS Expanded message!  RSS Expanded bar codes must consist of GS1 application identifiers "
             "and their data, with FNC1 after each variable-length field that another follows, and no more than "
             "the allowable number of characters."},
        {40, "Invalid RSS Expanded Stacked segments!  With a composite message each row must hold at least 4 "
             "segments."},
        {3023, "Invalid Data Matrix message!  Data Matrix message is too short."},
        {1024, "Invalid Data Matrix message!  Data Matrix message is too long."},
        {3024, "Invalid Data Matrix message!  Data Matrix message is too long."},
        {1025, "Invalid Data Matrix message!  Data Matrix message contains invalid characters for the currently selected Data Matrix options."},
        {1032, "Invalid Data Matrix message!  Data Matrix message is too long for the selected symbol size."},
    };
    return t;
}

}  // namespace

std::string messageText(int code) {
    const auto& t = table();
    auto it = t.find(code);
    if (it != t.end()) {
        if (code >= 1 && code <= 18) {
            std::string text = "Invalid " + it->second;
            if (code == 2 || code == 3 || code == 13 || code == 15) text += kUpcEanNotes;
            return text;
        }
        return it->second;
    }
    if (code >= 1001) return "Data Matrix encode error # " + std::to_string(code);
    return "Missing or invalid bar code message!  Please re-enter bar code text.";
}

}  // namespace quillet
